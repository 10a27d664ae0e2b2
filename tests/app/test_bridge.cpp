#include "PageSupport.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "framework/Timer.h"
#include "notify/NoticePopup.h"
#include "notify/SlideEnvironment.h"
#include "tray/TrayIcon.h"

#include <QElapsedTimer>

#include <QFile>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>

namespace {

// Records, each time the popup reads the work area, its text and whether the main window was
// up; the waits are the real ones. With the popup timer held back only slide-ins read it.
class WatchedSlides : public SlideEnvironment {
public:
    explicit WatchedSlides(TForm1& form, int timerInterval = 60000)
        : form_(form), previous_(SlideEnvironment::Install(this))
    {
        form_.Timer1->SetInterval(timerInterval);
    }
    ~WatchedSlides() override
    {
        SlideEnvironment::Install(previous_);
        form_.Timer1->SetEnabled(false);
        form_.Timer1->SetInterval(3000);
    }

    QRect WorkArea() const override
    {
        texts.append(form_.pop2->Text().join(QString()));
        mainShown.append(form_.isVisible());
        return QRect(0, 0, 1280, 994);
    }

    mutable QStringList texts;
    mutable QList<bool> mainShown;

private:
    TForm1& form_;
    SlideEnvironment* previous_;
};

QString Notice(const QString& name)
{
    return QStringLiteral("<B>Vellomar</B><br><FONT color=\"#FF0000\">%1</FONT> has entered the chat.").arg(name);
}

QString Guarded(const QString& call)
{
    return QStringLiteral("(function(){ try { %1; return 'ok'; } catch (e) { return e.name; } })()").arg(call);
}

} // namespace

// The pages' external object on the real main window, called from local pages in the pane.
class BridgeTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    TForm1* Form1 = nullptr;

    // Runs a script in the page and returns its value as text.
    QString RunInPage(const QString& script) { return RunScript(*Form1->www, script).toString(); }

    void Load(const QString& body)
    {
        const QString path = dir_.filePath(QStringLiteral("page%1.htm").arg(++pages_));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<html><body>%1</body></html>").arg(body).toUtf8());
        file.close();
        QSignalSpy loaded(Form1->www, &QWebEngineView::loadFinished);
        Form1->www->Navigate(path);
        QVERIFY(loaded.wait(30000));
    }
    int pages_ = 0;

private slots:
    void initTestCase()
    {
        Form1 = Application->CreateForm<TForm1>(*Application);
        Form1->TrayIcon1->TrayAvailable = [] { return true; };
        Form1->Show();
        Load(QStringLiteral("<p>chat</p>"));
    }

    void pageCalls_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("lower case") << "window.external.pagesetup('Ann')" << "ok" << QStringList{Notice("Ann")};
        QTest::newRow("mixed case") << "window.external.PageSetup('Ann')" << "ok" << QStringList{Notice("Ann")};
        QTest::newRow("upper case") << "window.external.PAGESETUP('Ann')" << "ok" << QStringList{Notice("Ann")};
        QTest::newRow("last argument") << "window.external.pagesetup('x', 'Ann')" << "ok" << QStringList{Notice("Ann")};
        QTest::newRow("integer") << "window.external.pagesetup(42)" << "ok" << QStringList{Notice("42")};
        QTest::newRow("name in the 8-bit code page")
            << "window.external.pagesetup('Zo\\u00eb \\u20ac \\u674e \\ud83d\\ude00')" << "ok"
            << QStringList{Notice(QStringLiteral("Zo") + QChar(0xEB) + u' ' + QChar(0x20AC) + QStringLiteral(" ? ?"))};
        QTest::newRow("markup in the name") << "window.external.pagesetup('Ann<br>Bob')" << "ok"
                                            << QStringList{Notice("Ann<br>Bob")};
        QTest::newRow("unknown method refused at once") << "window.external.print()" << "TypeError" << QStringList{};
        QTest::newRow("no argument") << "window.external.pagesetup()" << "ok" << QStringList{};
        QTest::newRow("null") << "window.external.pagesetup(null)" << "ok" << QStringList{};
        QTest::newRow("object") << "window.external.pagesetup({name: 'Ann'})" << "ok" << QStringList{};
        QTest::newRow("swapping the object") << "window.external = {pagesetup: function(){}}; "
                                                "window.external.pagesetup('Eve')"
                                             << "ok" << QStringList{Notice("Eve")};
    }
    void pageCalls()
    {
        QFETCH(QString, call);
        QFETCH(QString, outcome);
        QFETCH(QStringList, texts);
        WatchedSlides slides(*Form1);
        QCOMPARE(RunInPage(Guarded(call)), outcome);
        // Calls arrive in order: once the fence is in, every earlier call has been served.
        QCOMPARE(RunInPage(Guarded(QStringLiteral("window.external.pagesetup('fence')"))), QStringLiteral("ok"));
        QTRY_VERIFY(!slides.texts.isEmpty() && slides.texts.last() == Notice("fence"));
        slides.texts.removeLast();
        QCOMPARE(slides.texts, texts);
        QVERIFY(Form1->Timer1->Enabled());
    }

    void markupNameGivesTwoLines()
    {
        WatchedSlides slides(*Form1);
        const int gh = QFontMetrics(Form1->pop2->Font()).height();
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Ann')")));
        QTRY_COMPARE(Form1->pop2->Window()->height(), 2 * gh + 26);
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Ann<br>Bob')")));
        QTRY_COMPARE(Form1->pop2->Window()->height(), 3 * gh + 26);
    }

    void callsMadeAsThePageLoadsAreServed()
    {
        WatchedSlides slides(*Form1);
        Load(QStringLiteral("<script>window.external.pagesetup('Early');</script>"));
        QTRY_VERIFY_WITH_TIMEOUT(slides.texts.contains(Notice("Early")), 10000);
    }

    void hiddenMainWindowIsRevealedBeforeThePopup()
    {
        WatchedSlides slides(*Form1);
        Form1->close();
        QVERIFY(!Form1->isVisible());
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Ann')")));
        QTRY_VERIFY(!slides.mainShown.isEmpty());
        QCOMPARE(slides.mainShown.first(), true);
        QVERIFY(Form1->isVisible());
    }

    void hostAnswersOnlyPageSetup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::newRow("pagesetup") << "pagesetup" << int(S_OK);
        QTest::newRow("any case") << "pAgEsEtUp" << int(S_OK);
        QTest::newRow("print") << "print" << int(E_NOTIMPL);
        QTest::newRow("prefix") << "pagesetup2" << int(E_NOTIMPL);
    }
    void hostAnswersOnlyPageSetup()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        QList<DISPID> ids;
        QCOMPARE(int(Form1->wwwGetIDsOfNames({name}, ids)), result);
        if (result == S_OK)
            QCOMPARE(ids, QList<DISPID>{1});
        QCOMPARE(int(Form1->wwwInvoke(7, DISPATCH_METHOD, DISPPARAMS{{QStringLiteral("Ann")}}, nullptr)), int(E_NOTIMPL));
        QObject* dispatch = nullptr;
        QCOMPARE(int(Form1->wwwGetExternal(dispatch)), int(S_OK));
        QCOMPARE(dispatch, Form1->wwwExternal->Dispatch());
    }

    // A second notice does not restart the timer: the popup goes down 3000 ms after the first
    // one finished sliding in.
    void secondNoticeKeepsTheFirstDeadline()
    {
        WatchedSlides slides(*Form1, 3000);
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Ann')")));
        QElapsedTimer clock;
        QTRY_VERIFY_WITH_TIMEOUT(Form1->Timer1->Enabled(), 5000);
        clock.start();
        QTest::qWait(1000);
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Bob')")));
        QTRY_COMPARE(Form1->pop2->Text(), QStringList{Notice("Bob")});
        QTRY_VERIFY_WITH_TIMEOUT(!Form1->Timer1->Enabled(), 6000);
        const qint64 down = clock.elapsed();
        QVERIFY2(down > 2900 && down < 3800, qPrintable(QStringLiteral("down after %1 ms").arg(down)));
        QVERIFY(!Form1->pop2->Window()->isVisible());
    }
};

VELLOMAR_TEST_MAIN(BridgeTest)
#include "test_bridge.moc"
