#include "SkinTrackBar.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QCursor>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

constexpr int kChannel = 4;

QStyleOptionSlider SliderOption(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = slider->orientation() == Qt::Horizontal
        ? slider->invertedAppearance() != (slider->layoutDirection() == Qt::RightToLeft)
        : !slider->invertedAppearance();
    // The direction is in upsideDown now: left in the option, the style would turn it back.
    option.direction = Qt::LeftToRight;
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    if (slider->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

QRect HandleRect(const QSlider* slider)
{
    const QStyleOptionSlider option = SliderOption(slider);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

} // namespace

QSlider* TSkinTrackBar::Slider() const
{
    return qobject_cast<QSlider*>(Control());
}

const TDataSkinObject* TSkinTrackBar::Thumb() const
{
    const QSlider* slider = Slider();
    if (!slider)
        return nullptr;
    const TSkinElements& e = Elements();
    const auto pick = [](const std::unique_ptr<TDataSkinObject>& pointing,
                         const std::unique_ptr<TDataSkinObject>& plain) {
        return HasPicture(pointing.get()) ? pointing.get() : plain.get();
    };
    const QSlider::TickPosition ticks = slider->tickPosition();
    if (slider->orientation() == Qt::Horizontal) {
        if (ticks == QSlider::TicksBelow)
            return pick(e.TrackbarThumbDown, e.TrackbarThumbHorz);
        if (ticks == QSlider::TicksAbove)
            return pick(e.TrackbarThumbUp, e.TrackbarThumbHorz);
        return e.TrackbarThumbHorz.get();
    }
    if (ticks == QSlider::TicksRight)
        return pick(e.TrackbarThumbRight, e.TrackbarThumbVert);
    if (ticks == QSlider::TicksLeft)
        return pick(e.TrackbarThumbLeft, e.TrackbarThumbVert);
    return e.TrackbarThumbVert.get();
}

int TSkinTrackBar::ThumbFrame() const
{
    const QSlider* slider = Slider();
    if (!slider->isEnabled())
        return 4;
    if (slider->isSliderDown())
        return 3;
    if (slider->underMouse() && HandleRect(slider).contains(slider->mapFromGlobal(QCursor::pos())))
        return 2;
    return slider->hasFocus() ? 5 : 1;
}

bool TSkinTrackBar::BeforeMessage(QEvent* event)
{
    if (event->type() == QEvent::HoverMove)
        Control()->update();
    if (event->type() != QEvent::Paint || !HasPicture(Thumb()))
        return TSkinControl::BeforeMessage(event);
    QPainter painter(Control());
    PaintFrame(painter);
    return false;
}

void TSkinTrackBar::Paint(QPainter& painter, const QRect&)
{
    QSlider* slider = Slider();
    if (!slider || !HasPicture(Thumb()))
        return;
    const QStyleOptionSlider option = SliderOption(slider);
    QStyle* style = slider->style();
    const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    const bool horizontal = slider->orientation() == Qt::Horizontal;
    const QColor shadow = ToQColor(Elements().Colours.ButtonShadow);

    // The channel, sunken, along the middle of the groove.
    QRect channel = horizontal ? QRect(groove.left(), handle.center().y() - kChannel / 2, groove.width(), kChannel)
                               : QRect(handle.center().x() - kChannel / 2, groove.top(), kChannel, groove.height());
    painter.fillRect(channel, ToQColor(Elements().Colours.ButtonHilight));
    painter.setPen(shadow);
    painter.drawLine(channel.topLeft(), horizontal ? channel.topRight() : channel.bottomLeft());
    painter.drawLine(channel.topLeft() + (horizontal ? QPoint(0, 1) : QPoint(1, 0)),
                     horizontal ? channel.topRight() + QPoint(0, 1) : channel.bottomLeft() + QPoint(1, 0));

    if (slider->tickPosition() != QSlider::NoTicks) {
        const int interval = slider->tickInterval() > 0 ? slider->tickInterval() : std::max(slider->pageStep(), 1);
        const int span = horizontal ? groove.width() - handle.width() : groove.height() - handle.height();
        const int offset = horizontal ? groove.left() + handle.width() / 2 : groove.top() + handle.height() / 2;
        for (qint64 v = slider->minimum(); v <= slider->maximum(); v += interval) {
            const int at = offset
                + QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), int(v), span,
                                                  option.upsideDown);
            const auto mark = [&](bool before) {
                if (horizontal) {
                    const int y = before ? handle.top() - 4 : handle.bottom() + 2;
                    painter.drawLine(at, y, at, y + 2);
                } else {
                    const int x = before ? handle.left() - 4 : handle.right() + 2;
                    painter.drawLine(x, at, x + 2, at);
                }
            };
            if (slider->tickPosition() & QSlider::TicksAbove)
                mark(true);
            if (slider->tickPosition() & QSlider::TicksBelow)
                mark(false);
        }
    }
    DrawElementCentred(painter, handle, *Thumb(), ThumbFrame());
}
