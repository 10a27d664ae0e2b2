#include "SkinPackageWriter.h"

#include "skinformat/LzhufEncoder.h"
#include "skinformat/SkinContainerWriter.h"
#include "skin/SkinReader.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

QByteArray FromStd(const std::string& bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

QByteArray BuildSkinContainer(const QList<SkinEntry>& entries)
{
    QList<QByteArray> names;
    for (const SkinEntry& entry : entries)
        names.append(entry.name.toLatin1());
    std::vector<skinformat::EntryView> views;
    for (qsizetype i = 0; i < entries.size(); ++i)
        views.push_back({View(names[i]), View(entries[i].data)});
    return FromStd(skinformat::BuildContainer(views));
}

QByteArray PackSkinContainer(const QByteArray& container)
{
    return FromStd(skinformat::PackContainer(View(container)));
}

QByteArray LzhufEncode(const QByteArray& input)
{
    return FromStd(lzhuf::Encode(View(input)));
}

bool ReadSkinFolder(const QString& folder, QList<SkinEntry>* entries, QString* error)
{
    const QDir dir(folder);
    if (!dir.exists()) {
        *error = QStringLiteral("%1 is not a folder").arg(folder);
        return false;
    }
    const QStringList files = dir.entryList({QStringLiteral("*.ini"), QStringLiteral("*.bmp")},
                                            QDir::Files, QDir::Name);
    if (!std::any_of(files.begin(), files.end(), [](const QString& f) { return f.endsWith(QStringLiteral(".ini")); })) {
        *error = QStringLiteral("%1 holds no description (*.ini)").arg(folder);
        return false;
    }
    if (files.size() > TSkinReader::kMaxEntries) {
        *error = QStringLiteral("%1 holds %2 files; a skin has at most %3").arg(folder).arg(files.size()).arg(TSkinReader::kMaxEntries);
        return false;
    }
    entries->clear();
    for (const QString& name : files) {
        if (name.toLower() != name) {
            *error = QStringLiteral("%1: entry names must be lower case").arg(name);
            return false;
        }
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
            return false;
        }
        const QByteArray data = file.readAll();
        if (name.endsWith(QStringLiteral(".bmp")) && !data.startsWith("BM")) {
            *error = QStringLiteral("%1 is not a BMP file").arg(file.fileName());
            return false;
        }
        entries->append({name, data});
    }
    return true;
}
