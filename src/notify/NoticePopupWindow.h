#pragma once
#include "NoticePictures.h"
#include "framework/Color.h"
#include "framework/Rect.h"

#include <QFont>
#include <QWidget>

#include <functional>

class TImageList;
class TCanvas;
struct TMiniHTMLResults;

enum TShadeDirection { sdHorizontal, sdVertical };
using TAnchorClickEvent = std::function<void(QObject* Sender, const QString& Anchor)>;

// The popup's window: borderless, no taskbar entry, optionally on top of everything. It paints a
// shaded or plain background, a raised frame and the mini-HTML text, tracks the anchor under the
// mouse and reports anchor clicks.
class TNoticePopupWindow : public QWidget {
    Q_OBJECT

public:
    explicit TNoticePopupWindow(QWidget* owner);

    bool AlwaysOnTop() const { return alwaysOnTop_; }
    // Takes effect by re-creating the native window.
    void SetAlwaysOnTop(bool onTop);
    bool AutoHide = false;
    bool AutoSize() const { return autoSize_; }
    // When turned on, the window takes the size of its measured text.
    void SetAutoSize(bool autoSize);
    int BorderSize = 0;
    TColor Color = clInfoBk;
    TImageList* Images = nullptr;
    bool ShadeEnable = false;
    TColor ShadeStartColor = clSilver;
    TColor ShadeEndColor = clGray;
    int ShadeSteps = 40;
    TShadeDirection ShadeDirection = sdHorizontal;
    bool Hover() const { return hover_; }
    void SetHover(bool hover);
    TPictureContainer* PictureContainer = nullptr;
    TAnchorClickEvent OnAnchorClick;
    QFont Font;
    TColor FontColor = clWindowText;

    int HoverAnchor() const { return hoverAnchor_; }
    TRect HoverRect() const { return hoverRect_; }
    TNoticePictureCache& PictureCache() { return pictureCache_; }

    QString WindowText() const { return text_; }
    // Replaces the text and sizes the window to the raw text (+6 wide, +4 high).
    void SetWindowText(const QString& text);

    // Where the formatter lays the text out, in client coordinates.
    TRect TextRect() const;
    // Runs the formatter in measuring mode at a client point; true when it is on an anchor.
    bool HitTest(const QPoint& point, TMiniHTMLResults& results);
    // The text as it is laid out now: its plain words and its anchors, in client coordinates.
    TMiniHTMLResults LaidOutText();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PaintBackground(TCanvas& canvas) const;
    void PaintFrame(TCanvas& canvas) const;
    void TrackHover(const QPoint& point);

    bool alwaysOnTop_ = false;
    bool autoSize_ = false;
    bool hover_ = true;
    int hoverAnchor_ = -1;
    TRect hoverRect_;
    QString text_;
    TNoticePictureCache pictureCache_;
};
