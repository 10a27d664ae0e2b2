#include "PageSupport.h"
#include "TestSupport.h"
#include "app/ClientWindows.h"
#include "app/LoginForm.h"
#include "app/MainForm.h"
#include "app/SplashDialog.h"
#include "framework/Controls.h"

#include <QElapsedTimer>
#include <QSignalSpy>

namespace {

// Watches for the start-up picture's window and notes where the pane was at that moment.
class SplashWatcher : public QObject {
public:
    bool seen = false;
    bool paneUntouchedWhenSeen = false;
    bool engineRanWhenSeen = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("SplashWindow") && !seen) {
            seen = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* form = qobject_cast<TForm1*>(w)) {
                    const auto* pane = form->findChild<TEmbeddedBrowser*>(QStringLiteral("www"));
                    paneUntouchedWhenSeen = pane->LocationURL().isEmpty();
                    engineRanWhenSeen = pane->EngineWidget() != nullptr;
                }
        }
        return false;
    }
};

bool WaitForLoad(TEmbeddedBrowser* pane)
{
    QSignalSpy finished(pane, &TEmbeddedBrowser::loadFinished);
    return finished.wait(20000) && finished.last().first().toBool();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    TForm1* form = nullptr;
    TForm3* Form3 = nullptr;
    QElapsedTimer sinceCreation;
    SplashWatcher watcher;
    bool engineRanAfterCreation = true;
    bool pictureOnScreenAfterCreation = false;

private slots:
    void initTestCase()
    {
        // Pages come from the executable's folder whatever the working directory.
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        qApp->installEventFilter(&watcher);
        sinceCreation.start();
        const ClientWindows windows(*Application);
        form = windows.Form1;
        Form3 = windows.Form3;
        engineRanAfterCreation = form->www->EngineWidget() != nullptr;
        pictureOnScreenAfterCreation = form->SplashDialog1->Window()->windowHandle()->isExposed();
        qApp->removeEventFilter(&watcher);
    }

    void startUpPictureComesBeforeThePage()
    {
        QVERIFY(watcher.seen);
        QVERIFY(watcher.paneUntouchedWhenSeen);
        // The browser engine is not paid for before the picture, nor while the forms are built.
        QVERIFY(!watcher.engineRanWhenSeen);
        QVERIFY(!engineRanAfterCreation);
        // It is on the screen at once, not when the program next waits.
        QVERIFY(pictureOnScreenAfterCreation);
        QCOMPARE(form->www->LocationURL(), QUrl::fromLocalFile(ExecutableFolder() + QStringLiteral("splash.htm")));
        QVERIFY(!Form3->isVisible());
    }

    void startUpPictureWindow()
    {
        QWidget* splash = form->SplashDialog1->Window();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->size(), QSize(400, 250));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(splash->pos(), QPoint((screen.width() - 400) / 2, (screen.height() - 250) / 2));
        const Qt::WindowFlags flags = splash->windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        // It takes the clicks made on it (test_splash_input), so they reach no window below.
        QVERIFY(!(flags & Qt::WindowTransparentForInput));
        QVERIFY(flags & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(flags & Qt::FramelessWindowHint);
        // The picture sits unscaled inside the one-pixel border.
        const QImage shown = splash->grab().toImage();
        const QImage picture(QStringLiteral(":/images/splash.png"));
        QCOMPARE(shown.pixel(1, 1), picture.pixel(0, 0));
        QCOMPARE(shown.pixel(200, 100), picture.pixel(199, 99));
        QCOMPARE(QColor(shown.pixel(0, 0)), QColor(Qt::black));
        // A click on it does nothing.
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(splash->isVisible());
        QVERIFY(QApplication::focusWidget() != splash);
    }

    void mainWindowLayout()
    {
        QCOMPARE(form->Caption(), QStringLiteral("Vellomar manager"));
        QCOMPARE(form->size(), QSize(746, 538));
        QCOMPARE(form->font().pixelSize(), 11);
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        const QRect client = form->ClientArea()->rect();
        QCOMPARE(form->StatusBar1->geometry(), QRect(0, client.height() - 19, client.width(), 19));
        QCOMPARE(form->www->geometry(), QRect(121, 0, client.width() - 121, client.height() - 19));
    }

    void splashPageLoads()
    {
        QTRY_COMPARE_WITH_TIMEOUT(PageView(*form->www).title(), QStringLiteral("Welcome to Vellomar Chat"), 20000);
    }

    void helpShowsTheHelpPage()
    {
        form->BHelpClick(form);
        QCOMPARE(form->www->LocationURL(), QUrl::fromLocalFile(ExecutableFolder() + QStringLiteral("help.htm")));
        QVERIFY(WaitForLoad(form->www));
        QTRY_COMPARE_WITH_TIMEOUT(PageView(*form->www).title(), QStringLiteral("Vellomar Chat help"), 5000);
    }

    void loginCommandShowsTheLoginWindowInFront()
    {
        form->BloginClick(form);
        QVERIFY(Form3->isVisible());
        Form3->hide();
        form->Login1Click(form);
        QVERIFY(Form3->isVisible());
        QVERIFY(form->isVisible());
        Form3->hide();
    }

    void startUpPictureGoesAfterItsDelay()
    {
        QPointer<QWidget> splash = form->SplashDialog1->Window();
        QVERIFY(splash);
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 8000);
        QVERIFY2(sinceCreation.elapsed() >= 3900, "the start-up picture left early");
    }
};

VELLOMAR_TEST_MAIN(StartupTest)
#include "test_startup.moc"
