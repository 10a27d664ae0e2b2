// The whole client on a real display, started with --minimized as an autostart entry starts it:
// with a tray on the desktop the main window never shows until the icon is clicked; without
// one it shows as usual, since nothing could bring it back.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "TestSupport.h"

namespace {

bool MainWindowShown()
{
    return !VisibleWindowsNamed(QStringLiteral("Vellomar manager")).isEmpty();
}

} // namespace

class MinimizedDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"xdotool", "trayer"}); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void startsInTheTrayWhenThereIsOne_data()
    {
        QTest::addColumn<bool>("withTray");
        QTest::newRow("with a tray") << true;
        QTest::newRow("without a tray") << false;
    }
    void startsInTheTrayWhenThereIsOne()
    {
        QFETCH(bool, withTray);
        ChildProcess trayHost;
        if (withTray)
            QVERIFY2(StartTrayHost(trayHost), "the tray did not start");
        ClientFolders folders;
        ChildProcess client;
        QVERIFY(client.Start(ClientProgram(), {"--minimized"}, folders.Environment()));

        if (!withTray) {
            QVERIFY2(WaitFor(MainWindowShown, 60000), "the main window did not show");
            QVERIFY(client.WaitForOutput("vellomar-trace main-shown"));
            return;
        }
        // Watched from the start: the window must not show even for a moment.
        bool everShown = false;
        QPoint icon;
        QVERIFY2(WaitFor([&] {
                     everShown = everShown || MainWindowShown();
                     return !(icon = ClientTrayIconCentre()).isNull();
                 }, 60000),
                 "the icon never reached the tray");
        QVERIFY(WaitFor([&] {
            everShown = everShown || MainWindowShown();
            return client.Output().contains("vellomar-trace page-loaded");
        }, 60000));
        // A while longer, watching all along.
        WaitFor([&] {
            everShown = everShown || MainWindowShown();
            return false;
        }, 3000);
        QVERIFY2(!everShown, "the main window showed although the tray could take it");
        QVERIFY(!client.Output().contains("vellomar-trace main-shown"));

        Xdotool({"mousemove", QString::number(icon.x()), QString::number(icon.y()), "click", "1"});
        QVERIFY2(WaitFor(MainWindowShown), "a click on the icon did not bring the window");
    }
};

VELLOMAR_TEST_MAIN(MinimizedDesktopTest)
#include "test_minimized_desktop.moc"
