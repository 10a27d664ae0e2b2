#pragma once
#include "Component.h"
#include "Events.h"

#include <QTimer>

// A message-loop timer. Enabling a timer that already runs does not restart it; changing the
// interval of a running timer does.
class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    explicit TTimer(QObject* owner = nullptr);

    TNotifyEvent OnTimer;

    int Interval() const { return interval_; }
    void SetInterval(int interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Running() const { return timer_.isActive(); }
    // Milliseconds until the next tick, -1 when not running.
    int RemainingTime() const { return timer_.remainingTime(); }

private:
    void Update();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};
