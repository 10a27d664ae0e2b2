#pragma once
#include "framework/Component.h"
#include "framework/Events.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class TForm;

// The start-up picture. Built on a form, it takes the form's create event: when the form has
// been created it shows its window, runs the form's own create handler and gives the slot back.
// The window is a bordered, captionless popup, centred, always on top, that takes no focus and
// is not activated; clicks on it do nothing. It goes away by its own timer.
class TSplashDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Delay READ Delay WRITE SetDelay)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    explicit TSplashDialog(TForm* owner);
    ~TSplashDialog() override;

    QImage Picture;

    int Delay() const { return delay_; }
    void SetDelay(int ms) { delay_ = ms; }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }

    // The picture window while it is up, else nullptr.
    QWidget* Window() const { return window_; }

private:
    void FormCreateHook(QObject* Sender);
    void ShowSplash();

    TForm* form_;
    TNotifyEvent keptOnCreate_;
    QPointer<QWidget> window_;
    int delay_ = 4000;
    int width_ = 400;
    int height_ = 250;
};
