#pragma once
#include "AbstractStore.h"
#include "framework/Component.h"
#include "framework/Events.h"

class TForm;

// A persister placed on a form: once the form's layout has been read it takes the form's
// create, close-query and destroy events, restoring its values when the form is created,
// saving them on every accepted close, and at destruction when nothing was saved since the
// restore. A store that goes away makes it inactive.
class TAbstractState : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QString Section READ Section WRITE SetSection)
    Q_PROPERTY(TAbstractStore* Storage READ Storage WRITE SetStorage)

public:
    // Fails with "This component can only be used on forms" unless `owner` is a form.
    explicit TAbstractState(QObject* owner);
    ~TAbstractState() override;

    TNotifyEvent OnSaveState;
    TNotifyEvent OnRestoreState;

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    // The set section, else the owner form's class name.
    QString Section() const;
    void SetSection(const QString& section) { section_ = section; }
    TAbstractStore* Storage() const { return storage_; }
    void SetStorage(TAbstractStore* store);

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }

    // Reads the values back (clears the saved flag).
    void RecallState();
    // Writes the values; does nothing while active and not yet restored.
    void PersistState();

    void Loaded() override;

protected:
    virtual void LoadFromStore() = 0;
    virtual void SaveToStore() = 0;

    // The section exactly as set: values of an unset section go to the store key itself.
    const QString& SectionText() const { return section_; }
    void MarkRestored() { restored_ = true; }
    TForm* OwnerForm() const;

private:
    void HookOwnerForm();
    void FormCreate(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void FormDestroy(QObject* Sender);

    bool active_ = true;
    QString section_;
    // Cleared by the store's removal notification.
    TAbstractStore* storage_ = nullptr;
    bool restored_ = false;
    bool saved_ = false;

    TForm* hookedForm_ = nullptr;
    TNotifyEvent keptOnCreate_;
    TCloseQueryEvent keptOnCloseQuery_;
    TNotifyEvent keptOnDestroy_;
};
