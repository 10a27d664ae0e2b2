#include "ServiceFixture.h"
#include "TestSupport.h"
#include "app/WindowLinks.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "settings/RegistryStore.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/StoredSkin.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include <atomic>

namespace {

const QStringList kRejectionBoxes = {
    QStringLiteral("Incorrect email or password"),
    QStringLiteral("If you have signed, press FORGOTTEN PASSWORD to recover it"),
    QStringLiteral("If you have not signed yet press SIGN IN FOR NEW ACCOUNT"),
};

QStringList Texts(const QList<TMessageBox>& boxes)
{
    QStringList texts;
    for (const TMessageBox& box : boxes) {
        if (box.kind == TMessageKind::Error && box.caption == QStringLiteral("Erreur"))
            texts.append(box.text);
        else
            texts.append(QStringLiteral("(not an error box) ") + box.text);
    }
    return texts;
}

// What a screen reader learns of every control under `node`: role, name, description and the
// states that do not depend on where the focus or the pointer is. Parts that are no widgets
// (the caption buttons of a skinned frame) are left out.
void ReadControls(QAccessibleInterface* node, QStringList& read)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || !child->object())
            continue;
        const QAccessible::State s = child->state();
        read << QStringLiteral("%1 %2 | %3 | %4 | %5%6%7%8%9%10%11")
                    .arg(child->object()->objectName())
                    .arg(int(child->role()))
                    .arg(child->text(QAccessible::Name), child->text(QAccessible::Description),
                         s.disabled ? "disabled " : "", s.invisible ? "invisible " : "",
                         s.focusable ? "focusable " : "", s.readOnly ? "read-only " : "", s.editable ? "editable " : "",
                         s.passwordEdit ? "password " : "", s.checked ? "checked" : "");
        ReadControls(child, read);
    }
}

bool Skinned(const QWidget* window)
{
    return TSkinManage::Instance() && TSkinManage::Instance()->FindWindowSkinner(window);
}

// Stands in for the main window, the application's main form as in the program: records the
// addresses the login window opens in its pane and how often it brings the window up.
class RecordingPane : public TForm, public MainPane {
public:
    void OpenInPane(const QString& address) override { opened.append(address); }
    void ShowMainWindow() override { ++shown; }

    QStringList opened;
    int shown = 0;
};

} // namespace

// The login window alone, its main pane recorded.
class LoginTest : public QObject {
    Q_OBJECT

private:
    ServiceFixture service;
    RecordingDialogs dialogs;
    RecordingPane* pane = nullptr;
    TForm3* Form3 = nullptr;

    size_t RequestCount() { return service.web.Requests().size(); }
    QString ChatPage() const
    {
        return QString::fromStdString(service.web.Host())
            + QStringLiteral("/JAVASCRIPTWEXE.php?username=webmaster&email=ann%40vellomar.test&pass=a%2Bb%26c");
    }

private slots:
    void initTestCase()
    {
        pane = Application->CreateForm<RecordingPane>();
        Form3 = Application->CreateForm<TForm3>();
        Form3->SetMainPane(pane);
    }

    void init()
    {
        service.UseAsServiceHost();
        FillLoginFields(*Form3, QStringLiteral("webmaster"), QStringLiteral("ann@vellomar.test"),
                        QStringLiteral("a+b&c"));
        service.Answer("OK");
        pane->opened.clear();
        pane->shown = 0;
        Form3->Show();
        dialogs.boxes.clear();
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label1") << "Label1" << QRect(16, 24, -1, -1) << "Enter your nick(anything)";
        QTest::newRow("Label3") << "Label3" << QRect(16, 52, -1, -1) << "Enter your email";
        QTest::newRow("Label2") << "Label2" << QRect(16, 80, -1, -1) << "Enter your password";
        QTest::newRow("username") << "username" << QRect(136, 24, 169, 19) << "webmaster";
        QTest::newRow("email") << "email" << QRect(136, 48, 169, 19) << "";
        QTest::newRow("password") << "password" << QRect(136, 72, 169, 19) << "";
        QTest::newRow("SpeedButton1") << "SpeedButton1" << QRect(312, 24, 97, 65) << "Login";
        QTest::newRow("SpeedButton2") << "SpeedButton2" << QRect(16, 120, 185, 33) << "Forgotten password";
        QTest::newRow("SpeedButton3") << "SpeedButton3" << QRect(224, 120, 185, 33) << "Sign in for New Account";
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        // A fresh window shows the stored texts.
        TForm3 fresh;
        auto* widget = fresh.GroupBox1->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), fresh.GroupBox1);
        QCOMPARE(widget->pos(), place.topLeft());
        if (place.width() > 0)
            QCOMPARE(widget->size(), place.size());
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(widget))
            shown = label->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            shown = edit->text();
        else if (auto* button = qobject_cast<QToolButton*>(widget))
            shown = button->text();
        QCOMPARE(shown, text);
    }

    void hints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("username") << "username"
                                  << "Enter your nick name here.<br>you should include &lt;nick&gt;.jpg picture "
                                     "into the installation directory";
        QTest::newRow("email") << "email" << "email provided in sign in form";
        QTest::newRow("password") << "password" << "Password provided in sign in form";
        QTest::newRow("SpeedButton1") << "SpeedButton1" << "Click here to login";
        QTest::newRow("SpeedButton2") << "SpeedButton2" << "Press here if you have forgotten your password";
        QTest::newRow("SpeedButton3") << "SpeedButton3" << "Press here if you have not signed for a new account yet !";
    }
    void hints()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        auto* widget = Form3->GroupBox1->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), QStringLiteral("<qt>") + hint + QStringLiteral("</qt>"));
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(button->autoRaise());
            QVERIFY(!button->icon().pixmap(24).isNull());
        }
    }

    void labelsNameTheirFields_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("description");
        QTest::newRow("nick") << "Label1" << "username"
                              << "Enter your nick name here.\n"
                                 "you should include <nick>.jpg picture into the installation directory";
        QTest::newRow("e-mail") << "Label3" << "email" << "email provided in sign in form";
        QTest::newRow("password") << "Label2" << "password" << "Password provided in sign in form";
    }
    void labelsNameTheirFields()
    {
        QFETCH(QString, label);
        QFETCH(QString, field);
        QFETCH(QString, description);
        auto* labelWidget = Form3->GroupBox1->findChild<QLabel*>(label);
        auto* fieldWidget = Form3->GroupBox1->findChild<QLineEdit*>(field);
        QCOMPARE(labelWidget->buddy(), fieldWidget);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(fieldWidget);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(iface->text(QAccessible::Name), labelWidget->text());
        QCOMPARE(iface->text(QAccessible::Description), description);
        const auto labelledBy = iface->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first->object(), labelWidget);
    }

    void speedButtonsSayWhatTheyDo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("login") << "SpeedButton1" << "Login" << "Click here to login";
        QTest::newRow("forgotten password") << "SpeedButton2" << "Forgotten password"
                                            << "Press here if you have forgotten your password";
        QTest::newRow("new account") << "SpeedButton3" << "Sign in for New Account"
                                     << "Press here if you have not signed for a new account yet !";
    }
    void speedButtonsSayWhatTheyDo()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(Form3->GroupBox1->findChild<QToolButton*>(button));
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
        QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }

    // Skinned or not, a screen reader hears the same login window.
    void controlsReadTheSameSkinnedAndUnskinned()
    {
        QStringList plain, skinned;
        ReadControls(QAccessible::queryAccessibleInterface(Form3), plain);
        // The program's skin, held by the main window as there.
        auto* skin = new TSkinData(pane);
        skin->SetReading(true);
        skin->SetActive(true);
        skin->SetSkinStream(StoredSkinPackage());
        skin->SetReading(false);
        skin->Loaded();
        Form3->hide();
        Form3->Show();
        QTRY_VERIFY(Skinned(Form3));
        ReadControls(QAccessible::queryAccessibleInterface(Form3), skinned);
        // Unskinned again for the other tests, and the login window no longer the active one
        // (the offscreen platform keeps a hidden window its focus window).
        skin->SetActive(false);
        QTRY_VERIFY(!Skinned(Form3));
        delete skin;
        delete TSkinManage::Instance();
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());

        QCOMPARE(skinned, plain);
        QVERIFY(plain.contains(QStringLiteral("password %1 | Enter your password | Password provided in sign in form | "
                                              "focusable editable password ")
                                   .arg(int(QAccessible::EditableText))));
    }

    void escapeClosesLikeTheCloseBox_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("nick") << "username";
        QTest::newRow("e-mail") << "email";
        QTest::newRow("password") << "password";
    }
    void escapeClosesLikeTheCloseBox()
    {
        QFETCH(QString, field);
        auto* edit = Form3->GroupBox1->findChild<QLineEdit*>(field);
        Form3->email->setText(QStringLiteral("escaped@vellomar.test"));
        const size_t before = RequestCount();
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(RequestCount(), before);
        QVERIFY(dialogs.boxes.isEmpty());
        // Closing wrote the fields, as the close box does.
        TRegistryStore* store = Form3->RegistryStore1;
        store->OpenStorage();
        const QString stored = store->ReadText(QStringLiteral("TForm3"), QStringLiteral("email.Text"), QString());
        store->CloseStorage();
        QCOMPARE(stored, QStringLiteral("escaped@vellomar.test"));
    }

    void aLoginWithoutTheMouse()
    {
        // Shown by a command, the window has the nick field ready; Tab goes on to the others.
        Form3->hide();
        Form3->ShowLogin();
        QVERIFY(QTest::qWaitForWindowActive(Form3));
        QTRY_COMPARE(QApplication::focusWidget(), Form3->username);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form3->email);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form3->password);
        const size_t before = RequestCount();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(RequestCount(), before + 1);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(pane->opened, QStringList{ChatPage()});
    }

    void windowSettings()
    {
        QCOMPARE(Form3->windowTitle(), QStringLiteral("Vellomar Login"));
        // The stored size is the client's; a skinned frame would go around it.
        QCOMPARE(Form3->ClientArea()->size(), QSize(426, 195));
        QVERIFY(Form3->windowFlags().testFlag(Qt::Tool));
        QVERIFY(Form3->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!Form3->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!Form3->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(Form3->GroupBox1->isFlat());
        QVERIFY(Form3->GroupBox1->title().isEmpty());
        QVERIFY(Form3->username->font().bold());
        QCOMPARE(Form3->username->palette().color(QPalette::Base), QColor(232, 232, 232));
        QVERIFY(Form3->SpeedButton3->font().bold());
        QCOMPARE(Form3->password->echoMode(), QLineEdit::Password);
        QCOMPARE(Form3->password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, Form3->password),
                 int('*'));
        QCOMPARE(Form3->username->nextInFocusChain(), Form3->email);
        QCOMPARE(Form3->email->nextInFocusChain(), Form3->password);
    }

    void emptyFieldReported_data()
    {
        QTest::addColumn<QString>("nick");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << "" << "" << "" << "Please enter your username";
        QTest::newRow("nick empty") << "" << "e@x" << "p" << "Please enter your username";
        QTest::newRow("e-mail and password empty") << "n" << "" << "" << "Please enter your email";
        QTest::newRow("password empty") << "n" << "e@x" << "" << "Please enter your password";
    }
    void emptyFieldReported()
    {
        QFETCH(QString, nick);
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QString, message);
        FillLoginFields(*Form3, nick, email, password);
        const size_t before = RequestCount();
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
        QCOMPARE(Texts(dialogs.boxes), QStringList{message});
        QCOMPARE(RequestCount(), before);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(Form3->isVisible());
    }

    void answerJudged_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("rejected");
        QTest::newRow("NO") << QByteArray("NO") << true;
        QTest::newRow("NOT FOUND") << QByteArray("NOT FOUND") << true;
        QTest::newRow("NO inside blanks") << QByteArray("\r\n NO \r\n") << true;
        QTest::newRow("no") << QByteArray("no") << false;
        QTest::newRow("OK") << QByteArray("OK") << false;
        QTest::newRow("empty answer") << QByteArray() << false;
    }
    void answerJudged()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, rejected);
        service.Answer(answer.toStdString());
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);

        const auto request = service.web.Requests().back();
        QCOMPARE(request.target,
                 std::string("/enterw.php?username=webmaster&email=ann%40vellomar.test&pass=a%2Bb%26c"));
        QVERIFY(!QApplication::overrideCursor());
        if (rejected) {
            QCOMPARE(Texts(dialogs.boxes), kRejectionBoxes);
            QVERIFY(Form3->isVisible());
            QCOMPARE(pane->shown, 0);
            QCOMPARE(pane->opened, QStringList());
            QCOMPARE(Form3->password->text(), QStringLiteral("a+b&c"));
        } else {
            QCOMPARE(Texts(dialogs.boxes), QStringList());
            QVERIFY(!Form3->isVisible());
            QCOMPARE(pane->shown, 1);
            QCOMPARE(pane->opened, QStringList{ChatPage()});
        }
    }

    // The hourglass is up while the client waits for the check, and gone once it has answered.
    void hourglassDuringTheCheck_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("accepted") << QByteArray("OK");
        QTest::newRow("refused") << QByteArray("NO");
    }
    void hourglassDuringTheCheck()
    {
        QFETCH(QByteArray, answer);
        service.Answer(answer.toStdString());
        // The user-interface thread is blocked in the fetch while the service answers, so the
        // cursor it set before cannot change under this look.
        std::atomic<int> shape = -1;
        service.DuringRequest([&shape] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            shape = cursor ? int(cursor->shape()) : -2;
        });
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
        service.DuringRequest(nullptr);
        QCOMPARE(shape.load(), int(Qt::WaitCursor));
        QVERIFY(!QApplication::overrideCursor());
    }

    void enterLogsIn_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("password") << "password";
        QTest::newRow("email") << "email";
        QTest::newRow("nick") << "username";
    }
    void enterLogsIn()
    {
        QFETCH(QString, field);
        auto* edit = Form3->GroupBox1->findChild<QLineEdit*>(field);
        const size_t before = RequestCount();
        QTest::keyClick(edit, Qt::Key_X);
        QCOMPARE(RequestCount(), before);
        QVERIFY(Form3->isVisible());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(RequestCount(), before + 1);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(pane->shown, 1);
        QCOMPARE(pane->opened.size(), 1);
        QCOMPARE(QUrl(pane->opened.first()).path(), QStringLiteral("/JAVASCRIPTWEXE.php"));
    }

    void serviceFailureKeepsWindow_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("reasonHas");
        QTest::newRow("status 404") << 404 << true << "404";
        QTest::newRow("status 500") << 500 << true << "500";
        QTest::newRow("no service") << 200 << false << "127.0.0.1";
    }
    void serviceFailureKeepsWindow()
    {
        QFETCH(int, status);
        QFETCH(bool, reachable);
        QFETCH(QString, reasonHas);
        service.Answer("OK", status);
        if (!reachable)
            SetServiceHost(QStringLiteral("http://127.0.0.1:%1").arg(UnusedLocalPort()));
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].kind, TMessageKind::Error);
        QVERIFY(dialogs.boxes[0].text.startsWith(QStringLiteral("The chat service could not be reached")));
        QVERIFY2(dialogs.boxes[0].text.contains(reasonHas), qPrintable(dialogs.boxes[0].text));
        QVERIFY(Form3->isVisible());
        QCOMPARE(pane->shown, 0);
        QCOMPARE(pane->opened, QStringList());
        QVERIFY(!QApplication::overrideCursor());
    }

    // The encoder leaves spaces raw and sends ANSI bytes; both reach the service intact, in the
    // login check and in the chat page's address alike.
    void valuesReachTheService_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("a space") << " " << QByteArray("username=caf%E9%20%80&email=e%40x&pass=%20");
        QTest::newRow("trailing spaces") << "pw  " << QByteArray("username=caf%E9%20%80&email=e%40x&pass=pw%20%20");
        QTest::newRow("leading spaces") << "  pw" << QByteArray("username=caf%E9%20%80&email=e%40x&pass=%20%20pw");
    }
    void valuesReachTheService()
    {
        QFETCH(QString, password);
        QFETCH(QByteArray, query);
        FillLoginFields(*Form3, QStringLiteral("caf\u00E9 \u20AC"), QStringLiteral("e@x"), password);
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
        QCOMPARE(QByteArray::fromStdString(service.web.Requests().back().target), "/enterw.php?" + query);
        QCOMPARE(pane->shown, 1);
        // The pane gets the spaces raw, as the encoder leaves them; it sends them on as they are
        // (test_browser).
        QCOMPARE(pane->opened,
                 QStringList{QString::fromStdString(service.web.Host()) + QStringLiteral("/JAVASCRIPTWEXE.php?")
                             + QString::fromLatin1(query).replace(QStringLiteral("%20"), QStringLiteral(" "))});
    }

    void shortcuts_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("path");
        QTest::newRow("forgotten password") << "SpeedButton2" << "/forgotton.php";
        QTest::newRow("new account") << "SpeedButton3" << "/signin.php";
    }
    void shortcuts()
    {
        QFETCH(QString, button);
        QFETCH(QString, path);
        QTest::mouseClick(Form3->GroupBox1->findChild<QToolButton*>(button), Qt::LeftButton);
        QVERIFY(!Form3->isVisible());
        QCOMPARE(pane->shown, 0);
        QCOMPARE(pane->opened, QStringList{QString::fromStdString(service.web.Host()) + path});
        QCOMPARE(dialogs.boxes.size(), 0);
    }

    void serviceHostChosen_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("host");
        QTest::newRow("option first") << "http://a:1" << "http://b:2" << "http://a:1";
        QTest::newRow("then the environment") << "" << "https://b:2" << "https://b:2";
        QTest::newRow("then the demo service") << "" << "" << "http://127.0.0.1:8080";
        QTest::newRow("blank values do not count") << "  " << " " << "http://127.0.0.1:8080";
        QTest::newRow("trailing separators dropped") << "http://a:1//" << "" << "http://a:1";
    }
    void serviceHostChosen()
    {
        QFETCH(QString, option);
        QFETCH(QString, environment);
        QFETCH(QString, host);
        QCOMPARE(ResolveServiceHost(option, environment), host);
    }
};

VELLOMAR_TEST_MAIN(LoginTest)
#include "test_login.moc"
