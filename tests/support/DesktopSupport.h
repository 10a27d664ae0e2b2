#pragma once
#include "ChildProcess.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

// Helpers of the whole-program tests, which run on a real X display (scripts/with-xvfb).

// Runs xdotool and returns what it printed, trimmed (window ids one a line).
inline QString Xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(20000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// The ids of the windows shown with the title `title`, whole.
inline QStringList VisibleWindowsNamed(const QString& title)
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Checks `condition` every 100 ms, events flowing meanwhile, until it holds or `ms` have gone by.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 15000)
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

// Starts a system tray (trayer, 64 x 32 at the bottom right of the screen) for the client's icon.
inline bool StartTrayHost(ChildProcess& trayHost)
{
    if (!trayHost.Start(QStringLiteral("trayer"),
                        {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "64",
                         "--heighttype", "pixel", "--height", "32", "--SetDockType", "true",
                         "--SetPartialStrut", "true", "--transparent", "false"}))
        return false;
    // The tray is there once trayer's window is.
    const bool up = WaitFor([] { return !Xdotool({"search", "--class", "trayer"}).isEmpty(); }, 10000);
    QTest::qWait(500);
    return up;
}

// The first of `tools` that is not installed, or an empty string.
inline QString MissingTool(const QStringList& tools)
{
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    return {};
}

// Why a whole-program test needing `tools` cannot run here, or an empty string.
inline QString WhyNoDesktop(const QStringList& tools)
{
    if (const QString tool = MissingTool(tools); !tool.isEmpty())
        return tool + QStringLiteral(" is not installed (scripts/bootstrap installs it)");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("needs an X display (run through scripts/with-xvfb)");
    return {};
}
