#include "Timer.h"

TTimer::TTimer(QObject* owner) : TComponent(owner)
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (OnTimer)
            CallHandler([this] { OnTimer(this); });
    });
    Update();
}

void TTimer::SetInterval(int interval)
{
    if (interval == interval_)
        return;
    interval_ = interval;
    timer_.stop();
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::Update()
{
    if (enabled_ && interval_ > 0) {
        if (!timer_.isActive())
            timer_.start(interval_);
    } else {
        timer_.stop();
    }
}
