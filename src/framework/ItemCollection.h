#pragma once
#include <QList>
#include <QObject>

// An indexed collection of items, each a QObject with its own published properties. The
// collection owns its items.
class TItemCollection : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    int Count() const { return static_cast<int>(items_.size()); }
    QObject* Item(int index) const { return items_.at(index); }

    // Takes ownership of `item` and appends it.
    template <class T> T* Add(T* item)
    {
        item->setParent(this);
        items_.append(item);
        return item;
    }

private:
    QList<QObject*> items_;
};
