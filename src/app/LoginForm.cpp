#include "LoginForm.h"

#include "AppIcon.h"
#include "settings/ComponentState.h"
#include "settings/RegistryStore.h"

TForm3* Form3 = nullptr;

TForm3::TForm3()
{
    BeginLayout();
    setObjectName(QStringLiteral("Form3"));
    SetCaption(QStringLiteral("Vellomar Login"));
    setWindowIcon(AppIcon());
    resize(426, 195);

    // The nick, e-mail and password fields are kept under HKEY_CURRENT_USER\vellomar\TForm3.
    RegistryStore1 = AddComponent(new TRegistryStore(this));
    RegistryStore1->setObjectName(QStringLiteral("RegistryStore1"));
    RegistryStore1->SetKeyName(QStringLiteral("vellomar"));
    ComponentState1 = AddComponent(new TComponentState(this));
    ComponentState1->setObjectName(QStringLiteral("ComponentState1"));
    ComponentState1->SetSection(QStringLiteral("TForm3"));
    ComponentState1->SetStorage(RegistryStore1);
    ComponentState1->SetStoredProperties(
        {QStringLiteral("username.Text"), QStringLiteral("password.Text"), QStringLiteral("email.Text")});
    EndLayout();
}
