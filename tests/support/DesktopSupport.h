#pragma once
// Driving the built client on a real X server with xdotool, as a person would.
#include <QElapsedTimer>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <functional>

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

} // namespace Desktop
