// The program's two windows as main() makes them: each reaches the other.
#include "ServiceFixture.h"
#include "TestSupport.h"
#include "app/ClientWindows.h"
#include "app/MainForm.h"

#include <QToolButton>

class ClientWindowsTest : public QObject {
    Q_OBJECT

private:
    ServiceFixture service;
    RecordingDialogs dialogs;
    TForm1* Form1 = nullptr;
    TForm3* Form3 = nullptr;

private slots:
    void initTestCase()
    {
        const ClientWindows windows(*Application);
        Form1 = windows.Form1;
        Form3 = windows.Form3;
    }

    void init()
    {
        Form1->hide();
        Form3->hide();
        FillLoginFields(*Form3, QStringLiteral("webmaster"), QStringLiteral("ann@vellomar.test"),
                        QStringLiteral("pw&1"));
        dialogs.boxes.clear();
    }

    void theMainWindowIsTheMainForm()
    {
        QCOMPARE(Application->MainForm(), Form1);
        QCOMPARE(Form1->Name(), QStringLiteral("Form1"));
        QCOMPARE(Form3->Name(), QStringLiteral("Form3"));
    }

    void loginCommandsShowTheLoginWindow()
    {
        Form3->email->setText(QStringLiteral("kept@x"));
        Form1->BloginClick(Form1);
        QVERIFY(Form3->isVisible());
        Form3->hide();
        Form1->Login1Click(Form1);
        QVERIFY(Form3->isVisible());
        QCOMPARE(Form3->email->text(), QStringLiteral("kept@x"));
    }

    void aLoginOpensTheChatPageInTheMainWindow()
    {
        service.Answer("OK");
        Form3->Show();
        QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
        QCOMPARE(dialogs.boxes.size(), 0);
        QVERIFY(!Form3->isVisible());
        QVERIFY(Form1->isVisible());
        QCOMPARE(Form1->www->LocationURL().toString(),
                 QString::fromStdString(service.web.Host())
                     + QStringLiteral("/JAVASCRIPTWEXE.php?username=webmaster&email=ann%40vellomar.test&pass=pw%261"));
    }

    void theScriptCreatorTakesTheLoginFields()
    {
        Form1->BScriptClick(Form1);
        QCOMPARE(dialogs.boxes.size(), 0);
        QCOMPARE(Form1->www->LocationURL().toString(),
                 QString::fromStdString(service.web.Host())
                     + QStringLiteral("/insertscript.php?email=ann%40vellomar.test&pass=pw%261"));

        // An empty field sends the user to the login window instead.
        Form3->password->clear();
        Form1->BScriptClick(Form1);
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY(Form3->isVisible());
    }
};

VELLOMAR_TEST_MAIN(ClientWindowsTest)
#include "test_client_windows.moc"
