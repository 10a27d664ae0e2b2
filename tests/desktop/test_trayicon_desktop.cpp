#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString Xdo(const QStringList& arguments)
{
    return Run(QStringLiteral("xdotool"), arguments);
}

bool WaitFor(const std::function<bool()>& condition, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(100);
    }
    return true;
}

QRect Geometry(const QString& window)
{
    const auto at = QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
                                       QRegularExpression::DotMatchesEverythingOption)
                        .match(Xdo({"getwindowgeometry", window}));
    if (!at.hasMatch())
        return {};
    return QRect(at.captured(1).toInt(), at.captured(2).toInt(), at.captured(3).toInt(), at.captured(4).toInt());
}

QStringList VisibleClientWindows()
{
    return Xdo({"search", "--onlyvisible", "--classname", "vellomar"}).split(u'\n', Qt::SkipEmptyParts);
}

bool WindowShown(const QString& title)
{
    return !Xdo({"search", "--onlyvisible", "--name", QStringLiteral("^%1$").arg(title)}).isEmpty();
}

} // namespace

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
        QString menu;
        QVERIFY2(WaitFor([&] {
                     for (const QString& id : VisibleClientWindows())
                         if (!before.contains(id))
                             menu = id;
                     return !menu.isEmpty();
                 }),
                 "the tray menu did not open");
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
        trayHost_.start(QStringLiteral("trayer"), {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                                                   "--width", "64", "--heighttype", "pixel", "--height", "32",
                                                   "--SetDockType", "true", "--SetPartialStrut", "true", "--transparent", "false"});
        QVERIFY(trayHost_.waitForStarted());
        QTest::qWait(800);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        environment.insert(QStringLiteral("VELLOMAR_CONFIG_DIR"), config_.path());
        client_.setProcessEnvironment(environment);
        client_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vellomar"), {});
        QVERIFY(client_.waitForStarted());
        QVERIFY2(WaitFor([] { return WindowShown(QStringLiteral("Vellomar manager")); }, 60000), "no main window");

        // The icon is the client's small window docked in the tray host.
        QVERIFY2(WaitFor([this] {
                     for (const QString& id : Xdo({"search", "--classname", "vellomar"}).split(u'\n')) {
                         const QRect box = Geometry(id);
                         if (box.width() > 0 && box.width() <= 48 && box.height() <= 48) {
                             icon_ = box.center();
                             return true;
                         }
                     }
                     return false;
                 }),
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
        QVERIFY2(client_.waitForFinished(20000), "the client kept running");
        QCOMPARE(client_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(client_.exitCode(), 0);
    }

    void cleanupTestCase()
    {
        for (QProcess* process : {&client_, &trayHost_})
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000))
                    process->kill();
            }
    }
};

QTEST_GUILESS_MAIN(TrayDesktopTest)
#include "test_trayicon_desktop.moc"
