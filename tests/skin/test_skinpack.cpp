#include "SkinTestPackages.h"
#include "TestSupport.h"
#include "skin/Lzhuf.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run {
    int exitCode;
    QString errors;
};

Run Skinpack(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/skinpack"), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file of the given size that takes no room on the disk.
void WriteSparseFile(const QString& path, qint64 size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
}

} // namespace

class SkinpackTest : public QObject {
    Q_OBJECT

private slots:
    void packThenUnpackGivesTheFolderBack()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in"));
        QDir().mkpath(in);
        WriteFile(in + QStringLiteral("/skin.ini"), "[Personality]\r\nTop=top.bmp\r\n");
        WriteFile(in + QStringLiteral("/top.bmp"), SolidBmp(30, 10));
        WriteFile(in + QStringLiteral("/notes.txt"), "not part of a skin");
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        QCOMPARE(Skinpack({QStringLiteral("pack"), in, package}).exitCode, 0);
        QCOMPARE(ReadFile(package),
                 MakePackage({{QStringLiteral("skin.ini"), ReadFile(in + QStringLiteral("/skin.ini"))},
                              {QStringLiteral("top.bmp"), ReadFile(in + QStringLiteral("/top.bmp"))}}));

        const QString out = dir.filePath(QStringLiteral("out"));
        QCOMPARE(Skinpack({QStringLiteral("unpack"), package, out}).exitCode, 0);
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{"skin.ini", "top.bmp"}));
        QCOMPARE(ReadFile(out + QStringLiteral("/top.bmp")), ReadFile(in + QStringLiteral("/top.bmp")));
    }

    void badInputIsReported_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addRow("no-arguments") << "" << "" << 2 << "usage";
        QTest::addRow("unknown-command") << "squash" << "" << 2 << "usage";
        QTest::addRow("missing-folder") << "pack" << "" << 1 << "is not a folder";
        QTest::addRow("no-description") << "pack" << "bmp-only" << 1 << "no description";
        QTest::addRow("fake-bitmap") << "pack" << "fake-bmp" << 1 << "is not a BMP file";
        QTest::addRow("capital-names") << "pack" << "capitals" << 1 << "lower case";
        QTest::addRow("capital-latin1-names") << "pack"
                                              << "latin1-capitals" << 1 << "lower case";
        QTest::addRow("name-beyond-latin1") << "pack"
                                            << "beyond-latin1" << 1 << "must be Latin-1";
        QTest::addRow("content-too-large") << "pack"
                                           << "oversized" << 1 << "makes the skin larger than 67108864 bytes";
        QTest::addRow("missing-package") << "unpack" << "" << 1 << "cannot read";
        QTest::addRow("damaged-package") << "unpack" << "damaged" << 1 << "damaged";
        QTest::addRow("older-package") << "unpack"
                                       << "older" << 1 << "This is Older Skin File Please update";
        QTest::addRow("package-too-large") << "unpack"
                                           << "huge" << 1 << "it is 16777217 bytes, at most 16777216";
        QTest::addRow("entry-leaving-the-folder") << "unpack" << "escaping" << 1 << "cannot be a file name";
        QTest::addRow("entry-name-with-nul") << "unpack"
                                             << "nul" << 1 << "evil.ini\\x00.txt\" cannot be a file name";
    }
    void badInputIsReported()
    {
        QFETCH(QString, command);
        QFETCH(QString, setup);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("skin"));
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        if (command == QStringLiteral("pack") && !setup.isEmpty())
            QDir().mkpath(folder);
        if (setup == QStringLiteral("bmp-only"))
            WriteFile(folder + QStringLiteral("/a.bmp"), SolidBmp(2, 2));
        else if (command == QStringLiteral("pack") && !setup.isEmpty())
            WriteFile(folder + QStringLiteral("/skin.ini"), "[x]");
        if (setup == QStringLiteral("fake-bmp"))
            WriteFile(folder + QStringLiteral("/a.bmp"), "GIF89a");
        if (setup == QStringLiteral("capitals"))
            WriteFile(folder + QStringLiteral("/Top.bmp"), SolidBmp(2, 2));
        if (setup == QStringLiteral("latin1-capitals"))
            WriteFile(folder + QStringLiteral("/\u00C9t\u00E9.bmp"), SolidBmp(2, 2));
        // ő is lower case, but Latin-1 has no room for it.
        if (setup == QStringLiteral("beyond-latin1"))
            WriteFile(folder + QStringLiteral("/\u0151.bmp"), SolidBmp(2, 2));
        if (setup == QStringLiteral("oversized"))
            WriteSparseFile(folder + QStringLiteral("/big.bmp"), 64 * 1024 * 1024 + 1);
        if (setup == QStringLiteral("huge"))
            WriteSparseFile(package, 16 * 1024 * 1024 + 1);
        if (setup == QStringLiteral("damaged"))
            WriteFile(package, MakePackage({{QStringLiteral("skin.ini"), "[x]"}}).left(9));
        if (setup == QStringLiteral("older")) {
            QByteArray container = BuildSkinContainer({{QStringLiteral("skin.ini"), "[x]"}});
            qToLittleEndian<quint32>(19999, container.data());
            WriteFile(package, PackSkinContainer(container));
        }
        if (setup == QStringLiteral("escaping"))
            WriteFile(package, MakePackage({{QStringLiteral("../evil.ini"), "[x]"}}));
        if (setup == QStringLiteral("nul"))
            WriteFile(package, MakePackage({{QString::fromLatin1("evil.ini\0.txt", 13), "[x]"}}));

        QStringList arguments;
        if (command == QStringLiteral("pack"))
            arguments = {command, folder, package};
        else if (command == QStringLiteral("unpack"))
            arguments = {command, package, folder};
        else if (!command.isEmpty())
            arguments = {command, folder, package};
        const Run run = Skinpack(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("evil.ini"))));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/evil.ini")));
        // Nothing half-made is left beside the package.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), QFile::exists(package) ? 1 : 0);
    }

    // Entry names are Latin-1 in the package and UTF-8 file names on the disk.
    void latin1NamesRoundTrip()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in"));
        QDir().mkpath(in);
        const QString name = QStringLiteral("caf\u00E9-\u00FF.bmp");
        WriteFile(in + QStringLiteral("/skin.ini"), "[x]");
        WriteFile(in + QLatin1Char('/') + name, SolidBmp(3, 3));
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        QCOMPARE(Skinpack({QStringLiteral("pack"), in, package}).exitCode, 0);
        const QByteArray packed = ReadFile(package);
        QCOMPARE(packed, MakePackage({{name, SolidBmp(3, 3)}, {QStringLiteral("skin.ini"), "[x]"}}));
        QVERIFY(TLZH::Decode(packed.mid(4), qFromLittleEndian<quint32>(packed.constData()))
                    .contains("caf\xE9-\xFF.bmp\r\n"));

        const QString out = dir.filePath(QStringLiteral("out"));
        QCOMPARE(Skinpack({QStringLiteral("unpack"), package, out}).exitCode, 0);
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{name, QStringLiteral("skin.ini")}));
        QCOMPARE(ReadFile(out + QLatin1Char('/') + name), SolidBmp(3, 3));
    }

    // A name the reader lower-cases to one already written is unreachable: the first one wins.
    void unpackWritesTheFirstOfDuplicates()
    {
        QTemporaryDir dir;
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        WriteFile(package,
                  MakePackage({{QStringLiteral("skin.ini"), "first"}, {QStringLiteral("SKIN.INI"), "second"}}));
        const QString out = dir.filePath(QStringLiteral("out"));
        QCOMPARE(Skinpack({QStringLiteral("unpack"), package, out}).exitCode, 0);
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("skin.ini")});
        QCOMPARE(ReadFile(out + QStringLiteral("/skin.ini")), QByteArray("first"));
    }

    // The package replaces an older one whole or not at all.
    void failedPackageWriteLeavesNothingBehind()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in"));
        QDir().mkpath(in);
        WriteFile(in + QStringLiteral("/skin.ini"), "[x]");
        // A folder cannot be replaced by a file.
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        QDir().mkpath(package);
        const Run run = Skinpack({QStringLiteral("pack"), in, package});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("cannot write")), qPrintable(run.errors));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{QStringLiteral("in"), QStringLiteral("skin.pkg")}));
        QVERIFY(QFileInfo(package).isDir());

        // Replacing a package keeps its permissions.
        const QString existing = dir.filePath(QStringLiteral("old.pkg"));
        WriteFile(existing, "old");
        QVERIFY(QFile::setPermissions(existing, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(Skinpack({QStringLiteral("pack"), in, existing}).exitCode, 0);
        QCOMPARE(ReadFile(existing), MakePackage({{QStringLiteral("skin.ini"), "[x]"}}));
        QCOMPARE(QFile::permissions(existing) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void failedEntryWriteRemovesItsFile()
    {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full to fail the write");
        QTemporaryDir dir;
        const QString package = dir.filePath(QStringLiteral("skin.pkg"));
        WriteFile(package, MakePackage({{QStringLiteral("skin.ini"), "[x]"}}));
        const QString out = dir.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        // The entry's file is a link to a device that takes no bytes.
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), out + QStringLiteral("/skin.ini")));
        const Run run = Skinpack({QStringLiteral("unpack"), package, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("cannot write")), qPrintable(run.errors));
        QVERIFY(!QFileInfo(out + QStringLiteral("/skin.ini")).exists());
        QVERIFY(!QFileInfo(out + QStringLiteral("/skin.ini")).isSymLink());
    }
};

VELLOMAR_TEST_MAIN(SkinpackTest)
#include "test_skinpack.moc"
