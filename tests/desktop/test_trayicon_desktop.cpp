#include "ChildProcess.h"
#include "DesktopSupport.h"

#include <QTest>

// The whole program with a real tray host (trayer) under Xvfb: the close box hides the main
// window to the tray, a click on the icon brings it back, a right click opens the tray menu and
// its items work.
class TrayIconDesktopTest : public QObject {
    Q_OBJECT

private:
    ClientFolders folders_;
    ChildProcess trayHost_;
    ChildProcess client_;
    QPoint icon_;

    void ClickIcon(int button)
    {
        Xdotool(
            {"mousemove", QString::number(icon_.x()), QString::number(icon_.y()), "click", QString::number(button)});
    }
    void HideMainWindow()
    {
        const QString main = Xdotool({"search", "--onlyvisible", "--name", "^Vellomar manager$"}).split(u'\n').first();
        Xdotool({"windowactivate", "--sync", main, "key", "--clearmodifiers", "alt+F4"});
        QVERIFY(WaitFor([] { return !WindowShown(QStringLiteral("Vellomar manager")); }));
        QVERIFY(client_.Running());
        LetTheFocusGo();
    }
    // Opens the tray menu and clicks its item number `item` (1: "Login"; three rows).
    void PickMenuItem(int item)
    {
        const QStringList before = VisibleClientWindows();
        ClickIcon(3);
        // The menu is the client's one new window on the screen.
        const QString menu = NewClientWindow(before);
        QVERIFY2(!menu.isEmpty(), "the tray menu did not open");
        QTest::qWait(300);
        const QRect box = WindowGeometry(menu);
        QVERIFY(box.height() > 0);
        Xdotool({"mousemove", QString::number(box.center().x()),
                 QString::number(box.top() + box.height() * (2 * item - 1) / 6), "click", "1"});
    }

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"trayer", "xdotool"}); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(StartTrayHost(trayHost_));
        QTest::qWait(800);

        QVERIFY(client_.Start(ClientProgram(), {}, folders_.Environment()));
        QVERIFY2(WaitFor([] { return WindowShown(QStringLiteral("Vellomar manager")); }, 60000), "no main window");

        QVERIFY2(WaitFor([this] { return !(icon_ = ClientTrayIconCentre()).isNull(); }),
                 "the icon never reached the tray");
        // Let the start-up picture go.
        QTest::qWait(4500);
    }

    void clickOnTheIconRevealsTheHiddenWindow()
    {
        HideMainWindow();
        ClickIcon(1);
        QVERIFY(WaitFor([] { return WindowShown(QStringLiteral("Vellomar manager")); }));
    }

    void openItemRevealsTheHiddenWindow()
    {
        HideMainWindow();
        PickMenuItem(2);
        QVERIFY(WaitFor([] { return WindowShown(QStringLiteral("Vellomar manager")); }));
    }

    void loginItemShowsTheLoginWindow()
    {
        HideMainWindow();
        PickMenuItem(1);
        QVERIFY(WaitFor([] { return WindowShown(QStringLiteral("Vellomar Login")); }));
        QVERIFY(!WindowShown(QStringLiteral("Vellomar manager")));
    }

    void closeItemEndsTheProgram()
    {
        PickMenuItem(3);
        QVERIFY2(client_.WaitForEnd(20000), "the client kept running");
        QVERIFY2(client_.EndedCleanly(), client_.Output().constData());
    }
};

QTEST_GUILESS_MAIN(TrayIconDesktopTest)
#include "test_trayicon_desktop.moc"
