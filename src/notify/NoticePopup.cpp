#include "NoticePopup.h"

#include "NoticePopupAccessible.h"
#include "SlideEnvironment.h"
#include "framework/ComponentReference.h"
#include "framework/Events.h"
#include "framework/ImageList.h"

namespace {
constexpr int kSlideStep = 20;
constexpr int kSlidePause = 50;
constexpr int kRightGap = 20;
}

TNoticePopup::TNoticePopup(QWidget* owner) : TComponent(owner), owner_(owner) {}

void TNoticePopup::SetImages(TImageList* images)
{
    SetComponentReference(*this, images_, images);
}

void TNoticePopup::SetPictureContainer(TPictureContainer* container)
{
    SetComponentReference(*this, pictureContainer_, container);
}

void TNoticePopup::SetText(const QStringList& lines)
{
    text_ = lines;
    if (window_)
        window_->SetWindowText(text_.join(QString()));
}

void TNoticePopup::PrepareWindow()
{
    if (!window_)
        window_ = new TNoticePopupWindow(owner_);
    TNoticePopupWindow* w = window_;
    w->hide();
    w->Font = font_;
    w->FontColor = fontColor_;
    w->SetWindowText(text_.join(QString()));
    w->SetAlwaysOnTop(AlwaysOnTop);
    w->setGeometry(PopupLeft, PopupTop, PopupWidth, PopupHeight);
    w->PictureContainer = pictureContainer_;
    w->SetHover(Hover);
    w->Images = images_;
    w->ShadeEnable = ShadeEnable;
    w->ShadeStartColor = ShadeStartColor;
    w->ShadeEndColor = ShadeEndColor;
    w->ShadeDirection = ShadeDirection;
    w->ShadeSteps = ShadeSteps;
    w->AutoHide = AutoHide;
    w->BorderSize = BorderSize;
    w->Color = Color;
    w->OnAnchorClick = [this](QObject*, const QString& anchor) {
        if (OnAnchorClick)
            CallHandler([&] { OnAnchorClick(this, anchor); });
    };
    w->SetAutoSize(AutoSize);
}

void TNoticePopup::ShowPopup()
{
    PrepareWindow();
    window_->show();
}

void TNoticePopup::HidePopup()
{
    if (window_)
        window_->hide();
}

void TNoticePopup::OpenPopup()
{
    SlideEnvironment& environment = SlideEnvironment::Current();
    const QRect area = environment.WorkArea();
    const int bottom = area.y() + area.height();
    PopupTop = bottom;
    PrepareWindow();
    PopupLeft = area.x() + area.width() - window_->width() - kRightGap;
    ShowPopup();
    // Spoken as it appears, not when it has finished sliding in.
    AnnounceNotice(window_);
    // Called again from inside its own wait (a page announcing one newcomer after another), the
    // window starts again from the bottom and the slide already running takes it up: one slide
    // at a time, so a flood of calls cannot nest waits without end.
    if (slidingIn_)
        return;
    slidingIn_ = true;
    // Handlers run inside the waits (another OpenPopup, ClosePopup, auto-hide, even the owner's
    // end), so the window and its place are read afresh on every step.
    QPointer<TNoticePopup> self = this;
    QPointer<TNoticePopupWindow> w = window_;
    while (w && w->y() + w->height() > bottom) {
        environment.Wait(kSlidePause);
        if (!w)
            break;
        w->move(w->x(), std::max(w->y() - kSlideStep, bottom - w->height()));
    }
    if (w)
        w->move(w->x(), bottom - w->height());
    if (self)
        slidingIn_ = false;
}

void TNoticePopup::ClosePopup()
{
    // Before the first PrepareWindow there is no window to take down.
    if (!window_)
        return;
    SlideEnvironment& environment = SlideEnvironment::Current();
    const QRect area = environment.WorkArea();
    const int bottom = area.y() + area.height();
    QPointer<TNoticePopupWindow> w = window_;
    while (w && w->y() < bottom) {
        environment.Wait(kSlidePause);
        if (!w)
            return;
        w->move(w->x(), w->y() + kSlideStep);
    }
    HidePopup();
}
