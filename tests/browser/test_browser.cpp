#include "PageSupport.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "browser/BrowserEngineLoader.h"
#include "browser/EmbeddedBrowser.h"
#include "framework/Exception.h"

#include <QDesktopServices>
#include <QMenu>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>

namespace {

QWidget* VisibleMenu()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w) && w->isVisible())
            return w;
    return nullptr;
}

// The widget that receives the page's input.
QWidget* InputTarget(TEmbeddedBrowser& browser)
{
    QWebEngineView& view = PageView(browser);
    return view.focusProxy() ? view.focusProxy() : &view;
}

// A second of a 440 Hz tone as 8-bit mono PCM in a WAV file.
QByteArray ToneWav()
{
    constexpr int kRate = 8000;
    QByteArray samples(kRate, Qt::Uninitialized);
    for (int i = 0; i < kRate; ++i)
        samples[i] = char(128 + 60 * std::sin(2 * M_PI * 440 * i / kRate));
    QByteArray wav;
    const auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(quint32(36 + samples.size()));
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate); // bytes per second
    u16(1); // bytes per frame
    u16(8); // bits per sample
    wav.append("data");
    u32(quint32(samples.size()));
    return wav + samples;
}

// Notes whether the pane was painted before its engine ran.
class PaintBeforeEngine : public QObject {
public:
    explicit PaintBeforeEngine(TEmbeddedBrowser* pane) : pane_(pane) { pane->installEventFilter(this); }
    bool paintedBeforeEngine = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !pane_->EngineWidget())
            paintedBeforeEngine = true;
        return false;
    }

private:
    TEmbeddedBrowser* pane_;
};

// Clicks just inside the top left of the page's element `selector`; false when there is none.
bool ClickElement(TEmbeddedBrowser& browser, const QString& selector, Qt::MouseButton button)
{
    const QVariantList box = RunScript(browser, QStringLiteral(
        "(function(){var r=document.querySelector('%1').getBoundingClientRect();"
        "return [r.left + 5, r.top + 5];})()").arg(selector)).toList();
    if (box.size() != 2)
        return false;
    QTest::mouseClick(InputTarget(browser), button, {}, QPoint(box[0].toInt(), box[1].toInt()));
    return true;
}

// Takes the desktop's "open" requests instead of starting a program.
class DesktopOpenRecorder : public QObject {
    Q_OBJECT

public:
    DesktopOpenRecorder()
    {
        for (const QString& scheme : kSchemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~DesktopOpenRecorder() override
    {
        for (const QString& scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(); }

private:
    inline static const QStringList kSchemes{"http", "https", "mailto", "file"};
};

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

    QTemporaryDir pages;

    QString WritePage(const QString& name, const QString& html)
    {
        QFile file(pages.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(html.toUtf8());
        return file.fileName();
    }

    TForm1* Form1 = nullptr;

    // The main window's own pane, with its answers to the engine.
    TEmbeddedBrowser& MainWindowPane() { return *Form1->www; }

private slots:
    void initTestCase()
    {
        Form1 = Application->CreateForm<TForm1>(*Application);
        Form1->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }

    void hostInfoDecidesScrollBars_data()
    {
        QTest::addColumn<bool>("mainWindow");
        QTest::addColumn<bool>("scrollBarShown");
        QTest::newRow("main window's answer") << true << false;
        QTest::newRow("no answer") << false << true;
    }
    void hostInfoDecidesScrollBars()
    {
        QFETCH(bool, mainWindow);
        QFETCH(bool, scrollBarShown);
        TEmbeddedBrowser bare;
        bare.resize(400, 300);
        bare.show();
        TEmbeddedBrowser& browser = mainWindow ? MainWindowPane() : bare;
        const QString tall = WritePage(QStringLiteral("tall.htm"),
                                       QStringLiteral("<html><body style='margin:0'><div style='height:5000px'>tall</div></body></html>"));
        QVERIFY(LoadAndWait(browser, tall));
        const bool noBar = RunScript(browser, QStringLiteral("window.innerWidth == document.documentElement.clientWidth")).toBool();
        QCOMPARE(!noBar, scrollBarShown);
    }

    void preFilledHostInfoIsReplaced()
    {
        TEmbeddedBrowser browser;
        browser.SetUserInterfaceOptions(DOCHOSTUIFLAG_FLAT_SCROLLBAR);
        QCOMPARE(browser.HostInfo().cbSize, 20u);
        QCOMPARE(browser.HostInfo().dwFlags, std::uint32_t(DOCHOSTUIFLAG_FLAT_SCROLLBAR));
        // The main window pre-fills the same option and answers with its own record.
        QCOMPARE(MainWindowPane().UserInterfaceOptions(), std::uint32_t(DOCHOSTUIFLAG_FLAT_SCROLLBAR));
        QCOMPARE(MainWindowPane().HostInfo().cbSize, 12u);
        QCOMPARE(MainWindowPane().HostInfo().dwFlags, 12u);
        QCOMPARE(MainWindowPane().HostInfo().dwDoubleClick, std::uint32_t(DOCHOSTUIDBLCLK_DEFAULT));
        QCOMPARE(MainWindowPane().DownloadControlValue(), 0x70u);
    }

    void rightClickShowsNoMenu_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<std::uint32_t>("kind");
        QTest::newRow("page") << QStringLiteral("#plain") << std::uint32_t(CONTEXT_MENU_DEFAULT);
        QTest::newRow("link") << QStringLiteral("#link") << std::uint32_t(CONTEXT_MENU_ANCHOR);
        QTest::newRow("text field") << QStringLiteral("#field") << std::uint32_t(CONTEXT_MENU_CONTROL);
    }
    void rightClickShowsNoMenu()
    {
        QFETCH(QString, target);
        QFETCH(std::uint32_t, kind);
        TEmbeddedBrowser& browser = MainWindowPane();
        // Watches the kinds the engine asks about and passes the main window's answer on.
        const TEmbeddedBrowser::TShowContextMenuEvent answer = browser.OnShowContextMenu;
        QList<std::uint32_t> kinds;
        browser.OnShowContextMenu = [&](std::uint32_t kind, const QPoint& at, QObject* command, QObject* dispatch) {
            kinds << kind;
            return answer(kind, at, command, dispatch);
        };
        const QString page = WritePage(QStringLiteral("menu.htm"), QStringLiteral(
            "<html><body style='margin:0'>"
            "<p id='plain' style='position:absolute;left:10px;top:10px;width:100px;height:30px'>text</p>"
            "<a id='link' href='https://example.invalid/' style='position:absolute;left:10px;top:60px'>a link here</a>"
            "<input id='field' style='position:absolute;left:10px;top:110px;width:120px' value='abc'>"
            "</body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QVERIFY(ClickElement(browser, target, Qt::RightButton));
        QTRY_COMPARE_WITH_TIMEOUT(kinds.size(), 1, 5000);
        browser.OnShowContextMenu = answer;
        QCOMPARE(kinds.first(), kind);
        QTest::qWait(100);
        QVERIFY(!VisibleMenu());
    }

    void engineMenuShowsWhenHostDeclines()
    {
        TEmbeddedBrowser browser;
        browser.resize(400, 300);
        browser.show();
        browser.OnShowContextMenu = [](std::uint32_t, const QPoint&, QObject*, QObject*) { return S_FALSE; };
        const QString page = WritePage(QStringLiteral("plain.htm"), QStringLiteral("<html><body>plain</body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QTest::mouseClick(InputTarget(browser), Qt::RightButton, {}, QPoint(20, 20));
        QTRY_VERIFY_WITH_TIMEOUT(VisibleMenu() != nullptr, 5000);
        VisibleMenu()->close();
    }

    void backspaceEditsAndNeverGoesBack()
    {
        TEmbeddedBrowser& browser = MainWindowPane();
        const QString first = WritePage(QStringLiteral("first.htm"), QStringLiteral("<html><body>first</body></html>"));
        const QString second = WritePage(QStringLiteral("second.htm"), QStringLiteral(
            "<html><body><input id='f' value='abc' autofocus></body></html>"));
        QVERIFY(LoadAndWait(browser, first));
        QVERIFY(LoadAndWait(browser, second));
        browser.setFocus();
        RunScript(browser, QStringLiteral("var f=document.getElementById('f');f.focus();f.setSelectionRange(3,3);"));
        QTest::keyClick(InputTarget(browser), Qt::Key_Backspace);
        QTRY_COMPARE_WITH_TIMEOUT(RunScript(browser, QStringLiteral("document.getElementById('f').value")).toString(),
                                  QStringLiteral("ab"), 5000);
        QTest::keyClick(InputTarget(browser), Qt::Key_Left);
        QTest::keyClick(InputTarget(browser), Qt::Key_Backspace);
        QTRY_COMPARE_WITH_TIMEOUT(RunScript(browser, QStringLiteral("document.getElementById('f').value")).toString(),
                                  QStringLiteral("b"), 5000);
        QCOMPARE(PageView(browser).url(), QUrl::fromLocalFile(second));
    }

    void imagesLoad()
    {
        TEmbeddedBrowser& browser = MainWindowPane();
        QImage dot(3, 2, QImage::Format_RGB32);
        dot.fill(Qt::red);
        dot.save(pages.filePath(QStringLiteral("dot.png")));
        const QString page = WritePage(QStringLiteral("image.htm"), QStringLiteral("<html><body><img id='i' src='dot.png'></body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QTRY_COMPARE_WITH_TIMEOUT(RunScript(browser, QStringLiteral("document.getElementById('i').naturalWidth")).toInt(), 3, 5000);
    }

    // Sound and video play as the page loads, without a click, also with the pages drawn in
    // software.
    void mediaPlaysWithoutAGesture_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("element");
        QTest::newRow("sound") << "<audio id='m' src='tone.wav' autoplay loop></audio>"
                               << "m";
        // A video the page records from a drawing, then plays.
        QTest::newRow("video")
            << "<canvas id='c' width='64' height='48'></canvas><video id='v' muted></video><script>"
               "var c = document.getElementById('c'), g = c.getContext('2d'), n = 0;"
               "setInterval(function () { g.fillStyle = (n++ % 2) ? 'red' : 'blue'; g.fillRect(0, 0, 64, 48); }, 30);"
               "var r = new MediaRecorder(c.captureStream(30)), parts = [];"
               "r.ondataavailable = function (e) { parts.push(e.data); };"
               "r.onstop = function () { var v = document.getElementById('v');"
               "  v.src = URL.createObjectURL(new Blob(parts, {type: 'video/webm'})); v.loop = true; v.play(); };"
               "r.start(); setTimeout(function () { r.stop(); }, 1500);"
               "</script>"
            << "v";
    }
    void mediaPlaysWithoutAGesture()
    {
        QFETCH(QString, body);
        QFETCH(QString, element);
        TEmbeddedBrowser& browser = MainWindowPane();
        QFile tone(pages.filePath(QStringLiteral("tone.wav")));
        QVERIFY(tone.open(QIODevice::WriteOnly));
        tone.write(ToneWav());
        tone.close();
        QVERIFY(LoadAndWait(
            browser, WritePage(QStringLiteral("media.htm"), QStringLiteral("<html><body>%1</body></html>").arg(body))));
        const QString playing = QStringLiteral("(function(){var m=document.getElementById('%1');"
                                               "return !m.paused && m.readyState >= 2 && m.currentTime > 0.3;})()")
                                    .arg(element);
        QTRY_VERIFY_WITH_TIMEOUT(RunScript(browser, playing).toBool(), 15000);
        if (element == QLatin1String("v"))
            QVERIFY(RunScript(browser, QStringLiteral("document.getElementById('v').videoWidth")).toInt() == 64);
    }

    // The engine takes the user-interface thread as it starts: a pane in a shown window starts
    // it only once it has been drawn, a hidden pane at once.
    void engineStartsOnceThePaneIsDrawn_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("shown") << true;
        QTest::newRow("hidden") << false;
    }
    void engineStartsOnceThePaneIsDrawn()
    {
        QFETCH(bool, shown);
        QWidget window;
        auto* pane = new TEmbeddedBrowser(&window);
        pane->resize(300, 200);
        PaintBeforeEngine watch(pane);
        if (shown)
            window.show();
        QSignalSpy loaded(pane, &TEmbeddedBrowser::loadFinished);
        pane->Navigate(QStringLiteral("about:blank"));
        QVERIFY(!pane->EngineWidget());
        QVERIFY(loaded.wait(30000));
        QVERIFY(pane->EngineWidget());
        QCOMPARE(watch.paintedBeforeEngine, shown);
        QCOMPARE(pane->EngineError(), QString());
    }

    void engineModuleProblemsAreReported_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QStringLiteral("missing.so") << QByteArray();
        QTest::newRow("not a module") << QStringLiteral("text.so") << QByteArray("not a library\n");
    }
    void engineModuleProblemsAreReported()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        const QString file = pages.filePath(path);
        if (!content.isEmpty()) {
            QFile module(file);
            QVERIFY(module.open(QIODevice::WriteOnly));
            module.write(content);
        }
        QString error;
        QVERIFY(!LoadBrowserEngineFrom(file, &error));
        QVERIFY2(!error.isEmpty(), "a failed load says why");
        QVERIFY(QFile::exists(BrowserEngineModulePath()));
        QVERIFY(LoadBrowserEngine(&error));
    }

    void newWindowsOpenInTheDesktopBrowser_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("link with target _blank") << "#blank" << QStringList{"https://chat.example.invalid/blank"};
        QTest::newRow("link to a named window") << "#named" << QStringList{"http://chat.example.invalid/named"};
        QTest::newRow("window.open on a click") << "#button" << QStringList{"https://chat.example.invalid/opened"};
        QTest::newRow("mail link") << "#mail" << QStringList{"mailto:ann@vellomar.test"};
        QTest::newRow("local file") << "#file" << QStringList{};
        QTest::newRow("script address") << "#script" << QStringList{};
    }
    void newWindowsOpenInTheDesktopBrowser()
    {
        QFETCH(QString, clicked);
        QFETCH(QStringList, opened);
        DesktopOpenRecorder desktop;
        TEmbeddedBrowser& browser = MainWindowPane();
        // Every page load also tries a window of its own, which nobody asked for.
        const QString page = WritePage(QStringLiteral("links.htm"), QStringLiteral(
            "<html><body style='margin:0'>"
            "<a id='blank' href='https://chat.example.invalid/blank' target='_blank' style='position:absolute;top:5px'>blank</a>"
            "<a id='named' href='http://chat.example.invalid/named' target='room' style='position:absolute;top:35px'>named</a>"
            "<button id='button' onclick=\"window.open('https://chat.example.invalid/opened')\" style='position:absolute;top:65px'>open</button>"
            "<a id='mail' href='mailto:ann@vellomar.test' target='_blank' style='position:absolute;top:95px'>mail</a>"
            "<a id='file' href='file:///etc/hostname' target='_blank' style='position:absolute;top:125px'>file</a>"
            "<a id='script' href='javascript:void(0)' target='_blank' style='position:absolute;top:155px'>script</a>"
            "<script>window.open('https://chat.example.invalid/unasked')</script>"
            "</body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QVERIFY(ClickElement(browser, clicked, Qt::LeftButton));
        if (!opened.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(!desktop.opened.isEmpty(), 5000);
        QTest::qWait(500);
        QCOMPARE(desktop.opened, opened);
        // The pane itself stays where it was.
        QCOMPARE(PageView(browser).url(), QUrl::fromLocalFile(page));
    }

    void linkWithoutTargetNavigatesThePane()
    {
        DesktopOpenRecorder desktop;
        TEmbeddedBrowser& browser = MainWindowPane();
        const QString next = WritePage(QStringLiteral("next.htm"), QStringLiteral("<html><body>next</body></html>"));
        const QString page = WritePage(QStringLiteral("same.htm"), QStringLiteral(
            "<html><body style='margin:0'><a href='next.htm' style='display:block;height:200px'>next</a></body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QSignalSpy finished(&browser, &TEmbeddedBrowser::loadFinished);
        QTest::mouseClick(InputTarget(browser), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(finished.wait(10000));
        QCOMPARE(PageView(browser).url(), QUrl::fromLocalFile(next));
        QVERIFY(desktop.opened.isEmpty());
    }

    void refusedAddressRaises_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("relative") << QStringLiteral("splash.htm");
        QTest::newRow("no host") << QStringLiteral("http://");
    }
    void refusedAddressRaises()
    {
        QFETCH(QString, address);
        TEmbeddedBrowser browser;
        browser.Navigate(QStringLiteral("about:blank"));
        const QUrl before = browser.LocationURL();
        QVERIFY_THROWS_EXCEPTION(Exception, browser.Navigate(address));
        QCOMPARE(browser.LocationURL(), before);
    }

    // Addresses reach the engine byte for byte: a space anywhere, the last one included, is
    // part of a value.
    void addressesWithSpacesAreTaken_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("sent");
        QTest::newRow("inside a value") << "username=john doe&pass=a%2Bb" << "username=john%20doe&pass=a%2Bb";
        QTest::newRow("ending the address") << "username=a&pass=pw  " << "username=a&pass=pw%20%20";
        QTest::newRow("a value of one space") << "pass= " << "pass=%20";
    }
    void addressesWithSpacesAreTaken()
    {
        QFETCH(QString, query);
        QFETCH(QString, sent);
        TEmbeddedBrowser browser;
        browser.Navigate(QStringLiteral("http://127.0.0.1:1/page.php?") + query);
        QCOMPARE(browser.LocationURL().query(QUrl::FullyEncoded), sent);
    }
};

VELLOMAR_TEST_MAIN(BrowserTest)
#include "test_browser.moc"
