#include "ServiceFixture.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "framework/Dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>

// Takes the desktop's "open" requests for local files instead of starting a program.
class OpenRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// Stands in for the login window: the fields a test sets, and whether it was shown.
class FakeLoginWindow : public LoginWindow {
public:
    QString Email() const override { return email; }
    QString Password() const override { return password; }
    void ShowLogin() override { shown = true; }

    QString email;
    QString password;
    bool shown = false;
};

// The main window's creators, the login window stood in for.
class CreatorsTest : public QObject {
    Q_OBJECT

private:
    ServiceFixture service;
    RecordingDialogs dialogs;
    OpenRecorder shell;
    FakeLoginWindow login;
    TForm1* Form1 = nullptr;
    const QUrl blank{QStringLiteral("about:blank")};
    QString samplePath;

    QByteArray SampleBytes()
    {
        QFile file(samplePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }

    QByteArray ExpectedPage(const QByteArray& room)
    {
        return "<html>\r\n<html><title>Vellomar sample script</title>\r\n<body>\r\n"
               "<script language=\"JavaScript\" src=\""
            + QByteArray::fromStdString(service.web.Host()) + "/JAVASCRIPT.php?room=" + room
            + "\"></script>\r\n</body>\r\n</html>\r\n";
    }

private slots:
    void initTestCase()
    {
        Form1 = Application->CreateForm<TForm1>(*Application);
        Form1->SetLoginWindow(&login);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &shell, "open");
        samplePath = ExecutableFolder() + QStringLiteral("sample.htm");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QFile::remove(samplePath);
    }

    void init()
    {
        login.email = QStringLiteral("ann@vellomar.test");
        login.password = QStringLiteral("pw&1");
        login.shown = false;
        service.Answer(" r42 ");
        Form1->www->Navigate(blank.toString());
        QFile::remove(samplePath);
        dialogs.boxes.clear();
        shell.opened.clear();
    }

    void samplePageBytes_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("room");
        QTest::newRow("spaces around") << QByteArray(" r42 ") << QByteArray("r42");
        QTest::newRow("ampersand and spaces kept") << QByteArray("\r\nmy room & co\r\n") << QByteArray("my room & co");
        QTest::newRow("ANSI byte kept as one byte") << QByteArray("caf\xE9") << QByteArray("caf\xE9");
        QTest::newRow("empty answer") << QByteArray("  ") << QByteArray();
    }
    void samplePageBytes()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, room);
        service.Answer(answer.toStdString());
        Form1->BHTMLClick(Form1);
        QCOMPARE(SampleBytes(), ExpectedPage(room));
        QCOMPARE(service.web.Requests().back().target, std::string("/createscript.php?email=ann%40vellomar.test"));
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(samplePath)});
        QCOMPARE(dialogs.boxes.size(), 0);
    }

    void secondRunReplacesThePage()
    {
        Form1->BHTMLClick(Form1);
        service.Answer("second");
        Form1->BHTMLClick(Form1);
        QCOMPARE(SampleBytes(), ExpectedPage("second"));
        QCOMPARE(shell.opened.size(), 2);
    }

    void missingFields_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("scriptWarns");
        QTest::addColumn<bool>("pageWarns");
        QTest::addColumn<QByteArray>("sentPassword");
        QTest::newRow("both filled") << "ann@vellomar.test" << "pw&1" << false << false << QByteArray("pw%261");
        QTest::newRow("password ending in spaces") << "ann@vellomar.test" << "pw  " << false << false
                                                   << QByteArray("pw%20%20");
        QTest::newRow("password empty") << "ann@vellomar.test" << "" << true << false << QByteArray();
        QTest::newRow("e-mail empty") << "" << "pw&1" << true << true << QByteArray();
        QTest::newRow("both empty") << "" << "" << true << true << QByteArray();
    }
    void missingFields()
    {
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(bool, scriptWarns);
        QFETCH(bool, pageWarns);
        QFETCH(QByteArray, sentPassword);
        const QList<TMessageBox> warning{{TMessageKind::Warning, QStringLiteral("Avertissement"),
                                          QStringLiteral("Please, enter your email and password first !")}};
        login.email = email;
        login.password = password;

        Form1->BScriptClick(Form1);
        QCOMPARE(dialogs.boxes.size(), scriptWarns ? 1 : 0);
        if (scriptWarns)
            QCOMPARE(dialogs.boxes[0].text, warning[0].text);
        QCOMPARE(login.shown, scriptWarns);
        QCOMPARE(Form1->www->LocationURL().toEncoded(),
                 scriptWarns ? blank.toEncoded()
                             : QByteArray::fromStdString(service.web.Host())
                                 + "/insertscript.php?email=ann%40vellomar.test&pass=" + sentPassword);

        login.shown = false;
        dialogs.boxes.clear();
        const size_t requests = service.web.Requests().size();
        Form1->BHTMLClick(Form1);
        QCOMPARE(dialogs.boxes.size(), pageWarns ? 1 : 0);
        if (pageWarns) {
            QCOMPARE(dialogs.boxes[0].kind, warning[0].kind);
            QCOMPARE(dialogs.boxes[0].caption, warning[0].caption);
            QCOMPARE(dialogs.boxes[0].text, warning[0].text);
        }
        QCOMPARE(login.shown, pageWarns);
        QCOMPARE(service.web.Requests().size(), requests + (pageWarns ? 0 : 1));
        QCOMPARE(QFile::exists(samplePath), !pageWarns);
        QCOMPARE(shell.opened.size(), pageWarns ? 0 : 1);
    }

    void unwritablePageReported()
    {
        // A folder where the file should be: no one, not even root, can write the page there.
        QVERIFY(QDir().mkdir(samplePath));
        CallHandler([this] { Form1->BHTMLClick(Form1); });
        QDir().rmdir(samplePath);
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].kind, TMessageKind::Error);
        QCOMPARE(dialogs.boxes[0].text, QStringLiteral("Impossible de créer le fichier %1").arg(samplePath));
        QCOMPARE(shell.opened.size(), 0);
    }

    void roomQueryFailureWritesNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("404") << 404;
        QTest::newRow("500") << 500;
    }
    void roomQueryFailureWritesNothing()
    {
        QFETCH(int, status);
        service.Answer("r42", status);
        Form1->BHTMLClick(Form1);
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY(dialogs.boxes[0].text.contains(QString::number(status)));
        QVERIFY(!QFile::exists(samplePath));
        QCOMPARE(shell.opened.size(), 0);
    }
};

VELLOMAR_TEST_MAIN(CreatorsTest)
#include "test_creators.moc"
