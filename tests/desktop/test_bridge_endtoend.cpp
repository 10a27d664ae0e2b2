#include "DemoService.h"
#include "DesktopSupport.h"
#include "PageSupport.h"
#include "TestSupport.h"
#include "app/ClientWindows.h"
#include "app/LoginForm.h"
#include "app/MainForm.h"
#include "notify/NoticePopup.h"
#include "tray/TrayIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>

// The client's main loop on a real X display with a tray: a chat page announces a newcomer,
// the main window comes back from the tray and the popup slides up at the bottom right of the
// screen. Once against a local page, once against the demo chat service.
class BridgeEndToEndTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ChildProcess trayHost_;
    TForm1* Form1 = nullptr;
    TForm3* Form3 = nullptr;

    void Load(QWebEnginePage* page, const QUrl& url)
    {
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->load(url);
        QVERIFY(loaded.wait(30000));
        QVERIFY(loaded.first().first().toBool());
    }

    // Waits for the newcomer's popup and checks it on the screen.
    void ExpectNotice(const QString& name, const QString& shotName)
    {
        const QString named = QStringLiteral(">%1</FONT>").arg(name);
        QTRY_VERIFY_WITH_TIMEOUT(Form1->pop2->Window() && Form1->pop2->Window()->isVisible()
                                     && Form1->pop2->Text().join(QString()).contains(named),
                                 20000);
        QVERIFY(Form1->isVisible());
        TNoticePopupWindow* popup = Form1->pop2->Window();
        const QRect area = popup->screen()->availableGeometry();
        QTRY_COMPARE(popup->geometry().bottom(), area.bottom());
        QCOMPARE(popup->geometry().right(), area.right() - 20);

        QTest::qWait(300);
        const QImage shot = popup->screen()->grabWindow(0).toImage();
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(shotName);
        shot.save(path);
        qInfo("screenshot: %s", qPrintable(path));
        // The shade ends in yellow at the popup's right, inside its frame.
        const QColor right = shot.pixelColor(popup->geometry().right() - 8, popup->geometry().bottom() - 8);
        QVERIFY2(right.red() > 200 && right.green() > 200 && right.blue() < 120, qPrintable(right.name()));
        const QColor left = shot.pixelColor(popup->geometry().left() + 7, popup->geometry().bottom() - 8);
        QVERIFY2(left.blue() > 200, qPrintable(left.name()));
        QTRY_VERIFY_WITH_TIMEOUT(!popup->isVisible(), 8000);
    }

    void HideToTray()
    {
        Form1->close();
        QVERIFY(!Form1->isVisible());
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (run through scripts/with-xvfb)");
        if (!MissingTool({QStringLiteral("trayer")}).isEmpty())
            QSKIP("trayer is not installed (scripts/bootstrap installs it)");
        QVERIFY(StartTrayHost(trayHost_));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        qputenv("VELLOMAR_CONFIG_DIR", dir_.path().toLocal8Bit());
        const ClientWindows windows(*Application);
        Form1 = windows.Form1;
        Form3 = windows.Form3;
        QSignalSpy loaded(Form1->www, &TEmbeddedBrowser::loadFinished);
        Form1->Show();
        QVERIFY(loaded.wait(30000));
        QTRY_VERIFY_WITH_TIMEOUT(Form1->TrayIcon1->InTray(), 10000);
    }

    void localPageAnnouncesANewcomer()
    {
        const QString path = dir_.filePath(QStringLiteral("room.htm"));
        QFile page(path);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><p>room</p><script>"
                   "setTimeout(function () { window.external.pagesetup('Ann'); }, 1500);"
                   "</script></body></html>");
        page.close();
        Load(PageView(*Form1->www).page(), QUrl::fromLocalFile(path));
        HideToTray();
        ExpectNotice(QStringLiteral("Ann"), QStringLiteral("endtoend-local-popup.png"));
    }

    void demoServiceAnnouncesASecondUser()
    {
        DemoService demo;
        QVERIFY2(demo.Started(), demo.process.Output().constData());
        const QString host = QString::fromStdString(demo.host);

        // "demo" is in the room in the client's pane, the window hidden in the tray.
        Load(PageView(*Form1->www).page(),
             QUrl(host + QStringLiteral("/JAVASCRIPTWEXE.php?username=demo&email=demo%40vellomar.test&pass=demo")));
        HideToTray();

        // "ann" enters from another browser.
        QWebEngineProfile otherBrowser;
        QWebEnginePage ann(&otherBrowser);
        Load(&ann, QUrl(host + QStringLiteral("/JAVASCRIPTWEXE.php?username=ann&email=ann%40vellomar.test&pass=ann")));
        ExpectNotice(QStringLiteral("ann"), QStringLiteral("endtoend-demo-popup.png"));
    }
};

VELLOMAR_TEST_MAIN(BridgeEndToEndTest)
#include "test_bridge_endtoend.moc"
