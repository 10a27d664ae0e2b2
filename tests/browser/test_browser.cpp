#include "PageSupport.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "browser/EmbeddedBrowser.h"
#include "framework/Exception.h"

#include <QDesktopServices>
#include <QMenu>
#include <QTemporaryDir>

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
    return browser.focusProxy() ? browser.focusProxy() : &browser;
}

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
        QCOMPARE(browser.url(), QUrl::fromLocalFile(second));
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
        QCOMPARE(browser.url(), QUrl::fromLocalFile(page));
    }

    void linkWithoutTargetNavigatesThePane()
    {
        DesktopOpenRecorder desktop;
        TEmbeddedBrowser& browser = MainWindowPane();
        const QString next = WritePage(QStringLiteral("next.htm"), QStringLiteral("<html><body>next</body></html>"));
        const QString page = WritePage(QStringLiteral("same.htm"), QStringLiteral(
            "<html><body style='margin:0'><a href='next.htm' style='display:block;height:200px'>next</a></body></html>"));
        QVERIFY(LoadAndWait(browser, page));
        QSignalSpy finished(&browser, &QWebEngineView::loadFinished);
        QTest::mouseClick(InputTarget(browser), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(finished.wait(10000));
        QCOMPARE(browser.url(), QUrl::fromLocalFile(next));
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
