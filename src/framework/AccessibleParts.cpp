#include "AccessibleParts.h"

#include <QMetaObject>
#include <QSet>

QWindow* AccessibleWidgetPart::window() const
{
    return owner_ ? owner_->window()->windowHandle() : nullptr;
}

void* AccessibleWidgetPart::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QRect AccessibleWidgetPart::ToScreen(const QRect& r) const
{
    if (!owner_ || r.isEmpty())
        return {};
    return QRect(owner_->mapToGlobal(r.topLeft()), r.size());
}

QAccessibleInterface* AccessibleWidgetPart::OwnerInterface() const
{
    return owner_ ? QAccessible::queryAccessibleInterface(owner_.data()) : nullptr;
}

AccessiblePartCache::~AccessiblePartCache()
{
    // Taken out of the accessibility cache, which deletes them (a no-op for those it already
    // deleted while shutting down).
    for (const auto& [key, id] : ids_)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* AccessiblePartCache::Get(const void* key, const std::function<QAccessibleInterface*()>& make)
{
    if (auto it = ids_.find(key); it != ids_.end()) {
        QAccessibleInterface* part = QAccessible::accessibleInterface(it->second);
        if (part && part->isValid())
            return part;
        QAccessible::deleteAccessibleInterface(it->second);
        ids_.erase(it);
    }
    QAccessibleInterface* part = make();
    ids_[key] = QAccessible::registerAccessibleInterface(part);
    return part;
}

int IndexAmongChildren(const QAccessibleInterface* parent, const QAccessibleInterface* child)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* ChildAtPoint(const QAccessibleInterface* parent, int x, int y)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (QAccessibleInterface* child = parent->child(i); child && child->rect().contains(x, y))
            return child;
    return nullptr;
}

void InstallAccessibleFactory(QAccessible::InterfaceFactory factory)
{
    static QSet<QAccessible::InterfaceFactory> installed;
    if (installed.contains(factory))
        return;
    installed.insert(factory);
    QAccessible::installFactory(factory);
}

void RunAccessibleAction(QObject* context, std::function<void()> action)
{
    if (!context)
        return;
    QMetaObject::invokeMethod(context, std::move(action), Qt::QueuedConnection);
}

void AnnounceAccessibleFocus(QAccessibleInterface* part)
{
    if (!part || !QAccessible::isActive())
        return;
    QAccessibleEvent event(part, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
