#include "NoticePopupWindow.h"

#include "Gradient.h"
#include "MiniHTML.h"
#include "framework/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Room the window keeps around its measured text.
constexpr int kTextLeft = 6, kTextTop = 2, kTextRight = 4, kTextBottom = 8;
constexpr int kAutoSizeExtra = 16;
constexpr int kLayoutSide = 4096;

Qt::WindowFlags PopupFlags(bool onTop)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint
                            | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint;
    if (onTop)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

TNoticePopupWindow::TNoticePopupWindow(QWidget* owner) : QWidget(owner, PopupFlags(false))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TNoticePopupWindow::SetAlwaysOnTop(bool onTop)
{
    alwaysOnTop_ = onTop;
    const QRect geometry = this->geometry();
    setWindowFlags(PopupFlags(onTop));
    setGeometry(geometry);
}

void TNoticePopupWindow::SetHover(bool hover)
{
    hover_ = hover;
    hoverAnchor_ = -1;
}

void TNoticePopupWindow::SetWindowText(const QString& text)
{
    text_ = text;
    const QFontMetrics metrics(Font);
    // The desktop cannot make a window wider than this.
    constexpr int kWidestWindow = 32767;
    resize(std::min(metrics.horizontalAdvance(text) + 6, kWidestWindow), metrics.height() + 4);
}

void TNoticePopupWindow::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (!autoSize)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(&painter);
    canvas.Font = Font;
    canvas.FontColor = FontColor;
    TRect client{BorderSize, BorderSize, width() - BorderSize, height() - BorderSize};
    const TRect layout{client.Left + kTextLeft, client.Top + kTextTop, client.Left + kTextLeft + kLayoutSide,
                       client.Top + kTextTop + kLayoutSide};
    TMiniHTMLParams params;
    params.Images = Images;
    params.PictureCache = &pictureCache_;
    params.PictureContainer = PictureContainer;
    // Measured within the layout square, so no text makes the window outgrow it.
    params.MeasureOnly = true;
    TMiniHTMLResults results;
    DrawMiniHTML(canvas, text_, layout, params, results);
    resize(results.ExtentWidth + 2 * BorderSize + kAutoSizeExtra, results.ExtentHeight + 2 * BorderSize + kAutoSizeExtra);
}

TRect TNoticePopupWindow::TextRect() const
{
    const int b = BorderSize;
    return {b + kTextLeft, b + kTextTop, width() - b - kTextRight, height() - b - kTextBottom};
}

bool TNoticePopupWindow::HitTest(const QPoint& point, TMiniHTMLResults& results)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(&painter);
    canvas.Font = Font;
    canvas.FontColor = FontColor;
    TMiniHTMLParams params;
    params.Images = Images;
    params.HitX = point.x();
    params.HitY = point.y();
    params.MeasureOnly = true;
    params.BlinkOn = false;
    params.PictureCache = &pictureCache_;
    params.PictureContainer = PictureContainer;
    return DrawMiniHTML(canvas, text_, TextRect(), params, results);
}

TMiniHTMLResults TNoticePopupWindow::LaidOutText()
{
    TMiniHTMLResults results;
    // A point left of the text is on no anchor.
    HitTest(QPoint(-1, -1), results);
    return results;
}

void TNoticePopupWindow::PaintBackground(TCanvas& canvas) const
{
    const int w = width(), h = height();
    if (!ShadeEnable) {
        canvas.BrushColor = Color;
        canvas.FillRect({0, 0, w, h});
        return;
    }
    const int steps = ShadeSteps > 0 ? ShadeSteps : 1;
    const bool horizontal = ShadeDirection == sdHorizontal;
    const double band = (horizontal ? w : h) / double(steps);
    for (int i = 0; i < steps; ++i) {
        canvas.BrushColor = BandColor(ShadeStartColor & 0xFFFFFF, ShadeEndColor & 0xFFFFFF, i, steps);
        const int from = RoundEven(i * band), to = from + RoundEven(band) + 1;
        canvas.FillRect(horizontal ? TRect{from, 0, to, h} : TRect{0, from, w, to});
    }
}

void TNoticePopupWindow::PaintFrame(TCanvas& canvas) const
{
    const int w = width(), h = height(), b = BorderSize;
    if (b > 0) {
        canvas.BrushColor = clBtnFace;
        canvas.FillRect({0, 0, w, b});
        canvas.FillRect({w - b, 0, w, h});
        canvas.FillRect({0, h - b, w, h});
        canvas.FillRect({0, 0, b, h});
        canvas.PenColor = clWhite;
        canvas.MoveTo(0, h);
        canvas.LineTo(0, 0);
        canvas.LineTo(w - 1, 0);
        canvas.PenColor = clGray;
        canvas.LineTo(w - 1, h - 1);
        canvas.LineTo(0, h - 1);
        canvas.MoveTo(b, h - b);
        canvas.LineTo(b, b);
        canvas.LineTo(w - b, b);
        canvas.PenColor = clWhite;
        canvas.LineTo(w - b, h - b);
        canvas.LineTo(b, h - b);
        return;
    }
    canvas.PenColor = cl3DLight;
    canvas.MoveTo(0, h - 2);
    canvas.LineTo(0, 0);
    canvas.LineTo(w - 1, 0);
    canvas.PenColor = cl3DDkShadow;
    canvas.MoveTo(0, h - 1);
    canvas.LineTo(w - 1, h - 1);
    canvas.LineTo(w - 1, -1);
}

void TNoticePopupWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    PaintBackground(canvas);
    PaintFrame(canvas);
    canvas.Font = Font;
    canvas.FontColor = FontColor;
    canvas.BrushColor = clNone;
    TMiniHTMLParams params;
    params.Images = Images;
    params.HoverAnchor = hoverAnchor_;
    params.HoverStyle = hover_;
    params.PictureCache = &pictureCache_;
    params.PictureContainer = PictureContainer;
    TMiniHTMLResults results;
    DrawMiniHTML(canvas, text_, TextRect(), params, results);
}

void TNoticePopupWindow::TrackHover(const QPoint& point)
{
    TMiniHTMLResults results;
    if (HitTest(point, results)) {
        setCursor(Qt::PointingHandCursor);
        if (results.AnchorUnderPointNumber != hoverAnchor_ && hover_)
            update(results.AnchorUnderPointRect.ToQRect());
        if (hoverAnchor_ != -1 && hover_ && results.AnchorUnderPointNumber != hoverAnchor_)
            update(hoverRect_.ToQRect());
        hoverAnchor_ = results.AnchorUnderPointNumber;
        hoverRect_ = results.AnchorUnderPointRect;
        return;
    }
    unsetCursor();
    if (hoverAnchor_ != -1 && hover_)
        update(hoverRect_.ToQRect());
    hoverAnchor_ = -1;
}

void TNoticePopupWindow::mouseMoveEvent(QMouseEvent* event)
{
    TrackHover(event->position().toPoint());
}

void TNoticePopupWindow::mousePressEvent(QMouseEvent* event)
{
    TMiniHTMLResults results;
    if (HitTest(event->position().toPoint(), results) && OnAnchorClick)
        OnAnchorClick(this, results.AnchorUnderPoint);
    if (QWidget* owner = parentWidget(); owner && owner->isVisible())
        owner->activateWindow();
    if (hoverAnchor_ != -1 && hover_)
        update(hoverRect_.ToQRect());
}

void TNoticePopupWindow::leaveEvent(QEvent*)
{
    if (AutoHide)
        hide();
}
