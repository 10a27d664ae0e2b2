// The client as a user gets it: installed into a prefix by cmake --install, or unpacked from
// the Debian package with dpkg -x. Each runs from where it landed: --version without a
// display, and a start on the test's display that shows the start page from share/vellomar.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

namespace {

// Runs a tool to its end; its output, or the reason it failed.
struct ToolRun {
    bool ok = false;
    QString output;
};

ToolRun RunTool(const QString& program, const QStringList& arguments, bool withDisplay = true)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!withDisplay)
        env.remove(QStringLiteral("DISPLAY"));
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    const bool ended = tool.waitForFinished(240000);
    const QString output = QString::fromLocal8Bit(tool.readAll());
    return {ended && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, output};
}

const QString kBuild = QStringLiteral(VELLOMAR_BUILD_DIR);
const QString kVersion = QStringLiteral(VELLOMAR_VERSION);

// What an installation holds, below its prefix.
const QStringList kInstalledFiles{
    "bin/vellomar",
    "bin/vellomar-demo",
    "bin/skinpack",
    VELLOMAR_ENGINE_MODULE,
    "share/vellomar/splash.htm",
    "share/vellomar/help.htm",
    "share/vellomar/skins/vellomar.skin",
    "share/vellomar/autostart/org.vellomar.Chat.desktop",
    "share/applications/org.vellomar.Chat.desktop",
    "share/metainfo/org.vellomar.Chat.metainfo.xml",
    "share/icons/hicolor/16x16/apps/org.vellomar.Chat.png",
    "share/icons/hicolor/48x48/apps/org.vellomar.Chat.png",
    "share/icons/hicolor/256x256/apps/org.vellomar.Chat.png",
    "share/man/man1/vellomar.1",
    "share/doc/vellomar/copyright",
};

// The value of `key` in a desktop entry file.
QString DesktopEntryValue(const QString& file, const QString& key)
{
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly))
        return {};
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(u'\n'))
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

} // namespace

class InstalledClientTest : public QObject {
    Q_OBJECT

    // Installs into `root` the way the row says; the prefix, or an empty string on failure.
    QString Install(const QString& how, const QString& root)
    {
        if (how == QLatin1String("prefix")) {
            const ToolRun install = RunTool(QStringLiteral(VELLOMAR_CMAKE), {"--install", kBuild, "--prefix", root});
            if (!install.ok)
                qWarning("cmake --install failed:\n%s", qPrintable(install.output));
            return install.ok ? root : QString();
        }
        const ToolRun pack = RunTool(QStringLiteral(VELLOMAR_CPACK),
                                     {"-G", "DEB", "--config", kBuild + "/CPackConfig.cmake", "-B", root + "/package"});
        const QString arch = RunTool(QStringLiteral("dpkg"), {"--print-architecture"}).output.trimmed();
        const QString deb = QStringLiteral("%1/package/vellomar_%2_%3.deb").arg(root, kVersion, arch);
        if (!pack.ok || !QFileInfo(deb).isFile()) {
            qWarning("cpack did not write %s:\n%s", qPrintable(deb), qPrintable(pack.output));
            return {};
        }
        const QString depends = RunTool(QStringLiteral("dpkg-deb"), {"-f", deb, "Depends"}).output.trimmed();
        qInfo("package %s: %lld bytes; Depends: %s", qPrintable(QFileInfo(deb).fileName()), QFileInfo(deb).size(),
              qPrintable(depends));
        // Computed from the binaries, and what they load without linking.
        for (const char* needed : {"libqt6webenginecore6", "libqt6widgets6", "libcurl4", "libsqlite3-0", "qt6-qpa-plugins"})
            if (!depends.contains(QLatin1String(needed))) {
                qWarning("the package does not depend on %s", needed);
                return {};
            }
        if (!RunTool(QStringLiteral("dpkg"), {"-x", deb, root + "/tree"}).ok)
            return {};
        return root + "/tree/usr";
    }

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"xdotool", "xprop", "dpkg-deb"}); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void installedClientRunsFromWhereItLanded_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("withStartPage");
        QTest::newRow("cmake --install into a prefix") << "prefix" << true;
        QTest::newRow("a prefix whose start page is gone") << "prefix" << false;
        QTest::newRow("dpkg -x of the package") << "package" << true;
    }
    void installedClientRunsFromWhereItLanded()
    {
        QFETCH(QString, how);
        QFETCH(bool, withStartPage);
        QTemporaryDir root;
        const QString prefix = Install(how, root.path());
        QVERIFY2(!prefix.isEmpty(), "nothing was installed");
        for (const QString& file : kInstalledFiles)
            QVERIFY2(QFileInfo(prefix + u'/' + file).size() > 0, qPrintable(file + " is missing"));

        const QString client = prefix + QStringLiteral("/bin/vellomar");
        const ToolRun version = RunTool(client, {"--version"}, false);
        QVERIFY2(version.ok, qPrintable(version.output));
        QCOMPARE(version.output, QStringLiteral("vellomar %1\n").arg(kVersion));

        if (!withStartPage)
            QVERIFY(QFile::remove(prefix + QStringLiteral("/share/vellomar/splash.htm")));
        ClientFolders folders;
        ChildProcess started;
        QVERIFY(started.Start(client, {}, folders.Environment()));
        QVERIFY2(started.WaitForOutput("vellomar-trace page-loaded"), started.Output().constData());
        QStringList windows;
        QVERIFY(WaitFor([&] { return !(windows = VisibleWindowsNamed(QStringLiteral("Vellomar manager"))).isEmpty(); }));
        // The desktop ties the window to the launcher entry by its class; the title stays the form's.
        const QString properties = RunTool(QStringLiteral("xprop"), {"-id", windows.first(), "WM_CLASS", "_NET_WM_NAME"}).output;
        const QString windowClass =
            DesktopEntryValue(prefix + QStringLiteral("/share/applications/org.vellomar.Chat.desktop"), QStringLiteral("StartupWMClass"));
        QVERIFY(!windowClass.isEmpty());
        QVERIFY2(properties.contains(QStringLiteral("WM_CLASS(STRING) = \"vellomar\", \"%1\"").arg(windowClass)),
                 qPrintable(properties));
        QVERIFY2(properties.contains(QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"Vellomar manager\"")), qPrintable(properties));

        // The start page is dark; the engine's page for a missing file is light. The start-up
        // picture, dark too, covers the pane for its 4 s.
        QTest::qWait(4500);
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(windows.first().toULongLong()).toImage();
        const bool paneIsDark = qGray(shot.pixel(500, 300)) < 128;
        QCOMPARE(paneIsDark, withStartPage);
        started.Stop();
    }
};

VELLOMAR_TEST_MAIN(InstalledClientTest)
#include "test_installed_client.moc"
