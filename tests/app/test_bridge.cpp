#include "HangGuard.h"
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

#include <limits>

#include <sys/stat.h>

namespace {

// Records, each time the popup reads the work area, its text and whether the main window was
// up; the waits are the real ones. While the popup timer is held back (its interval raised,
// and set back as it was stored) only slide-ins read it.
class WatchedSlides : public SlideEnvironment {
public:
    explicit WatchedSlides(TForm1& form, bool holdTimer = true)
        : form_(form), previous_(SlideEnvironment::Install(this)), storedInterval_(form.Timer1->Interval())
    {
        if (holdTimer)
            form_.Timer1->SetInterval(60000);
    }
    ~WatchedSlides() override
    {
        SlideEnvironment::Install(previous_);
        form_.Timer1->SetEnabled(false);
        form_.Timer1->SetInterval(storedInterval_);
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
    const int storedInterval_;
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
        QSignalSpy loaded(Form1->www, &TEmbeddedBrowser::loadFinished);
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

    // A second notice does not restart the timer: the popup goes down 3000 ms, as stored with
    // the main window, after the first one finished sliding in.
    void secondNoticeKeepsTheFirstDeadline()
    {
        QCOMPARE(Form1->Timer1->Interval(), 3000);
        WatchedSlides slides(*Form1, false);
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Ann')")));
        QTRY_VERIFY_WITH_TIMEOUT(Form1->Timer1->Enabled(), 5000);
        const int firstLeft = Form1->Timer1->RemainingTime();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(firstLeft > 0);
        QTest::qWait(1000);
        RunInPage(Guarded(QStringLiteral("window.external.pagesetup('Bob')")));
        QTRY_COMPARE(Form1->pop2->Text(), QStringList{Notice("Bob")});
        // Still counting down from the first notice; a restart would have put back a second
        // or more.
        if (Form1->Timer1->Enabled())
            QVERIFY2(Form1->Timer1->RemainingTime() <= firstLeft - clock.elapsed() + 100,
                     qPrintable(QStringLiteral("%1 ms left").arg(Form1->Timer1->RemainingTime())));
        QTRY_VERIFY_WITH_TIMEOUT(!Form1->Timer1->Enabled(), 6000);
        QVERIFY(!Form1->pop2->Window()->isVisible());
    }

    // A number is announced by its digits; a value that is no number announces nobody.
    void numbersBecomeNames_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("name");
        const double infinite = std::numeric_limits<double>::infinity();
        QTest::newRow("whole") << 42.0 << "42";
        QTest::newRow("fraction") << 2.5 << "2.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("lowest of 64 bits") << -9223372036854775808.0 << "-9223372036854775808";
        QTest::newRow("just past 64 bits") << 9223372036854775808.0 << "9.22337203685478e+18";
        QTest::newRow("huge") << 1e300 << "1e+300";
        QTest::newRow("huge negative") << -1e300 << "-1e+300";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QString();
        QTest::newRow("infinite") << infinite << QString();
        QTest::newRow("minus infinite") << -infinite << QString();
    }
    void numbersBecomeNames()
    {
        QFETCH(double, number);
        QFETCH(QString, name);
        WatchedSlides slides(*Form1);
        QCOMPARE(int(Form1->wwwInvoke(1, DISPATCH_METHOD, DISPPARAMS{{QVariant(number)}}, nullptr)), int(S_OK));
        QCOMPARE(slides.texts, name.isEmpty() ? QStringList() : QStringList{Notice(name)});
    }

    // The frames of the chat page have the external object too.
    void framesOfThePageCall()
    {
        WatchedSlides slides(*Form1);
        QFile frame(dir_.filePath(QStringLiteral("frame.htm")));
        QVERIFY(frame.open(QIODevice::WriteOnly));
        frame.write("<html><body><script>window.external.pagesetup('Framed');</script></body></html>");
        frame.close();
        Load(QStringLiteral("<iframe src=\"frame.htm\"></iframe>"
                            "<iframe srcdoc=\"<script>window.external.pagesetup('Inline')</script>\"></iframe>"));
        QTRY_VERIFY_WITH_TIMEOUT(slides.texts.contains(Notice("Framed")) && slides.texts.contains(Notice("Inline")), 10000);
    }

    // The name goes into the notice as markup: whatever it holds, the call returns and the
    // notice paints.
    void hostileNameStillEndsTheCall_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("body picture not fetched") << "<BODY BACKGROUND=\"http://example.invalid/x.png\">Eve";
        QTest::newRow("body picture of a missing resource") << "<body background=\"RES://missing\">Eve";
        QTest::newRow("picture from a FIFO") << "<IMG SRC=\"FILE://" + dir_.filePath(QStringLiteral("fifo")) + "\">Eve";
    }
    void hostileNameStillEndsTheCall()
    {
        QFETCH(QString, name);
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        if (!QFile::exists(fifo))
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        WatchedSlides slides(*Form1);
        HangGuard guard(QStringLiteral("pagesetup of %1").arg(QTest::currentDataTag()));
        QCOMPARE(int(Form1->wwwInvoke(1, DISPATCH_METHOD, DISPPARAMS{{name}}, nullptr)), int(S_OK));
        QCOMPARE(slides.texts, QStringList{Notice(name)});
        const QImage shown = Form1->pop2->Window()->grab().toImage();
        QVERIFY(!shown.isNull());
    }
};

VELLOMAR_TEST_MAIN(BridgeTest)
#include "test_bridge.moc"
