#include "SkinPackageWriter.h"
#include "LzhufEncoder.h"

#include "skin/SkinReader.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

void AppendU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray BuildSkinContainer(const QList<SkinEntry>& entries)
{
    QByteArray names;
    for (const SkinEntry& entry : entries)
        names += entry.name.toLatin1() + "\r\n";
    QByteArray out;
    AppendU32(out, TSkinReader::kVersion);
    AppendU32(out, quint32(names.size()));
    out.append(8, '\0');
    out += names;
    for (const SkinEntry& entry : entries)
        AppendU32(out, quint32(entry.data.size()));
    for (const SkinEntry& entry : entries)
        out += entry.data;
    return out;
}

QByteArray PackSkinContainer(const QByteArray& container)
{
    QByteArray package;
    AppendU32(package, quint32(container.size()));
    return package + LzhufEncode(container);
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
