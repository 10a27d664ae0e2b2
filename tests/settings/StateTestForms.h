#pragma once
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/ItemCollection.h"
#include "settings/ComponentState.h"
#include "settings/RegistryStore.h"

#include <QStringList>
#include <QVariant>

#include <functional>

// A non-component object owned by a gadget: its properties are stored after the gadget's
// property name ("gadget.FontName"). `Self` refers back to it, so descending must stop.
class GadgetFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(int Size MEMBER Size)
    Q_PROPERTY(GadgetFont* Self MEMBER Self)

public:
    using QObject::QObject;
    QString Name = QStringLiteral("Tahoma");
    int Size = 8;
    GadgetFont* Self = this;
};

class GadgetItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)

public:
    using QObject::QObject;
    QString Caption;
};

// A component with a property of every kind the persister knows.
class TGadget : public TComponent {
    Q_OBJECT

public:
    enum TShape { shSquare, shCircle, shTriangle = 5 };
    Q_ENUM(TShape)
    enum TStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsBoldItalic = 3 };
    Q_DECLARE_FLAGS(TStyles, TStyle)
    Q_FLAG(TStyles)

private:
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(short Small MEMBER Small)
    Q_PROPERTY(bool Visible MEMBER Visible)
    Q_PROPERTY(char Letter MEMBER Letter)
    Q_PROPERTY(QChar Glyph MEMBER Glyph)
    Q_PROPERTY(TShape Shape MEMBER Shape)
    Q_PROPERTY(TStyles Styles READ GetStyles WRITE SetStyles)
    Q_PROPERTY(float Ratio MEMBER Ratio)
    Q_PROPERTY(double Scale MEMBER Scale)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QByteArray Code MEMBER Code)
    Q_PROPERTY(QVariant Anything MEMBER Anything)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(GadgetFont* Font MEMBER Font)
    Q_PROPERTY(TItemCollection* Items MEMBER Items)
    Q_PROPERTY(QObject* Peer MEMBER Peer)

public:
    explicit TGadget(QObject* owner) : TComponent(owner) {}

    TStyles GetStyles() const { return Styles; }
    void SetStyles(TStyles styles) { Styles = styles; }

    int Count = 0;
    short Small = 0;
    bool Visible = true;
    char Letter = 'A';
    QChar Glyph = QLatin1Char('g');
    TShape Shape = shSquare;
    TStyles Styles;
    float Ratio = 0.5f;
    double Scale = 1.0;
    QString Caption;
    QByteArray Code;
    QVariant Anything = QStringLiteral("design");
    qint64 Big = 0;
    QStringList Lines;
    GadgetFont* Font = new GadgetFont(this);
    TItemCollection* Items = new TItemCollection(this);
    QObject* Peer = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TGadget::TStyles)

// A window laid out like the login window: three edit fields, a registry store on "vellomar"
// and a persister on section "TForm3", plus a gadget. `adjust` runs inside the layout, before
// the components are loaded.
class StateTestForm : public TForm {
    Q_OBJECT

public:
    explicit StateTestForm(const QStringList& lines, const std::function<void(StateTestForm*)>& adjust = {})
    {
        BeginLayout();
        setObjectName(QStringLiteral("Form3"));
        username = AddComponent(new TEdit(ClientArea()));
        username->setObjectName(QStringLiteral("username"));
        username->SetText(QStringLiteral("webmaster"));
        email = AddComponent(new TEdit(ClientArea()));
        email->setObjectName(QStringLiteral("email"));
        password = AddComponent(new TEdit(ClientArea()));
        password->setObjectName(QStringLiteral("password"));
        password->setEchoMode(QLineEdit::Password);
        gadget = AddComponent(new TGadget(this));
        gadget->setObjectName(QStringLiteral("gadget"));
        RegistryStore1 = AddComponent(new TRegistryStore(this));
        RegistryStore1->setObjectName(QStringLiteral("RegistryStore1"));
        RegistryStore1->SetKeyName(QStringLiteral("vellomar"));
        ComponentState1 = AddComponent(new TComponentState(this));
        ComponentState1->setObjectName(QStringLiteral("ComponentState1"));
        ComponentState1->SetSection(QStringLiteral("TForm3"));
        ComponentState1->SetStorage(RegistryStore1);
        ComponentState1->SetStoredProperties(lines);
        if (adjust)
            adjust(this);
        EndLayout();
    }

    TEdit* username = nullptr;
    TEdit* email = nullptr;
    TEdit* password = nullptr;
    TGadget* gadget = nullptr;
    TRegistryStore* RegistryStore1 = nullptr;
    TComponentState* ComponentState1 = nullptr;
};
