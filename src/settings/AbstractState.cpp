#include "AbstractState.h"

#include "framework/ComponentReference.h"
#include "framework/Exception.h"
#include "framework/Form.h"

TAbstractState::TAbstractState(QObject* owner) : TComponent(owner)
{
    if (!dynamic_cast<TForm*>(owner))
        throw Exception(QStringLiteral("This component can only be used on forms"));
}

TAbstractState::~TAbstractState()
{
    // While the form itself is being destroyed it is no longer a TForm, and its handlers are gone.
    if (hookedForm_ && dynamic_cast<TForm*>(parent()) == hookedForm_) {
        hookedForm_->OnCreate = keptOnCreate_;
        hookedForm_->OnCloseQuery = keptOnCloseQuery_;
        hookedForm_->OnDestroy = keptOnDestroy_;
    }
}

TForm* TAbstractState::OwnerForm() const
{
    return dynamic_cast<TForm*>(parent());
}

QString TAbstractState::Section() const
{
    if (!section_.isEmpty())
        return section_;
    const TForm* form = OwnerForm();
    return form ? QString::fromLatin1(form->metaObject()->className()) : QString();
}

void TAbstractState::SetStorage(TAbstractStore* store)
{
    // A store that goes takes the persister out of service.
    SetComponentReference(*this, storage_, store, [this] { active_ = false; });
}

void TAbstractState::RecallState()
{
    saved_ = false;
    LoadFromStore();
    restored_ = true;
    if (OnRestoreState)
        OnRestoreState(this);
}

void TAbstractState::PersistState()
{
    if (!restored_ && active_)
        return;
    SaveToStore();
    if (OnSaveState)
        OnSaveState(this);
    saved_ = true;
}

void TAbstractState::Loaded()
{
    HookOwnerForm();
}

void TAbstractState::HookOwnerForm()
{
    TForm* form = OwnerForm();
    if (!form || hookedForm_)
        return;
    hookedForm_ = form;
    keptOnCreate_ = form->OnCreate;
    keptOnCloseQuery_ = form->OnCloseQuery;
    keptOnDestroy_ = form->OnDestroy;
    form->OnCreate = [this](QObject* Sender) { FormCreate(Sender); };
    form->OnCloseQuery = [this](QObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
    form->OnDestroy = [this](QObject* Sender) { FormDestroy(Sender); };
}

void TAbstractState::FormCreate(QObject* Sender)
{
    if (keptOnCreate_)
        keptOnCreate_(Sender);
    if (active_)
        CallHandler([this] { RecallState(); });
}

void TAbstractState::FormCloseQuery(QObject* Sender, bool& CanClose)
{
    if (keptOnCloseQuery_)
        keptOnCloseQuery_(Sender, CanClose);
    if (CanClose && active_)
        CallHandler([this] { PersistState(); });
}

void TAbstractState::FormDestroy(QObject* Sender)
{
    if (active_ && !saved_)
        CallHandler([this] { PersistState(); });
    if (keptOnDestroy_)
        keptOnDestroy_(Sender);
}
