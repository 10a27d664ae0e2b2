#include "Component.h"

#include <QVariant>

ComponentLifecycle::~ComponentLifecycle()
{
    for (const auto& connection : watches_)
        QObject::disconnect(connection);
}

void ComponentLifecycle::Notification(QObject*, TOperation) {}

void ComponentLifecycle::FreeNotification(QObject* component)
{
    if (!component || watched_.contains(component))
        return;
    watched_.append(component);
    watches_.append(QObject::connect(component, &QObject::destroyed, Self(), [this](QObject* gone) {
        const qsizetype i = watched_.indexOf(gone);
        if (i >= 0) {
            watched_.removeAt(i);
            watches_.removeAt(i);
        }
        Notification(gone, opRemove);
    }));
}

void ComponentLifecycle::RemoveFreeNotification(QObject* component)
{
    const qsizetype i = watched_.indexOf(component);
    if (i < 0)
        return;
    QObject::disconnect(watches_[i]);
    watched_.removeAt(i);
    watches_.removeAt(i);
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
