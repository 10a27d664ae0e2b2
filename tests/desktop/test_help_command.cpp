// The built client under a real X server: a click on the sidebar's "Help" row shows the help
// page in the browser pane.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "TestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace {

QImage GrabWindow(WId window)
{
    return QGuiApplication::primaryScreen()->grabWindow(window).toImage();
}

} // namespace

class HelpCommandTest : public QObject {
    Q_OBJECT

private slots:
    void helpRowShowsTheHelpPage()
    {
        ClientFolders folders;
        ChildProcess client;
        // The window's own frame: the points below are the client area's.
        QVERIFY(client.Start(ClientProgram(), {QStringLiteral("--no-skin")}, folders.Environment()));
        QVERIFY2(client.WaitForOutput("vellomar-trace page-loaded", 60000), client.Output().constData());

        const QString id =
            Xdotool({"search", "--sync", "--onlyvisible", "--name", "^Vellomar manager$"}).section(u'\n', 0, 0);
        QVERIFY2(!id.isEmpty(), "the main window did not appear");
        const WId window = id.toULongLong();
        // The start page is dark; the help page is light.
        const QPoint inPane(500, 300);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(GrabWindow(window).pixel(inPane)) < 128, 10000);

        Xdotool({"mousemove", "--window", id, "60", "190", "click", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(qGray(GrabWindow(window).pixel(inPane)) > 200, 20000);
        // The pointer rests on the row, which shows the hover box.
        const QImage shot = GrabWindow(window);
        QCOMPARE(shot.pixelColor(0, 162), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(3, 170), QColor(Qt::white));
    }
};

VELLOMAR_TEST_MAIN(HelpCommandTest)
#include "test_help_command.moc"
