#include "Form.h"

#include "Application.h"
#include "MainMenu.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QList<TForm*>& AllForms()
{
    static QList<TForm*> forms;
    return forms;
}

} // namespace

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window), rows_(new QVBoxLayout(this)), client_(new QWidget(this))
{
    client_->setObjectName(QStringLiteral("clientArea"));
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    rows_->addWidget(client_);
    setContentsMargins(0, 0, 0, 0);
    AllForms().append(this);
}

TForm::~TForm()
{
    AllForms().removeOne(this);
}

const QList<TForm*>& TForm::Forms()
{
    return AllForms();
}

void TForm::SetColor(TColor color)
{
    color_ = color;
    // The face colour is the toolkit's own window colour: no override is kept for it.
    if (color == clBtnFace) {
        setPalette(QPalette());
        return;
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(color));
    setPalette(colours);
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (menu_ == menu)
        return;
    if (menu_)
        rows_->removeWidget(menu_);
    menu_ = menu;
    if (menu_)
        rows_->insertWidget(0, menu_);
}

void TForm::CenterOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TForm::Show()
{
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    // A handler that fails stops the close.
    if (const TCloseQueryEvent handler = OnCloseQuery)
        return CallHandler([&] { handler(this, canClose); }) && canClose;
    return canClose;
}

QObject* TForm::FindComponent(const QString& name) const
{
    for (QObject* component : components_)
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TForm::Destroy()
{
    if (destroying_)
        return;
    destroying_ = true;
    if (const TNotifyEvent handler = OnDestroy)
        CallHandler([&] { handler(this); });
    delete this;
}

void TForm::BeginLayout()
{
    SetReading(true);
}

void TForm::EndLayout()
{
    SetReading(false);
    for (QObject* component : components_)
        if (auto* lifecycle = AsComponent(component))
            lifecycle->SetReading(false);
    // A component that ends the program (a second copy's guard) is the last one loaded: no
    // tray icon or skin after it. An ending program runs no create events: no start-up
    // picture, no page, no settings read.
    const auto ending = [] { return Application && Application->Terminated(); };
    const bool endingBefore = ending();
    for (QObject* component : components_) {
        if (ending() && !endingBefore)
            break;
        if (auto* lifecycle = AsComponent(component))
            CallHandler([&] { lifecycle->Loaded(); });
    }
    // A copy: a handler may put another one in the slot while it runs.
    if (const TNotifyEvent handler = OnCreate; handler && !ending())
        CallHandler([&] { handler(this); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    if (const TCloseEvent handler = OnClose)
        if (!CallHandler([&] { handler(this, action); }))
            return;
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        hide();
        break;
    case caMinimize:
        setWindowState(windowState() | Qt::WindowMinimized);
        break;
    case caFree:
        hide();
        QMetaObject::invokeMethod(this, [this] { Destroy(); }, Qt::QueuedConnection);
        break;
    case caNone:
        break;
    }
}
