#include "ComponentState.h"

#include "DataFiler.h"
#include "PropertyFiling.h"
#include "PropertyList.h"
#include "PropertyPath.h"
#include "framework/Form.h"

#include <QMap>

#include <memory>

TComponentState::TComponentState(QObject* owner) : TAbstractState(owner) {}

TComponentState::~TComponentState()
{
    destroying_ = true;
}

QStringList TComponentState::StoredProperties() const
{
    QStringList paths;
    for (const StoredLine& line : lines_)
        paths.append(line.path);
    return paths;
}

void TComponentState::SetStoredProperties(const QStringList& lines)
{
    lines_.clear();
    for (const QString& path : lines)
        lines_.append({path, nullptr});
}

QObject* TComponentState::LineComponent(int index) const
{
    return index >= 0 && index < lines_.size() ? lines_.at(index).component : nullptr;
}

void TComponentState::Loaded()
{
    TAbstractState::Loaded();
    ResolveLines();
}

void TComponentState::ResolveLines()
{
    const TForm* form = OwnerForm();
    for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
        QString componentName, propertyName;
        QObject* component = nullptr;
        if (form && SplitPropertyPath(lines_[i].path, &componentName, &propertyName))
            component = form->FindComponent(componentName);
        if (!component) {
            lines_.removeAt(i);
            continue;
        }
        lines_[i].component = component;
        FreeNotification(component);
    }
}

void TComponentState::RefreshLines()
{
    for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
        QString componentName, propertyName;
        StoredLine& line = lines_[i];
        if (!SplitPropertyPath(line.path, &componentName, &propertyName) || !line.component) {
            lines_.removeAt(i);
            continue;
        }
        line.path = line.component->objectName() + QLatin1Char('.') + propertyName;
    }
}

void TComponentState::Notification(QObject* component, TOperation operation)
{
    if (operation != opRemove || destroying_)
        return;
    lines_.removeIf([component](const StoredLine& line) { return line.component == component; });
}

template <class FileOne> void TComponentState::FileProperties(TDataFiler& filer, FileOne fileOne)
{
    RefreshLines();
    QMap<QString, std::shared_ptr<TPropertyList>> lists;
    auto key = [](const QObject* component) { return component->objectName().toCaseFolded(); };
    for (const StoredLine& line : lines_)
        if (!lists.contains(key(line.component)))
            lists.insert(key(line.component), std::make_shared<TPropertyList>(line.component));

    // By index: a component removed while its neighbour is filed takes its lines away.
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const StoredLine line = lines_.at(i);
        QString componentName, propertyName;
        if (!line.component || !SplitPropertyPath(line.path, &componentName, &propertyName))
            continue;
        filer.Prefix = line.component->objectName() + QLatin1Char('.');
        if (const TPropertyEntry* entry = lists.value(key(line.component))->Find(propertyName))
            fileOne(*entry, filer);
    }
}

void TComponentState::LoadFromStore()
{
    TAbstractStore* store = Storage();
    if (!store)
        return;
    MarkRestored();
    TDataFiler filer(QString(), SectionText(), store);
    store->Open();
    try {
        FileProperties(filer, RestoreProperty);
    } catch (const std::exception&) {
        // Restoring never reports.
    }
    store->Close();
}

void TComponentState::SaveToStore()
{
    TAbstractStore* store = Storage();
    if (!store)
        return;
    TDataFiler filer(QString(), SectionText(), store);
    store->Open();
    try {
        FileProperties(filer, SaveProperty);
    } catch (...) {
        store->Close();
        throw;
    }
    store->Close();
}
