#include "DesktopSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

QString Xdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    xdotool.waitForFinished(20000);
    return QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
}

QStringList VisibleWindowsNamed(const QString& title)
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool StartTrayHost(ChildProcess& trayHost)
{
    if (!trayHost.Start(QStringLiteral("trayer"),
                        {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "64",
                         "--heighttype", "pixel", "--height", "32", "--SetDockType", "true", "--SetPartialStrut",
                         "true", "--transparent", "false"}))
        return false;
    // The tray is there once trayer's window is.
    const bool up = WaitFor([] { return !Xdotool({"search", "--class", "trayer"}).isEmpty(); }, 10000);
    QTest::qWait(500);
    return up;
}

bool WaitFor(const std::function<bool()>& condition, int ms)
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

QString MissingTool(const QStringList& tools)
{
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    return QString();
}

QString WhyNoDesktop(const QStringList& tools)
{
    if (const QString tool = MissingTool(tools); !tool.isEmpty())
        return tool + QStringLiteral(" is not installed (scripts/bootstrap installs it)");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("needs an X display (run through scripts/with-xvfb)");
    return {};
}
