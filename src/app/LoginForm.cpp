#include "LoginForm.h"

#include "AppIcon.h"
#include "ServiceHost.h"
#include "framework/AnsiText.h"
#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/Edit.h"
#include "service/PageFetch.h"
#include "service/ServiceAddresses.h"
#include "settings/ComponentState.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The hourglass for the length of a check. It is taken back on every way out, so no cursor
// override is left behind.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    void Restore()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// Hints are shown as written: "<nick>" must not be taken for markup.
QString PlainHint(const QString& text)
{
    return QStringLiteral("<qt>") + text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))
        + QStringLiteral("</qt>");
}

std::string Ansi(const QLineEdit* field)
{
    return ToAnsi(field->text());
}

} // namespace

TForm3::TForm3()
{
    BeginLayout();
    SetCaption(QStringLiteral("Vellomar Login"));
    // A sizeable tool window: thin caption with a close box only, no task-bar button.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    resize(kOuterWidth, kOuterHeight);

    auto* fill = new QVBoxLayout(ClientArea());
    fill->setContentsMargins(0, 0, 0, 0);
    GroupBox1 = AddComponent(new TGroupBox(ClientArea()));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFlat(true);
    fill->addWidget(GroupBox1);

    Label1 = AddLabel("Label1", 16, 24, QStringLiteral("Enter your nick(anything)"));
    Label3 = AddLabel("Label3", 16, 52, QStringLiteral("Enter your email"));
    Label2 = AddLabel("Label2", 16, 80, QStringLiteral("Enter your password"));

    username = AddEdit("username", QRect(136, 24, 169, 19),
                       QStringLiteral("Enter your nick name here.\n"
                                      "you should include <nick>.jpg picture into the installation directory"));
    username->setText(QStringLiteral("webmaster"));
    QFont bold = username->font();
    bold.setBold(true);
    username->setFont(bold);
    QPalette grey = username->palette();
    grey.setColor(QPalette::Base, QColor(232, 232, 232));
    username->setPalette(grey);

    email = AddEdit("email", QRect(136, 48, 169, 19), QStringLiteral("email provided in sign in form"));

    password = AddEdit("password", QRect(136, 72, 169, 19), QStringLiteral("Password provided in sign in form"));
    password->setEchoMode(QLineEdit::Password);
    // Flat, and every character shown as "*".
    password->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid palette(dark); background: palette(base); lineedit-password-character: 42; }"
        "QLineEdit:focus { border-color: palette(highlight); }"));
    setTabOrder(username, email);
    setTabOrder(email, password);
    // Each label names its field for screen readers.
    Label1->setBuddy(username);
    Label3->setBuddy(email);
    Label2->setBuddy(password);

    SpeedButton1 = AddButton("SpeedButton1", QRect(312, 24, 97, 65), QStringLiteral("Login"),
                             QStringLiteral(":/images/login/login.png"), QStringLiteral("Click here to login"));
    SpeedButton1->SetLayout(blGlyphTop);
    SpeedButton1->setIconSize(QSize(32, 32));
    SpeedButton2 = AddButton("SpeedButton2", QRect(16, 120, 185, 33), QStringLiteral("Forgotten password"),
                             QStringLiteral(":/images/login/forgotten.png"),
                             QStringLiteral("Press here if you have forgotten your password"));
    SpeedButton3 = AddButton("SpeedButton3", QRect(224, 120, 185, 33), QStringLiteral("Sign in for New Account"),
                             QStringLiteral(":/images/login/newaccount.png"),
                             QStringLiteral("Press here if you have not signed for a new account yet !"));
    QFont boldButton = SpeedButton3->font();
    boldButton.setBold(true);
    SpeedButton3->setFont(boldButton);
    connect(SpeedButton1, &TSpeedButton::clicked, this,
            [this] { CallHandler([this] { SpeedButton1Click(SpeedButton1); }); });
    connect(SpeedButton2, &TSpeedButton::clicked, this,
            [this] { CallHandler([this] { SpeedButton2Click(SpeedButton2); }); });
    connect(SpeedButton3, &TSpeedButton::clicked, this,
            [this] { CallHandler([this] { SpeedButton3Click(SpeedButton3); }); });

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

    CenterOnScreen();
    EndLayout();
}

QLabel* TForm3::AddLabel(const char* name, int left, int top, const QString& caption)
{
    auto* label = AddComponent(new QLabel(caption, GroupBox1));
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

TEdit* TForm3::AddEdit(const char* name, const QRect& place, const QString& hint)
{
    auto* edit = AddComponent(new TEdit(GroupBox1));
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(place);
    edit->setToolTip(PlainHint(hint));
    edit->setAccessibleDescription(hint);
    edit->installEventFilter(this);
    return edit;
}

TSpeedButton* TForm3::AddButton(const char* name, const QRect& place, const QString& caption, const QString& picture,
                                const QString& hint)
{
    auto* button = AddComponent(new TSpeedButton(GroupBox1));
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setText(caption);
    button->SetGlyph(QImage(picture));
    button->setIconSize(QSize(24, 24));
    button->SetLayout(blGlyphLeft);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(PlainHint(hint));
    button->setAccessibleName(caption);
    button->setAccessibleDescription(hint);
    return button;
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    // Escape leaves the window as its close box does; Enter belongs to the fields.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    TForm::keyPressEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return TForm::eventFilter(watched, event);
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.isEmpty())
        return false;
    char Key = ToAnsi(typed.left(1))[0];
    if (watched == username)
        CallHandler([&] { usernameKeyPress(username, Key); });
    else if (watched == email)
        CallHandler([&] { emailKeyPress(email, Key); });
    else if (watched == password)
        CallHandler([&] { passwordKeyPress(password, Key); });
    // The character itself is left to the field.
    return false;
}

void TForm3::SpeedButton1Click(QObject*)
{
    if (username->text().isEmpty()) {
        ShowErrorBox(QStringLiteral("Please enter your username"), this);
        return;
    }
    if (email->text().isEmpty()) {
        ShowErrorBox(QStringLiteral("Please enter your email"), this);
        return;
    }
    if (password->text().isEmpty()) {
        ShowErrorBox(QStringLiteral("Please enter your password"), this);
        return;
    }
    WaitCursor wait;
    const FetchResult answer = FetchHTML(ServiceAddress::LoginCheck(ServiceHost(), Ansi(username), Ansi(email), Ansi(password)));
    if (answer.Failed) {
        ShowServiceFailure(answer, this);
        return;
    }
    if (RejectsLogin(TrimAnswer(answer.Text))) {
        ShowErrorBox(QStringLiteral("Incorrect email or password"), this);
        ShowErrorBox(QStringLiteral("If you have signed, press FORGOTTEN PASSWORD to recover it"), this);
        ShowErrorBox(QStringLiteral("If you have not signed yet press SIGN IN FOR NEW ACCOUNT"), this);
        return;
    }
    wait.Restore();
    OpenInMainPane(ServiceAddress::ChatPage(ServiceHost(), Ansi(username), Ansi(email), Ansi(password)));
    if (mainPane_)
        mainPane_->ShowMainWindow();
    close();
}

void TForm3::SpeedButton2Click(QObject*)
{
    close();
    OpenInMainPane(ServiceAddress::ForgottenPassword(ServiceHost()));
}

void TForm3::SpeedButton3Click(QObject*)
{
    close();
    OpenInMainPane(ServiceAddress::NewAccount(ServiceHost()));
}

void TForm3::OpenInMainPane(const std::string& address)
{
    if (mainPane_)
        mainPane_->OpenInPane(FromAnsi(address));
}

QString TForm3::Email() const
{
    return email->text();
}

QString TForm3::Password() const
{
    return password->text();
}

void TForm3::ShowLogin()
{
    Show();
}

void TForm3::usernameKeyPress(QObject* Sender, char& Key)
{
    if (Key == '\r')
        SpeedButton1Click(Sender);
}

void TForm3::emailKeyPress(QObject* Sender, char& Key)
{
    if (Key == '\r')
        SpeedButton1Click(Sender);
}

void TForm3::passwordKeyPress(QObject* Sender, char& Key)
{
    if (Key == '\r')
        SpeedButton1Click(Sender);
}
