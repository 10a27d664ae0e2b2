#include "Component.h"

#include <QVariant>

#include <algorithm>

ComponentLifecycle::~ComponentLifecycle()
{
    for (const auto& connection : watches_)
        QObject::disconnect(connection);
}

void ComponentLifecycle::Notification(QObject*, TOperation) {}

void ComponentLifecycle::FreeNotification(QObject* component)
{
    if (!component)
        return;
    if (!notified_.contains(component))
        notified_.append(component);
    Watch(component);
}

void ComponentLifecycle::RemoveFreeNotification(QObject* component)
{
    notified_.removeOne(component);
    ReleaseIfUnused(component);
}

void ComponentLifecycle::WatchReference(const void* slot, QObject* component, std::function<void()> cleared)
{
    QObject* previous = nullptr;
    const auto kept = std::find_if(references_.begin(), references_.end(),
                                   [slot](const Reference& reference) { return reference.slot == slot; });
    if (kept != references_.end()) {
        previous = kept->component;
        references_.erase(kept);
    }
    if (component) {
        references_.push_back({slot, component, std::move(cleared)});
        Watch(component);
    }
    if (previous && previous != component)
        ReleaseIfUnused(previous);
}

void ComponentLifecycle::Watch(QObject* component)
{
    if (watched_.contains(component))
        return;
    watched_.append(component);
    watches_.append(QObject::connect(component, &QObject::destroyed, Self(), [this](QObject* gone) { Removed(gone); }));
}

void ComponentLifecycle::ReleaseIfUnused(QObject* component)
{
    const qsizetype i = watched_.indexOf(component);
    const bool referenced =
        std::any_of(references_.begin(), references_.end(),
                    [component](const Reference& reference) { return reference.component == component; });
    if (i < 0 || referenced || notified_.contains(component))
        return;
    QObject::disconnect(watches_[i]);
    watched_.removeAt(i);
    watches_.removeAt(i);
}

void ComponentLifecycle::Removed(QObject* gone)
{
    const qsizetype i = watched_.indexOf(gone);
    if (i >= 0) {
        watched_.removeAt(i);
        watches_.removeAt(i);
    }
    notified_.removeOne(gone);
    // The references are emptied first, so that nothing, Notification included, finds one that
    // points at what is going.
    std::vector<std::function<void()>> clears;
    for (auto it = references_.begin(); it != references_.end();) {
        if (it->component == gone) {
            clears.push_back(std::move(it->cleared));
            it = references_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& clear : clears)
        clear();
    Notification(gone, opRemove);
}

TComponent::TComponent(QObject* owner) : QObject(owner) {}

ComponentLifecycle* AsComponent(QObject* object)
{
    return dynamic_cast<ComponentLifecycle*>(object);
}

int ComponentTag(const QObject* object)
{
    return object ? object->property("Tag").toInt() : 0;
}
