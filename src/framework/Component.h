#pragma once
#include <QList>
#include <QObject>

#include <functional>
#include <vector>

enum TOperation { opInsert, opRemove };

// What every component of a form shares, visual (a QWidget) or not (a TComponent): the owner is
// the QObject parent and Name its objectName; the form calls Loaded() on each component in
// layout order once the whole layout has been built; a component that refers to another asks
// to be told when that one goes (FreeNotification) and hears it in Notification().
class ComponentLifecycle {
public:
    virtual ~ComponentLifecycle();

    // True while the owner's stored layout is being built.
    bool Reading() const { return reading_; }
    void SetReading(bool reading) { reading_ = reading; }

    virtual void Loaded() {}
    virtual void Notification(QObject* component, TOperation operation);

    // Calls Notification(component, opRemove) on this one when `component` is destroyed.
    void FreeNotification(QObject* component);
    void RemoveFreeNotification(QObject* component);

    // A number the program gives a component for its own use (the skin leaves out the ones its
    // DisableTag names). Classes publish it as the property "Tag".
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // This component's reference `slot` now points at `component` (or at none); see
    // SetComponentReference. When that component is destroyed `cleared` runs, then
    // Notification. One that no reference and no FreeNotification asks for any more is let go.
    void WatchReference(const void* slot, QObject* component, std::function<void()> cleared);

protected:
    // The QObject that this lifecycle belongs to (the component itself).
    virtual QObject* Self() = 0;

private:
    struct Reference {
        const void* slot;
        QObject* component;
        std::function<void()> cleared;
    };

    void Watch(QObject* component);
    void ReleaseIfUnused(QObject* component);
    void Removed(QObject* gone);

    bool reading_ = false;
    int tag_ = 0;
    QList<QMetaObject::Connection> watches_;
    QList<QObject*> watched_;
    QList<QObject*> notified_;
    std::vector<Reference> references_;
};

// A non-visual component.
class TComponent : public QObject, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TComponent(QObject* owner = nullptr);

    QObject* Owner() const { return parent(); }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

protected:
    QObject* Self() override { return this; }
};

// The lifecycle part of a component, or nullptr for plain Qt objects.
ComponentLifecycle* AsComponent(QObject* object);

// The "Tag" property of any object (a published one or one set with setProperty); 0 without.
int ComponentTag(const QObject* object);
