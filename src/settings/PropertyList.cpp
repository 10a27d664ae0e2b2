#include "PropertyList.h"

#include "framework/ItemCollection.h"

#include <QHash>
#include <QMetaType>

namespace {

constexpr qsizetype kMaxNameLength = 255;

bool IsItemCollection(const QMetaProperty& property)
{
    QString type = QString::fromLatin1(property.typeName());
    if (type.endsWith(QLatin1Char('*')))
        type.chop(1);
    return type.trimmed().compare(QLatin1String("TItemCollection"), Qt::CaseInsensitive) == 0;
}

} // namespace

PropertyKind KindOf(const QMetaProperty& property)
{
    if (property.isFlagType())
        return PropertyKind::Set;
    if (property.isEnumType())
        return PropertyKind::Enumeration;
    const QMetaType type = property.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return PropertyKind::Enumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return PropertyKind::Integer;
    case QMetaType::Char:
        return PropertyKind::Char;
    case QMetaType::QChar:
        return PropertyKind::WideChar;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return PropertyKind::Int64;
    case QMetaType::Float:
    case QMetaType::Double:
        return PropertyKind::Float;
    case QMetaType::QString:
        return PropertyKind::String;
    case QMetaType::QByteArray:
        return PropertyKind::ShortString;
    case QMetaType::QVariant:
        return PropertyKind::Variant;
    case QMetaType::QStringList:
        return PropertyKind::Object;
    default:
        break;
    }
    if (type.flags() & QMetaType::PointerToQObject)
        return PropertyKind::Object;
    return PropertyKind::Record;
}

bool TPropertyEntry::IsStringList() const
{
    return property.metaType().id() == QMetaType::QStringList;
}

TPropertyList::TPropertyList(QObject* object)
{
    QList<QObject*> expanding;
    if (object)
        Add(object, QString(), expanding);
}

void TPropertyList::Add(QObject* object, const QString& prefix, QList<QObject*>& expanding)
{
    expanding.append(object);
    const QMetaObject* meta = object->metaObject();
    // The most derived declaration of each name, ignoring case.
    QHash<QString, int> declared;
    for (int i = 0; i < meta->propertyCount(); ++i)
        declared.insert(QString::fromLatin1(meta->property(i).name()).toCaseFolded(), i);

    // Qt's own objectName is not published: components publish their Name.
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (declared.value(name.toCaseFolded()) != i)
            continue;
        if (!IsItemCollection(property)) {
            entries_.append({(prefix + name).left(kMaxNameLength), KindOf(property), property, object});
            continue;
        }
        const auto* collection = qobject_cast<TItemCollection*>(property.read(object).value<QObject*>());
        if (!collection)
            continue;
        for (int item = 0; item < collection->Count(); ++item) {
            QObject* member = collection->Item(item);
            if (expanding.contains(member))
                continue;
            Add(member, QStringLiteral("%1%2[%3].").arg(prefix, name).arg(item), expanding);
        }
    }
    expanding.removeLast();
}

const TPropertyEntry* TPropertyList::Find(const QString& name) const
{
    for (const TPropertyEntry& entry : entries_)
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}
