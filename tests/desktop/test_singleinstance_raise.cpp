// Bringing the first copy's window forward, on a real X server with a window manager.
#include "tray/PriorInstance.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

// The ids of the windows that xdotool finds with `arguments`.
QStringList Xdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    xdotool.waitForFinished(10000);
    return QString::fromLatin1(xdotool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool WaitFor(const std::function<bool()>& condition, int ms = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (condition())
            return true;
        QTest::qWait(100);
    }
    return false;
}

QStringList VisibleNamed(const QString& title)
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QLatin1Char('^') + title + QLatin1Char('$')});
}

} // namespace

class PriorInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void theOtherProgramsMinimisedWindowComesBack()
    {
        QTemporaryDir config;
        QTemporaryDir runtime;
        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELLOMAR_CONFIG_DIR"), config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        client.setProcessEnvironment(env);
        client.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vellomar"), {});
        const QString title = QStringLiteral("Vellomar manager");
        QVERIFY(WaitFor([&] { return VisibleNamed(title).size() == 1; }));
        const QString window = VisibleNamed(title).first();

        Xdotool({QStringLiteral("windowminimize"), window});
        QVERIFY(WaitFor([&] { return VisibleNamed(title).isEmpty(); }));

        QVERIFY(!RaisePriorWindow(QStringLiteral("No such window")));
        QVERIFY(RaisePriorWindow(title));
        QVERIFY(WaitFor([&] { return VisibleNamed(title) == QStringList{window}; }));
        QVERIFY(WaitFor([&] { return Xdotool({QStringLiteral("getactivewindow")}) == QStringList{window}; }));
        client.kill();
        client.waitForFinished();
    }

    void aWindowOfThisProgramIsNeverTaken()
    {
        QWidget own;
        own.setWindowTitle(QStringLiteral("Own window"));
        own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&own));
        QVERIFY(!RaisePriorWindow(QStringLiteral("Own window")));
    }
};

QTEST_MAIN(PriorInstanceTest)
#include "test_singleinstance_raise.moc"
