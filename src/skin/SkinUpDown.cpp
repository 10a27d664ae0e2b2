#include "SkinUpDown.h"
#include "ControlProperties.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QAbstractSpinBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace {

QStyleOptionSpinBox SpinBoxOption(const QAbstractSpinBox* spin)
{
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.rect = spin->rect();
    option.subControls =
        QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = spin->buttonSymbols();
    option.frame = spin->hasFrame();
    return option;
}

} // namespace

QRect TSkinUpDown::HalfRect(THalf half) const
{
    const auto* spin = qobject_cast<const QAbstractSpinBox*>(Control());
    if (!spin || half == hNone)
        return {};
    const QStyleOptionSpinBox option = SpinBoxOption(spin);
    return spin->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                         half == hFirst ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
}

TSkinUpDown::THalf TSkinUpDown::HalfAt(const QPoint& at) const
{
    if (HalfRect(hFirst).contains(at))
        return hFirst;
    if (HalfRect(hSecond).contains(at))
        return hSecond;
    return hNone;
}

// A number box whose value stands at an end of its range cannot step past it.
bool TSkinUpDown::HalfEnabled(THalf half) const
{
    if (!Control()->isEnabled())
        return false;
    const QVariant value = ReadProperty(Control(), "value");
    if (!value.isValid() || ReadOrdinalProperty(Control(), "wrapping"))
        return true;
    const double v = value.toDouble();
    return half == hFirst ? v < ReadProperty(Control(), "maximum").toDouble()
                          : v > ReadProperty(Control(), "minimum").toDouble();
}

int TSkinUpDown::HalfFrame(THalf half) const
{
    const int first = half == hFirst ? 1 : 5;
    if (!HalfEnabled(half))
        return first + 3;
    if (pressed_ == half)
        return first + 2;
    if (hot_ == half)
        return first + 1;
    return first;
}

void TSkinUpDown::Track(THalf hot, THalf pressed)
{
    if (hot == hot_ && pressed == pressed_)
        return;
    hot_ = hot;
    pressed_ = pressed;
    Control()->update(HalfRect(hFirst).united(HalfRect(hSecond)));
}

void TSkinUpDown::AfterMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        Track(HalfAt(static_cast<QSinglePointEvent*>(event)->position().toPoint()), pressed_);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const THalf half = HalfAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        Track(half, half);
        break;
    }
    case QEvent::MouseButtonRelease:
        Track(HalfAt(static_cast<QMouseEvent*>(event)->position().toPoint()), hNone);
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        Track(hNone, hNone);
        break;
    default:
        TSkinControl::AfterMessage(event);
        break;
    }
}

void TSkinUpDown::Paint(QPainter& painter, const QRect&)
{
    const TDataSkinBorder* element = Elements().UpDownVert.get();
    if (!HasPicture(element))
        return;
    const QRect first = HalfRect(hFirst), second = HalfRect(hSecond);
    if (first.isEmpty() || second.isEmpty())
        return;
    painter.fillRect(first.united(second), ToQColor(ButtonFace()));
    for (THalf half : {hFirst, hSecond}) {
        const QRect place = half == hFirst ? first : second;
        DrawElement(painter, place, *element, HalfFrame(half));
        if (element->Image2.isNull())
            continue;
        const int glyph = (half == hFirst ? 1 : 2) + (HalfEnabled(half) ? 0 : 2);
        const QRect part = SkinFrameRect(element->Image2, 4, glyph);
        QRect target(QPoint(), part.size());
        target.moveCenter(place.center() + (pressed_ == half ? QPoint(1, 1) : QPoint()));
        TransparentBlit(painter, TRect::FromQRect(target), element->Image2.copy(part));
    }
}
