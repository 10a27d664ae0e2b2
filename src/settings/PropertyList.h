#pragma once
#include <QList>
#include <QMetaProperty>
#include <QString>

// What a property holds, as the persister sees it. The kinds from WideString on are listed but
// never read or written.
enum class PropertyKind {
    Integer,
    Char,
    Enumeration,
    Float,
    ShortString,
    Set,
    Object,
    WideChar,
    String,
    Variant,
    WideString,
    Int64,
    Interface,
    Array,
    Record,
    DynArray,
};

// One persistable property of one object.
struct TPropertyEntry {
    QString name;
    PropertyKind kind = PropertyKind::Record;
    QMetaProperty property;
    QObject* object = nullptr;

    // An Object property whose value is a list of lines rather than an object.
    bool IsStringList() const;
    QVariant Read() const { return property.read(object); }
    bool Write(const QVariant& value) const { return property.write(object, value); }
};

// The persistable properties of one object: every Q_PROPERTY but QObject's own, by its declared
// name (a class's own declaration hides an inherited one spelled the same ignoring case). A
// property whose type is TItemCollection is replaced by the properties of each item, named
// "Items[0].Caption".
class TPropertyList {
public:
    explicit TPropertyList(QObject* object);

    const QList<TPropertyEntry>& Entries() const { return entries_; }
    // The first entry whose name equals `name` ignoring case, or nullptr.
    const TPropertyEntry* Find(const QString& name) const;

private:
    void Add(QObject* object, const QString& prefix, QList<QObject*>& expanding);

    QList<TPropertyEntry> entries_;
};

PropertyKind KindOf(const QMetaProperty& property);
