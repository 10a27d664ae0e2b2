#include "DesktopSupport.h"

#include <QElapsedTimer>
#include <QProcess>
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
                    QLatin1Char('^') + title + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool StartTrayHost(ChildProcess& trayHost)
{
    return trayHost.Start(QStringLiteral("trayer"),
                          {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "64",
                           "--heighttype", "pixel", "--height", "32", "--SetDockType", "true", "--SetPartialStrut",
                           "true", "--transparent", "false"});
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
