#include "PropertyFiling.h"

#include "PropertyPath.h"
#include "PropertyText.h"
#include "framework/Component.h"

#include <QList>

#include <algorithm>

namespace {

// The objects being descended into, so that objects referring to each other end the descent.
using ObjectPath = QList<QObject*>;

void Save(const TPropertyEntry& entry, TDataFiler& filer, ObjectPath& path);
void Restore(const TPropertyEntry& entry, TDataFiler& filer, ObjectPath& path);

bool IsComponent(QObject* object)
{
    return AsComponent(object) != nullptr || object->isWidgetType();
}

QString ListSection(const TPropertyEntry& entry, const TDataFiler& filer)
{
    return filer.Section + QLatin1Char('.') + filer.ValueName(entry.name);
}

QString ItemName(int index)
{
    return QStringLiteral("Item%1").arg(index);
}

void SaveStringList(const TPropertyEntry& entry, TDataFiler& filer)
{
    const QStringList lines = entry.Read().toStringList();
    const QString section = ListSection(entry, filer);
    filer.EraseSection(section);
    if (lines.isEmpty())
        return;
    filer.WriteText(section, QStringLiteral("Count"), QString::number(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        filer.WriteText(section, ItemName(i), lines.at(i));
}

void RestoreStringList(const TPropertyEntry& entry, TDataFiler& filer)
{
    const QString section = ListSection(entry, filer);
    // A damaged hive's count can ask for billions of lines: no more are read than the section
    // holds values besides "Count" itself.
    const qint64 stored = filer.ValueCount(section) - 1;
    const qint64 count =
        std::min<qint64>(TrimBlanks(filer.ReadText(section, QStringLiteral("Count"), QStringLiteral("0"))).toInt(), stored);
    if (count <= 0)
        return;
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(filer.ReadText(section, ItemName(i), QString()));
    entry.Write(lines);
}

// The object an Object property refers to, when its own properties are to be filed.
QObject* FiledObject(const TPropertyEntry& entry, const ObjectPath& path)
{
    QObject* object = entry.Read().value<QObject*>();
    if (!object || IsComponent(object) || path.contains(object))
        return nullptr;
    return object;
}

template <class FileOne>
void FileObject(const TPropertyEntry& entry, TDataFiler& filer, ObjectPath& path, FileOne fileOne)
{
    QObject* object = FiledObject(entry, path);
    if (!object)
        return;
    const auto child = filer.CreateChildFiler(filer.Prefix + entry.name);
    path.append(object);
    const TPropertyList members(object);
    for (const TPropertyEntry& member : members.Entries())
        fileOne(member, *child, path);
    path.removeLast();
}

void Save(const TPropertyEntry& entry, TDataFiler& filer, ObjectPath& path)
{
    if (entry.kind == PropertyKind::Object) {
        if (entry.IsStringList())
            SaveStringList(entry, filer);
        else
            FileObject(entry, filer, path, Save);
        return;
    }
    const QString text = EncodeProperty(entry);
    if (text.isEmpty() && !IsTextKind(entry.kind))
        return;
    filer.WriteText(filer.Section, filer.ValueName(entry.name), TrimBlanks(text));
}

void Restore(const TPropertyEntry& entry, TDataFiler& filer, ObjectPath& path)
{
    try {
        if (entry.kind == PropertyKind::Object) {
            if (entry.IsStringList())
                RestoreStringList(entry, filer);
            else
                FileObject(entry, filer, path, Restore);
            return;
        }
        QString text = EncodeProperty(entry);
        if (!text.isEmpty() || IsTextKind(entry.kind))
            text = TrimBlanks(filer.ReadText(filer.Section, filer.ValueName(entry.name), text));
        else
            text.clear();
        DecodeProperty(entry, text);
    } catch (const std::exception&) {
        // A value that cannot be read leaves its property as it was.
    }
}

} // namespace

void SaveProperty(const TPropertyEntry& entry, TDataFiler& filer)
{
    ObjectPath path{entry.object};
    Save(entry, filer, path);
}

void RestoreProperty(const TPropertyEntry& entry, TDataFiler& filer)
{
    ObjectPath path{entry.object};
    Restore(entry, filer, path);
}
