#pragma once
#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

// Accessibility for what a widget paints itself: rows, links, panels that are no widgets of their
// own. Each such part is an interface without an object, registered with the accessibility
// cache so that clients can hold on to it and receive events about it.

// The common ground of the parts of one widget: they live in its window, have no text to set
// and no children unless they say so, and offer their actions through the action interface.
class AccessibleWidgetPart : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit AccessibleWidgetPart(QWidget* owner) : owner_(owner) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    void setText(QAccessible::Text, const QString&) override {}
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override {}
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    QWidget* Owner() const { return owner_; }
    // A widget rectangle on the screen.
    QRect ToScreen(const QRect& r) const;
    // The owner's own interface, which the parts hang from.
    QAccessibleInterface* OwnerInterface() const;

private:
    QPointer<QWidget> owner_;
};

// The part interfaces of one widget by key, made on first request and kept while the widget's
// own interface lives, so a client always meets the same part for the same thing.
class AccessiblePartCache {
public:
    AccessiblePartCache() = default;
    AccessiblePartCache(const AccessiblePartCache&) = delete;
    AccessiblePartCache& operator=(const AccessiblePartCache&) = delete;
    ~AccessiblePartCache();

    // The part for `key`; `make` builds it when there is none or the one there went stale.
    QAccessibleInterface* Get(const void* key, const std::function<QAccessibleInterface*()>& make);

private:
    std::map<const void*, QAccessible::Id> ids_;
};

// The index of `child` among the children of `parent`, -1 when it is none of them.
int IndexAmongChildren(const QAccessibleInterface* parent, const QAccessibleInterface* child);
// The child of `parent` whose rectangle holds the screen point (x, y), or nullptr.
QAccessibleInterface* ChildAtPoint(const QAccessibleInterface* parent, int x, int y);

// Adds `factory` to those the accessibility layer asks, unless it is there already.
void InstallAccessibleFactory(QAccessible::InterfaceFactory factory);

// Runs `action` from the event loop, once `context` is still there: a press asked for by an
// assistive client behaves like a click posted to the program rather than running inside the
// client's request.
void RunAccessibleAction(QObject* context, std::function<void()> action);

// Tells the accessibility clients that `part` now has the focus.
void AnnounceAccessibleFocus(QAccessibleInterface* part);
