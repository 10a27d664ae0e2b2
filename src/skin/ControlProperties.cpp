#include "ControlProperties.h"

#include <QMetaProperty>
#include <QObject>

namespace {

// The published property of that name, compared without case, or an invalid one.
QMetaProperty FindProperty(const QObject* control, const char* name)
{
    const QMetaObject* meta = control->metaObject();
    const int exact = meta->indexOfProperty(name);
    if (exact >= 0)
        return meta->property(exact);
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (qstricmp(meta->property(i).name(), name) == 0)
            return meta->property(i);
    return {};
}

// A dynamic property of that name, compared without case.
QByteArray FindDynamicProperty(const QObject* control, const char* name)
{
    for (const QByteArray& candidate : control->dynamicPropertyNames())
        if (qstricmp(candidate.constData(), name) == 0)
            return candidate;
    return {};
}

} // namespace

QVariant ReadProperty(const QObject* control, const char* name)
{
    if (!control)
        return {};
    if (const QMetaProperty property = FindProperty(control, name); property.isValid())
        return property.read(control);
    if (const QByteArray dynamic = FindDynamicProperty(control, name); !dynamic.isEmpty())
        return control->property(dynamic.constData());
    return {};
}

int ReadOrdinalProperty(const QObject* control, const char* name)
{
    const QVariant value = ReadProperty(control, name);
    if (!value.isValid())
        return 0;
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : 0;
}

QString ReadStringProperty(const QObject* control, const char* name)
{
    if (!control)
        return {};
    if (const QMetaProperty property = FindProperty(control, name); property.isValid() && property.isEnumType()) {
        const QVariant value = property.read(control);
        const char* key = property.enumerator().valueToKey(value.toInt());
        return key ? QString::fromLatin1(key) : QString();
    }
    const QVariant value = ReadProperty(control, name);
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool WriteProperty(QObject* control, const char* name, const QVariant& value)
{
    const QMetaProperty property = control ? FindProperty(control, name) : QMetaProperty();
    return property.isValid() && property.isWritable() && property.write(control, value);
}
