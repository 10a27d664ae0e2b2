#include "PropertyText.h"

#include "framework/AnsiText.h"

#include <QLocale>
#include <QMetaEnum>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

struct Element {
    QString name;
    int value;
};

// The named elements of an enumeration or set type, by rising ordinal. Booleans are the
// enumeration False, True; a set's elements are its single-bit flags 0 to 31.
QList<Element> Elements(const QMetaProperty& property)
{
    QList<Element> elements;
    if (!property.isEnumType()) {
        if (property.metaType().id() == QMetaType::Bool)
            elements = {{QStringLiteral("False"), 0}, {QStringLiteral("True"), 1}};
        return elements;
    }
    const QMetaEnum type = property.enumerator();
    for (int i = 0; i < type.keyCount(); ++i) {
        const int value = type.value(i);
        if (type.isFlag() && (value == 0 || (quint32(value) & (quint32(value) - 1)) != 0))
            continue;
        elements.append({QString::fromLatin1(type.key(i)), value});
    }
    const bool flags = type.isFlag();
    std::stable_sort(elements.begin(), elements.end(), [flags](const Element& a, const Element& b) {
        return flags ? quint32(a.value) < quint32(b.value) : a.value < b.value;
    });
    return elements;
}

QLocale NumberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

int SignificantDigits(const QMetaProperty& property)
{
    return property.metaType().id() == QMetaType::Float ? 7 : 15;
}

QString EncodeSet(const QMetaProperty& property, int value)
{
    QStringList members;
    for (const Element& element : Elements(property))
        if (quint32(value) & quint32(element.value))
            members.append(element.name);
    return QLatin1Char('[') + members.join(QLatin1Char(',')) + QLatin1Char(']');
}

int DecodeSet(const QMetaProperty& property, const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[ ,\\[\\]]+"));
    const QList<Element> elements = Elements(property);
    quint32 members = 0;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts))
        for (const Element& element : elements)
            if (element.name.compare(word, Qt::CaseInsensitive) == 0) {
                members |= quint32(element.value);
                break;
            }
    return int(members);
}

// The integer in `text` when the property's type can hold it; 0 for text that is no number.
std::optional<qlonglong> DecodeInteger(const QMetaProperty& property, const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return 0;
    auto fits = [value](auto limits) {
        using T = decltype(limits);
        return value >= qlonglong(std::numeric_limits<T>::min()) && (value < 0 || qulonglong(value) <= qulonglong(std::numeric_limits<T>::max()));
    };
    bool inRange = true;
    switch (property.metaType().id()) {
    case QMetaType::Int: inRange = fits(int()); break;
    case QMetaType::UInt: inRange = fits(uint()); break;
    case QMetaType::Short: inRange = fits(short()); break;
    case QMetaType::UShort: inRange = fits(ushort()); break;
    case QMetaType::Long: inRange = fits(long()); break;
    case QMetaType::ULong: inRange = fits(ulong()); break;
    case QMetaType::SChar: inRange = fits((signed char)0); break;
    case QMetaType::UChar: inRange = fits((unsigned char)0); break;
    default: break;
    }
    if (!inRange)
        return std::nullopt;
    return value;
}

// Writes `value` converted to the property's own type where Qt knows the conversion.
void WriteAs(const TPropertyEntry& entry, const QVariant& value)
{
    QVariant converted = value;
    entry.Write(converted.convert(entry.property.metaType()) ? converted : value);
}

} // namespace

bool IsTextKind(PropertyKind kind)
{
    return kind == PropertyKind::ShortString || kind == PropertyKind::WideChar || kind == PropertyKind::String;
}

QString EncodeProperty(const TPropertyEntry& entry)
{
    const QVariant value = entry.Read();
    switch (entry.kind) {
    case PropertyKind::Integer:
        return value.toString();
    case PropertyKind::Char:
        return FromAnsi(std::string(1, value.value<char>()));
    case PropertyKind::Enumeration: {
        const int ordinal = value.toInt();
        for (const Element& element : Elements(entry.property))
            if (element.value == ordinal)
                return element.name;
        return QString();
    }
    case PropertyKind::Float:
        return NumberLocale().toString(value.toDouble(), 'g', SignificantDigits(entry.property));
    case PropertyKind::ShortString:
        return FromAnsi(value.toByteArray().toStdString());
    case PropertyKind::String:
        return value.toString();
    case PropertyKind::Set:
        return EncodeSet(entry.property, value.toInt());
    case PropertyKind::WideChar:
        return QString(value.value<QChar>());
    case PropertyKind::Variant:
        return value.toString();
    default:
        return QString();
    }
}

void DecodeProperty(const TPropertyEntry& entry, const QString& text)
{
    switch (entry.kind) {
    case PropertyKind::Integer:
        if (const auto value = DecodeInteger(entry.property, text))
            WriteAs(entry, *value);
        break;
    case PropertyKind::Char: {
        const std::string bytes = ToAnsi(text.left(1));
        entry.Write(QVariant::fromValue(bytes.empty() ? char(0) : bytes.front()));
        break;
    }
    case PropertyKind::Enumeration:
        for (const Element& element : Elements(entry.property))
            if (element.name.compare(text, Qt::CaseInsensitive) == 0) {
                WriteAs(entry, element.value);
                break;
            }
        break;
    case PropertyKind::Float: {
        bool ok = false;
        const double value = NumberLocale().toDouble(text, &ok);
        if (ok)
            WriteAs(entry, value);
        break;
    }
    case PropertyKind::ShortString:
        entry.Write(QByteArray::fromStdString(ToAnsi(text)));
        break;
    case PropertyKind::String:
        entry.Write(text);
        break;
    case PropertyKind::Set:
        WriteAs(entry, DecodeSet(entry.property, text));
        break;
    case PropertyKind::WideChar:
        if (!text.isEmpty())
            entry.Write(QVariant::fromValue(text.at(0)));
        break;
    case PropertyKind::Variant:
        entry.Write(QVariant(text));
        break;
    default:
        break;
    }
}
