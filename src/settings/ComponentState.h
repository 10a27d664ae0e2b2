#pragma once
#include "AbstractState.h"

#include <QList>
#include <QStringList>

class TDataFiler;

// Persists named properties of the form's components: each line of StoredProperties is a
// component name, a dot and a property name ("username.Text"). Once the form is read, each line
// is tied to its component (lines naming none are dropped); values are stored under the
// component's actual name and the property's declared name, however the line spells them.
class TComponentState : public TAbstractState {
    Q_OBJECT
    Q_PROPERTY(QStringList StoredProperties READ StoredProperties WRITE SetStoredProperties)

public:
    explicit TComponentState(QObject* owner);
    ~TComponentState() override;

    QStringList StoredProperties() const;
    void SetStoredProperties(const QStringList& lines);
    // The component that line `index` is tied to, or nullptr.
    QObject* LineComponent(int index) const;

    void Loaded() override;
    void Notification(QObject* component, TOperation operation) override;

protected:
    void LoadFromStore() override;
    void SaveToStore() override;

private:
    // A line and the component it is tied to (cleared through the removal notification).
    struct StoredLine {
        QString path;
        QObject* component;
    };

    void ResolveLines();
    void RefreshLines();
    // The walk that restoring and saving share: one property list per component, each line's
    // property found in it and handed to `fileOne`.
    template <class FileOne> void FileProperties(TDataFiler& filer, FileOne fileOne);

    QList<StoredLine> lines_;
    bool destroying_ = false;
};
