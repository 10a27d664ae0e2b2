// The start-up picture under a real X server and window manager: a click on it goes nowhere.
#include "TestSupport.h"
#include "app/SplashDialog.h"
#include "framework/Form.h"

#include <QMouseEvent>
#include <QProcess>
#include <QScreen>

namespace {

// Notes where on the screen the presses that reach a widget were made.
class PressRecorder : public QObject {
public:
    QList<QPoint> presses;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            presses.append(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return false;
    }
};

// A form whose creation shows the start-up picture, as the main window's does.
class SplashForm : public TForm {
public:
    SplashForm()
    {
        BeginLayout();
        splash = AddComponent(new TSplashDialog(this));
        splash->Picture = QImage(QStringLiteral(":/images/splash.png"));
        splash->SetDelay(60000);
        EndLayout();
    }
    TSplashDialog* splash = nullptr;
};

// Clicks at a point of the screen through the X server, as a person would.
bool ClickOnScreen(const QPoint& at)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                              QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")})
        == 0;
}

} // namespace

class SplashInputTest : public QObject {
    Q_OBJECT

private slots:
    void clickOnThePictureGoesNowhere()
    {
        // The window under the picture, active, covering the whole screen.
        QWidget under;
        under.setWindowTitle(QStringLiteral("under"));
        under.setGeometry(QGuiApplication::primaryScreen()->geometry());
        PressRecorder reachedUnder;
        under.installEventFilter(&reachedUnder);
        under.show();
        under.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&under));

        SplashForm form;
        QWidget* picture = form.splash->Window();
        QVERIFY(picture);
        QVERIFY(QTest::qWaitForWindowExposed(picture));
        PressRecorder reachedPicture;
        picture->installEventFilter(&reachedPicture);

        const QPoint onPicture = picture->geometry().center();
        const QPoint beside(100, 100);
        QVERIFY(ClickOnScreen(onPicture));
        // A second click beside the picture: once it has arrived, so has the first.
        QVERIFY(ClickOnScreen(beside));
        QTRY_VERIFY(reachedUnder.presses.contains(beside));
        QVERIFY(!reachedUnder.presses.contains(onPicture));
        QCOMPARE(reachedPicture.presses, QList<QPoint>{onPicture});
        // It takes neither focus nor activation.
        QVERIFY(picture->isVisible());
        QCOMPARE(QApplication::activeWindow(), &under);
        QVERIFY(QApplication::focusWidget() != picture);
    }
};

VELLOMAR_TEST_MAIN(SplashInputTest)
#include "test_splash_input.moc"
