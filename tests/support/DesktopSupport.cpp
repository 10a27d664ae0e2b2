#include "DesktopSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

QString ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    tool.waitForFinished(20000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString Xdotool(const QStringList& arguments)
{
    return ToolOutput(QStringLiteral("xdotool"), arguments);
}

QStringList VisibleWindowsNamed(const QString& title)
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool WindowShown(const QString& title)
{
    return !VisibleWindowsNamed(title).isEmpty();
}

QStringList VisibleClientWindows()
{
    return Xdotool({"search", "--onlyvisible", "--classname", "vellomar"}).split(u'\n', Qt::SkipEmptyParts);
}

QString NewClientWindow(const QStringList& before)
{
    QString found;
    WaitFor([&] {
        for (const QString& id : VisibleClientWindows())
            if (!before.contains(id))
                found = id;
        return !found.isEmpty();
    });
    return found;
}

QRect WindowGeometry(const QString& window)
{
    const auto at = QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
                                       QRegularExpression::DotMatchesEverythingOption)
                        .match(Xdotool({"getwindowgeometry", window}));
    if (!at.hasMatch())
        return {};
    return QRect(at.captured(1).toInt(), at.captured(2).toInt(), at.captured(3).toInt(), at.captured(4).toInt());
}

QPoint ClientTrayIconCentre()
{
    for (const QString& id : Xdotool({"search", "--classname", "vellomar"}).split(u'\n', Qt::SkipEmptyParts))
        if (const QRect box = WindowGeometry(id); box.width() > 0 && box.width() <= 48 && box.height() <= 48)
            return box.center();
    return {};
}

void LetTheFocusGo()
{
    QTest::qWait(1500);
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
