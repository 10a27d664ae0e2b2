#pragma once
// Driving the built client on a real X server with xdotool, as a person would.
#include <QElapsedTimer>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <functional>
#include <optional>

namespace Desktop {

inline QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

inline QString Xdo(const QStringList& arguments)
{
    return Run(QStringLiteral("xdotool"), arguments);
}

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

// A window's position on the screen and size.
inline QRect Geometry(const QString& window)
{
    const auto at = QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
                                       QRegularExpression::DotMatchesEverythingOption)
                        .match(Xdo({"getwindowgeometry", window}));
    if (!at.hasMatch())
        return {};
    return QRect(at.captured(1).toInt(), at.captured(2).toInt(), at.captured(3).toInt(), at.captured(4).toInt());
}

// The visible window with this exact title, or an empty string.
inline QString ShownWindow(const QString& title)
{
    return Xdo({"search", "--onlyvisible", "--name", QStringLiteral("^%1$").arg(title)}).section(u'\n', 0, 0);
}

inline bool WindowShown(const QString& title)
{
    return !ShownWindow(title).isEmpty();
}

inline QStringList VisibleClientWindows()
{
    return Xdo({"search", "--onlyvisible", "--classname", "vellomar"}).split(u'\n', Qt::SkipEmptyParts);
}

// Starts trayer as the desktop's tray host, along the bottom right corner.
inline bool StartTrayHost(QProcess& host)
{
    host.start(QStringLiteral("trayer"), {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "64",
                                          "--heighttype", "pixel", "--height", "32", "--SetDockType", "true",
                                          "--SetPartialStrut", "true", "--transparent", "false"});
    if (!host.waitForStarted())
        return false;
    QTest::qWait(800);
    return true;
}

// The centre of the client's tray icon: its small window docked in the tray host.
inline std::optional<QPoint> TrayIconCentre()
{
    std::optional<QPoint> centre;
    WaitFor([&] {
        for (const QString& id : Xdo({"search", "--classname", "vellomar"}).split(u'\n')) {
            const QRect box = Geometry(id);
            if (box.width() > 0 && box.width() <= 48 && box.height() <= 48)
                centre = box.center();
        }
        return centre.has_value();
    });
    return centre;
}

// The client's window that is on the screen now and was not among `before`, once one is.
inline QString NewClientWindow(const QStringList& before)
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

inline void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}

} // namespace Desktop
