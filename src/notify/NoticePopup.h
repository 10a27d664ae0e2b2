#pragma once
#include "NoticePopupWindow.h"
#include "framework/Component.h"

#include <QPointer>
#include <QStringList>

// The notification popup component: keeps the display settings and the mini-HTML text, and
// shows them in its popup window, which it creates on first use as an owned window of its
// owner form. OpenPopup slides the window up out of the bottom-right corner of the work area,
// ClosePopup slides it down again; both keep the message loop running while they slide.
class TNoticePopup : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool AlwaysOnTop MEMBER AlwaysOnTop)
    Q_PROPERTY(bool AutoHide MEMBER AutoHide)
    Q_PROPERTY(bool AutoSize MEMBER AutoSize)
    Q_PROPERTY(int BorderSize MEMBER BorderSize)
    Q_PROPERTY(unsigned Color MEMBER Color)
    Q_PROPERTY(bool Hover MEMBER Hover)
    Q_PROPERTY(int PopupLeft MEMBER PopupLeft)
    Q_PROPERTY(int PopupTop MEMBER PopupTop)
    Q_PROPERTY(bool ShadeEnable MEMBER ShadeEnable)
    Q_PROPERTY(unsigned ShadeStartColor MEMBER ShadeStartColor)
    Q_PROPERTY(unsigned ShadeEndColor MEMBER ShadeEndColor)
    Q_PROPERTY(int ShadeSteps MEMBER ShadeSteps)
    Q_PROPERTY(int PopupWidth MEMBER PopupWidth)
    Q_PROPERTY(int PopupHeight MEMBER PopupHeight)

public:
    explicit TNoticePopup(QWidget* owner);

    bool AlwaysOnTop = false;
    bool AutoHide = false;
    bool AutoSize = false;
    int BorderSize = 0;
    TColor Color = clInfoBk;
    bool Hover = false;
    int PopupLeft = 0, PopupTop = 0;
    bool ShadeEnable = false;
    TColor ShadeStartColor = clSilver;
    TColor ShadeEndColor = clGray;
    int ShadeSteps = 40;
    TShadeDirection ShadeDirection = sdHorizontal;
    int PopupWidth = 200, PopupHeight = 200;
    TAnchorClickEvent OnAnchorClick;

    QFont Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TPictureContainer* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(TPictureContainer* container);

    // The text, one or more lines, joined without separator in the window.
    const QStringList& Text() const { return text_; }
    void SetText(const QStringList& lines);

    void OpenPopup();
    void ClosePopup();
    void ShowPopup();
    void HidePopup();
    void PrepareWindow();

    // The popup window, nullptr until the first PrepareWindow.
    TNoticePopupWindow* Window() const { return window_; }

private:
    QWidget* owner_;
    QPointer<TNoticePopupWindow> window_;
    QFont font_;
    TColor fontColor_ = clWindowText;
    TImageList* images_ = nullptr;
    TPictureContainer* pictureContainer_ = nullptr;
    QStringList text_;
    bool slidingIn_ = false;
};
