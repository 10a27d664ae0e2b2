#include "TestSupport.h"
#include "app/PageFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the client looks for its pages and writes the generated page, for each layout it may
// find itself in.
class PageFoldersTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;

    QString At(const QString& relative) const { return root.path() + QLatin1Char('/') + relative; }

    void Touch(const QString& relative)
    {
        QVERIFY(QDir().mkpath(QFileInfo(At(relative)).path()));
        QFile file(At(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        qputenv("XDG_DATA_HOME", At(QStringLiteral("data")).toLocal8Bit());
    }

    void foldersForEachLayout_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("output");

        QTest::newRow("build tree: pages beside the executable")
            << QStringList{"bin/splash.htm", "bin/help.htm"} << "bin/" << "bin/";
        QTest::newRow("installed: pages in share/vellomar")
            << QStringList{"share/vellomar/splash.htm", "share/vellomar/help.htm"} << "share/vellomar/"
            << "data/vellomar/";
        QTest::newRow("pages beside the executable win over installed ones")
            << QStringList{"bin/splash.htm", "share/vellomar/splash.htm"} << "bin/" << "bin/";
        QTest::newRow("no pages anywhere: the executable's folder")
            << QStringList{} << "bin/" << "bin/";
        QTest::newRow("a share/vellomar without the start page is not an installation")
            << QStringList{"share/vellomar/help.htm"} << "bin/" << "bin/";
    }
    void foldersForEachLayout()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, pages);
        QFETCH(QString, output);
        for (const QString& name : {QStringLiteral("bin"), QStringLiteral("share")})
            QVERIFY(QDir(At(name)).removeRecursively());
        QVERIFY(QDir().mkpath(At(QStringLiteral("bin"))));
        for (const QString& file : files)
            Touch(file);

        const PageFolders folders = PageFoldersFor(At(QStringLiteral("bin/")));
        QCOMPARE(folders.pages, At(pages));
        QCOMPARE(folders.output, At(output));
    }
};

VELLOMAR_TEST_MAIN(PageFoldersTest)
#include "test_page_folders.moc"
