#include "SlideEnvironment.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {
SlideEnvironment desktopEnvironment;
SlideEnvironment* current = &desktopEnvironment;
}

QRect SlideEnvironment::WorkArea() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void SlideEnvironment::Wait(int ms)
{
    // A nested loop rather than a busy wait: events, timers and page calls run meanwhile.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

SlideEnvironment& SlideEnvironment::Current()
{
    return *current;
}

SlideEnvironment* SlideEnvironment::Install(SlideEnvironment* environment)
{
    SlideEnvironment* previous = current;
    current = environment ? environment : &desktopEnvironment;
    return previous == &desktopEnvironment ? nullptr : previous;
}
