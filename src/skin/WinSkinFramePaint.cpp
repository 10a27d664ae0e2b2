// Painting the frame of a skinned window: borders, caption strip with its text background, text
// and buttons, and the menu bar.
#include "FrameRegion.h"
#include "SkinData.h"
#include "SkinPrimitives.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"

#include <QPainter>

#include <cmath>

namespace {

// Frame 1 while the window is active (or when there is no other), else frame 2.
int ActivityFrame(const TDataSkinObject& element, bool active)
{
    return active || element.FrameCount <= 1 ? 1 : 2;
}

void DrawBorder(QPainter& painter, const TDataSkinFrameBorder& border, const QRect& rect, bool stacked, bool active)
{
    if (rect.isEmpty() || border.Image.isNull())
        return;
    painter.drawImage(rect.topLeft(),
                      ComposeNineSlice(rect.size(), border.Image,
                                       {border.LeftWidth, border.TopHeight, border.RightWidth, border.BottomHeight},
                                       stacked, border.Tile == 1, border.FrameCount, ActivityFrame(border, active)));
}

// The caption's text background: fixed ends of `left` and `right` pixels with the middle of the
// frame repeated between them, as high as the caption.
QImage TitleStrip(const QImage& image, const QRect& frame, QSize size, int left, int right)
{
    if (size.width() < left + right)
        left = right = 0;
    // Parts no picture reaches (fixed ends wider than the frame) stay transparent, not garbage.
    QImage strip(size, QImage::Format_RGB32);
    strip.fill(ToQColor(kSkinKeyColour));
    const int h = size.height();
    StretchCopy(strip, QRect(0, 0, left, h), image, QRect(frame.left(), frame.top(), left, frame.height()));
    StretchCopy(strip, QRect(size.width() - right, 0, right, h), image,
                QRect(frame.right() + 1 - right, frame.top(), right, frame.height()));
    const int middle = frame.width() - left - right;
    for (int x = left; middle > 0 && x < size.width() - right; x += middle) {
        const int w = std::min(middle, size.width() - right - x);
        StretchCopy(strip, QRect(x, 0, w, h), image, QRect(frame.left() + left, frame.top(), w, frame.height()));
    }
    return strip;
}

} // namespace

const QImage& TWinSkinForm::ComposeFrame(const QSize& size, const TCaptionLayout& layout) const
{
    const TSkinElements& e = *elements_;
    if (frameBuffer_.size() != size)
        frameBuffer_ = QImage(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    const int l = borders_.left(), t = borders_.top(), r = borders_.right(), b = borders_.bottom();
    {
        QPainter painter(&frameBuffer_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        DrawBorder(painter, *e.Left, QRect(0, 0, l, h), false, active_);
        DrawBorder(painter, *e.Right, QRect(w - r, 0, r, h), false, active_);
        DrawBorder(painter, *e.Bottom, QRect(l, h - b, w - l - r, b), true, active_);
        DrawBorder(painter, *e.Top, QRect(l, 0, w - l - r, t), true, active_);
    }
    DrawTitleBackground(frameBuffer_, layout);
    if (menuBar_)
        menuBar_->PaintBackground(frameBuffer_, active_);
    return frameBuffer_;
}

void TWinSkinForm::DrawTitleBackground(QImage& frame, const TCaptionLayout& layout) const
{
    const TDataSkinTitle& title = *elements_->Title;
    if (title.Image.isNull() || layout.text.isEmpty())
        return;
    const QRect source = SkinFrameRect(title.Image, title.FrameCount, ActivityFrame(title, active_), true);
    const QImage strip = TitleStrip(title.Image, source, layout.text.size(), title.TXTBackleft, title.TXTBackRight);
    QPainter painter(&frame);
    TransparentBlit(painter, TRect::FromQRect(layout.text), strip);
}

void TWinSkinForm::DrawCaptionText(QPainter& painter, const TCaptionLayout& layout) const
{
    const TDataSkinTitle& title = *elements_->Title;
    const int shift = title.TextShiftVert() / 2;
    const QRect rect = layout.text.adjusted(title.TXTBackleft, shift, -title.TXTBackRight, shift);
    if (rect.width() <= 0)
        return;
    painter.setFont(captionFont_);
    painter.setPen(ToQColor(active_ ? elements_->Colours.TitleTextActive : elements_->Colours.TitleTextNoActive));
    const QString text = QFontMetrics(captionFont_).elidedText(layout.label, Qt::ElideRight, rect.width());
    painter.drawText(rect, Qt::AlignVCenter | Qt::TextSingleLine | (rightToLeft_ ? Qt::AlignRight : Qt::AlignLeft),
                     text);
}

QRegion TWinSkinForm::BandRegion() const
{
    return QRegion(window_->rect()) - ClientRect();
}

QRegion TWinSkinForm::RegionOf(const QImage& frame) const
{
    const TSkinElements& e = *elements_;
    const int w = frame.width(), h = frame.height();
    const int l = borders_.left(), t = borders_.top(), r = borders_.right(), b = borders_.bottom();
    return BuildFrameRegion(frame, QRect(l, t, w - l - r, h - t - b),
                            {{QRect(0, 0, l, h), e.Left->Trans == 1},
                             {QRect(w - r, 0, r, h), e.Right->Trans == 1},
                             {QRect(l, 0, w - l - r, t), e.Top->Trans == 1},
                             {QRect(l, h - b, w - l - r, b), e.Bottom->Trans == 1}});
}

void TWinSkinForm::PaintNonClient(QPainter& painter)
{
    if (!window_ || !elements_ || !frameSkinned_ || kind_ == wkBorderless
        || (lifecycle_ != lcReady && lifecycle_ != lcRefreshing))
        return;
    const QSize size = window_->size();
    const TCaptionLayout layout = LayoutCaption(size);
    LayoutButtons(layout);
    if (menuBar_)
        menuBar_->Layout(
            QRect(borders_.left(), borders_.top(), size.width() - borders_.left() - borders_.right(), menuHeight_));
    const QImage& frame = ComposeFrame(size, layout);
    painter.save();
    const QRegion band = BandRegion();
    const qreal scale = painter.device()->devicePixelRatioF();
    if (scale == std::floor(scale)) {
        // Whole device pixels per pixel: each part of the band lands on whole pixels.
        for (const QRect& part : band)
            painter.drawImage(part, frame, part);
    } else {
        // Otherwise the frame is drawn as one image, scaled as a whole, so its parts cannot
        // meet at half pixels.
        painter.setClipRegion(band);
        painter.drawImage(QRect(QPoint(0, 0), size), frame);
    }
    DrawCaptionText(painter, layout);
    for (const auto& button : buttons_)
        button->Paint(painter, active_);
    if (menuBar_)
        menuBar_->PaintItems(painter);
    painter.restore();
}
