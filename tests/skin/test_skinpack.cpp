#include "SkinTestPackages.h"
#include "TestSupport.h"

#include <QDir>
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
        QTest::addRow("missing-package") << "unpack" << "" << 1 << "cannot read";
        QTest::addRow("damaged-package") << "unpack" << "damaged" << 1 << "damaged";
        QTest::addRow("older-package") << "unpack"
                                       << "older" << 1 << "This is Older Skin File Please update";
        QTest::addRow("entry-leaving-the-folder") << "unpack" << "escaping" << 1 << "cannot be a file name";
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
        if (setup == QStringLiteral("fake-bmp") || setup == QStringLiteral("capitals"))
            WriteFile(folder + QStringLiteral("/skin.ini"), "[x]");
        if (setup == QStringLiteral("fake-bmp"))
            WriteFile(folder + QStringLiteral("/a.bmp"), "GIF89a");
        if (setup == QStringLiteral("capitals"))
            WriteFile(folder + QStringLiteral("/Top.bmp"), SolidBmp(2, 2));
        if (setup == QStringLiteral("damaged"))
            WriteFile(package, MakePackage({{QStringLiteral("skin.ini"), "[x]"}}).left(9));
        if (setup == QStringLiteral("older")) {
            QByteArray container = BuildSkinContainer({{QStringLiteral("skin.ini"), "[x]"}});
            qToLittleEndian<quint32>(19999, container.data());
            WriteFile(package, PackSkinContainer(container));
        }
        if (setup == QStringLiteral("escaping"))
            WriteFile(package, MakePackage({{QStringLiteral("../evil.ini"), "[x]"}}));

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
    }
};

VELLOMAR_TEST_MAIN(SkinpackTest)
#include "test_skinpack.moc"
