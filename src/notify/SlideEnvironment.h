#pragma once
#include <QRect>

// What the popup's slides read from the desktop: the work area and the paced wait. Tests
// install their own to fix the work area and watch every step.
class SlideEnvironment {
public:
    virtual ~SlideEnvironment() = default;
    // The desktop without its panels, in screen pixels.
    virtual QRect WorkArea() const;
    // Waits `ms` while the message loop keeps running (handlers may run inside).
    virtual void Wait(int ms);

    static SlideEnvironment& Current();
    // Installs an environment (nullptr restores the desktop one); returns the previous one.
    static SlideEnvironment* Install(SlideEnvironment* environment);
};
