#pragma once
#include <QAccessible>
#include <QAccessibleInterface>
#include <QList>
#include <QPointer>
#include <QTest>

// Records the accessibility events the program raises, as a screen reader receives them. Qt
// raises none until it has found the accessibility bus, so tests that use this run under
// scripts/with-accessibility-bus (vellomar_add_test ... ACCESSIBILITY).
class AccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        QPointer<QObject> object; // the object the event names, when it names one
        QString name;             // the name of the interface it names, read when raised
        QAccessible::Role role;
    };

    // True once Qt is ready to raise events, within a few seconds of start-up.
    static bool WaitForBus() { return QTest::qWaitFor([] { return QAccessible::isActive(); }, 15000); }

    AccessibilityEvents()
    {
        recorder_ = this;
        previous_ = QAccessible::installUpdateHandler(&Record);
    }
    ~AccessibilityEvents()
    {
        QAccessible::installUpdateHandler(previous_);
        recorder_ = nullptr;
    }
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    QList<Event> Of(QAccessible::Event type) const
    {
        QList<Event> found;
        for (const Event& event : events)
            if (event.type == type)
                found.append(event);
        return found;
    }
    // "name:role" of the last event of `type`, empty when there was none.
    QString LastNamed(QAccessible::Event type) const
    {
        const QList<Event> found = Of(type);
        return found.isEmpty() ? QString() : found.last().name + u':' + QString::number(found.last().role);
    }

    QList<Event> events;

private:
    static void Record(QAccessibleEvent* event)
    {
        if (!recorder_)
            return;
        QAccessibleInterface* iface = event->accessibleInterface();
        recorder_->events.append({event->type(), event->object(), iface ? iface->text(QAccessible::Name) : QString(),
                                  iface ? iface->role() : QAccessible::NoRole});
    }

    static inline AccessibilityEvents* recorder_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
};
