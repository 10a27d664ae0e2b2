// Builds a skin package from a skin folder, or takes one apart for skin authors.
//   skinpack pack DIR PACKAGE
//   skinpack unpack PACKAGE DIR
#include "skinpack/SkinPackageWriter.h"

#include "skin/SkinReader.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// The message on one line of standard error (the reader's messages may hold line breaks).
int Fail(QString message)
{
    std::fprintf(stderr, "skinpack: %s\n", qPrintable(message.replace(QLatin1Char('\r'), QLatin1Char(' '))));
    return 1;
}

// The package replaces an older one whole or not at all.
bool WritePackage(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// An entry is written as archivers write what they extract: a failed write takes its file
// away, but nothing waits for the disk (waiting for each of a skin's dozens of entries to reach
// it would be most of an unpack's time).
bool WriteEntry(const QString& path, const QByteArray& data, QString* error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size() && file.flush())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    file.close();
    file.remove();
    return false;
}

int Pack(const QString& folder, const QString& packagePath)
{
    QList<SkinEntry> entries;
    QString error;
    if (!ReadSkinFolder(folder, &entries, &error))
        return Fail(error);
    const QByteArray package = PackSkinContainer(BuildSkinContainer(entries));
    if (!WritePackage(packagePath, package, &error))
        return Fail(error);
    return 0;
}

int Unpack(const QString& packagePath, const QString& folder)
{
    QFile file(packagePath);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2").arg(packagePath, file.errorString()));
    TSkinReader reader(TSkinReader::ErrorOnly());
    if (!reader.ReadPackage(file.readAll()))
        return Fail(reader.Error());
    if (!QDir().mkpath(folder))
        return Fail(QStringLiteral("cannot create %1").arg(folder));
    QString error;
    QStringList written;
    for (const QString& name : reader.Names()) {
        // Later duplicates are unreachable by name; names that leave the folder are refused.
        if (written.contains(name))
            continue;
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QStringLiteral("..") || name == QStringLiteral("."))
            return Fail(QStringLiteral("entry name \"%1\" cannot be a file name").arg(name));
        if (!WriteEntry(QDir(folder).filePath(name), reader.ExtractByName(name), &error))
            return Fail(error);
        written.append(name);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // No application object: the packer needs neither events nor locale set-up, and starts
    // faster without them.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.size() == 3 && args[0] == QStringLiteral("pack"))
        return Pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == QStringLiteral("unpack"))
        return Unpack(args[1], args[2]);
    std::fprintf(stderr, "usage: skinpack pack DIR PACKAGE\n       skinpack unpack PACKAGE DIR\n");
    return 2;
}
