#include "SplashDialog.h"

#include "StartupTrace.h"
#include "framework/Color.h"
#include "framework/Form.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kIconSize = 16;

class SplashWindow final : public QWidget {
public:
    explicit SplashWindow(const QImage& picture)
        : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                               | Qt::WindowDoesNotAcceptFocus)
        , picture_(picture)
    {
        setObjectName(QStringLiteral("SplashWindow"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
        // Nothing shows an icon for a window without caption or task-bar entry: one small size
        // spares the window system the application's whole set before the first paint.
        setWindowIcon(QIcon(QGuiApplication::windowIcon().pixmap(kIconSize)));
    }

protected:
    // Clicking the picture does nothing; the window takes the clicks so that none reaches the
    // window under it.
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(clBtnFace));
        // The thin border is one pixel; the picture starts inside it, unscaled and clipped.
        p.setClipRect(rect().adjusted(1, 1, -1, -1));
        p.drawImage(QPoint(1, 1), picture_);
        p.setClipping(false);
        p.setPen(ToQColor(clBlack));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QImage picture_;
};

// How long the form waits for the window system to put the picture on the screen.
constexpr int kMostWaitForScreenMs = 1000;

// Returns once the window is on the screen, painted: the window system shows it in its own
// time, and only then can it be painted. Clicks that come meanwhile wait their turn.
void PaintAtOnce(QWidget* window)
{
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(kMostWaitForScreenMs);
    const QWindow* handle = window->windowHandle();
    while (handle && !handle->isExposed() && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    window->repaint();
}

} // namespace

TSplashDialog::TSplashDialog(TForm* owner) : TComponent(owner), form_(owner)
{
    keptOnCreate_ = form_->OnCreate;
    form_->OnCreate = [this](QObject* Sender) { FormCreateHook(Sender); };
}

TSplashDialog::~TSplashDialog()
{
    delete window_.data();
}

void TSplashDialog::FormCreateHook(QObject* Sender)
{
    ShowSplash();
    const TNotifyEvent kept = keptOnCreate_;
    form_->OnCreate = kept;
    if (kept)
        kept(Sender);
}

void TSplashDialog::ShowSplash()
{
    auto* window = new SplashWindow(Picture);
    window_ = window;
    window->resize(width_, height_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.x() + (area.width() - width_) / 2, area.y() + (area.height() - height_) / 2);
    }
    StartupTrace::MarkWhenShown(window, "splash-shown");
    window->show();
    PaintAtOnce(window);
    // Precise: a coarse timer may end a delay of seconds up to 5 % early.
    QTimer::singleShot(delay_, Qt::PreciseTimer, window, [window] {
        window->hide();
        window->deleteLater();
    });
}
