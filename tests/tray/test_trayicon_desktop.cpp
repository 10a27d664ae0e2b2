#include "DesktopSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Desktop;

// The whole program with a real tray host (trayer) under Xvfb: the close box hides the main
// window to the tray, a click on the icon brings it back, a right click opens the tray menu and
// its items work.
class TrayDesktopTest : public QObject {
    Q_OBJECT

private:
    QProcess trayHost_;
    QProcess client_;
    QTemporaryDir config_;
    QPoint icon_;

    void ClickIcon(int button)
    {
        Xdo({"mousemove", QString::number(icon_.x()), QString::number(icon_.y()), "click", QString::number(button)});
    }
    void HideMainWindow()
    {
        const QString main = Xdo({"search", "--onlyvisible", "--name", "^Vellomar manager$"}).split(u'\n').first();
        Xdo({"windowactivate", "--sync", main, "key", "--clearmodifiers", "alt+F4"});
        QVERIFY(WaitFor([] { return !WindowShown(QStringLiteral("Vellomar manager")); }));
        QCOMPARE(client_.state(), QProcess::Running);
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
        const QRect box = Geometry(menu);
        QVERIFY(box.height() > 0);
        Xdo({"mousemove", QString::number(box.center().x()), QString::number(box.top() + box.height() * (2 * item - 1) / 6),
             "click", "1"});
    }

private slots:
    void initTestCase()
    {
        for (const char* tool : {"trayer", "xdotool"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/bootstrap installs it)").arg(tool)));
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display (run through scripts/with-xvfb)");
        QVERIFY(StartTrayHost(trayHost_));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        environment.insert(QStringLiteral("VELLOMAR_CONFIG_DIR"), config_.path());
        client_.setProcessEnvironment(environment);
        client_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vellomar"), {});
        QVERIFY(client_.waitForStarted());
        QVERIFY2(WaitFor([] { return WindowShown(QStringLiteral("Vellomar manager")); }, 60000), "no main window");

        const std::optional<QPoint> icon = TrayIconCentre();
        QVERIFY2(icon, "the icon never reached the tray");
        icon_ = *icon;
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
        QVERIFY2(client_.waitForFinished(20000), "the client kept running");
        QCOMPARE(client_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(client_.exitCode(), 0);
    }

    void cleanupTestCase()
    {
        Stop(client_);
        Stop(trayHost_);
    }
};

QTEST_GUILESS_MAIN(TrayDesktopTest)
#include "test_trayicon_desktop.moc"
