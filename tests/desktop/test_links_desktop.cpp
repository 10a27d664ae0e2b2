// The whole client on a real display: a click on a chat page's link with target="_blank", or on
// a button that calls window.open, hands the address to the desktop's opener (a stand-in
// xdg-open first on PATH records it); a window the page opens by itself goes nowhere.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

const char* const kLinkPage =
    "<!DOCTYPE html><html><body style='margin:0'>"
    "<a href='https://chat.example.invalid/blank' target='_blank'"
    " style='display:block;height:50vh;background:#036;color:#fff'>a link to elsewhere</a>"
    "<button onclick=\"window.open('https://chat.example.invalid/opened')\""
    " style='display:block;width:100%;height:50vh'>open a window</button>"
    "<script>window.open('https://chat.example.invalid/unasked')</script>"
    "</body></html>";

bool WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return permissions == QFile::Permissions() || file.setPermissions(permissions);
}

QStringList Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class LinksDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"xdotool"}); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void linksLeaveForTheDesktopBrowser()
    {
        // A client of its own beside our start page: it shows the pages of its own folder.
        QTemporaryDir clientFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../links-XXXXXX"));
        const QString client = clientFolder.filePath(QStringLiteral("vellomar"));
        if (::link(QFile::encodeName(ClientProgram()).constData(), QFile::encodeName(client).constData()) != 0)
            QVERIFY(QFile::copy(ClientProgram(), client));
        QVERIFY(WriteFile(clientFolder.filePath(QStringLiteral("splash.htm")), kLinkPage));

        QTemporaryDir opener;
        const QString opened = opener.filePath(QStringLiteral("opened"));
        QVERIFY(WriteFile(opener.filePath(QStringLiteral("xdg-open")),
                          "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + QFile::encodeName(opened) + "'\n",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        ClientFolders folders;
        QMap<QString, QString> environment = folders.Environment();
        environment.insert(QStringLiteral("PATH"), opener.path() + u':' + qEnvironmentVariable("PATH"));
        // No desktop of a known kind: the opener is xdg-open.
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QString());
        ChildProcess started;
        QVERIFY(started.Start(client, {}, environment));
        QVERIFY2(started.WaitForOutput("vellomar-trace page-loaded"), started.Output().constData());
        QStringList windows;
        QVERIFY(WaitFor([&] { return !(windows = VisibleWindowsNamed(QStringLiteral("Vellomar manager"))).isEmpty(); }));
        // The start-up picture lets input through, but the page needs a moment to settle.
        QTest::qWait(4500);

        // The link fills the upper half of the pane, the button the lower half.
        const QString window = windows.first();
        Xdotool({"mousemove", "--window", window, "430", "120", "click", "1"});
        QVERIFY2(WaitFor([&] { return Lines(opened).size() >= 1; }), "the link reached no opener");
        Xdotool({"mousemove", "--window", window, "430", "420", "click", "1"});
        QVERIFY2(WaitFor([&] { return Lines(opened).size() >= 2; }), "window.open reached no opener");
        // Nothing more comes: the window the page opened on its own stays unopened.
        QTest::qWait(1500);
        QCOMPARE(Lines(opened), QStringList({"https://chat.example.invalid/blank", "https://chat.example.invalid/opened"}));
        QVERIFY(started.Running());
        QVERIFY(!VisibleWindowsNamed(QStringLiteral("Vellomar manager")).isEmpty());
        started.Stop();
    }
};

VELLOMAR_TEST_MAIN(LinksDesktopTest)
#include "test_links_desktop.moc"
