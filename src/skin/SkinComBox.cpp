#include "SkinComBox.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QPainter>
#include <QStyle>

namespace {

// The ExtraImages frames of the drop-down arrow.
constexpr int kArrowFrame = 1;
constexpr int kDisabledArrowFrame = 2;

bool DroppedDown(const QWidget* control)
{
    const auto* combo = qobject_cast<const QComboBox*>(control);
    return combo && combo->view() && combo->view()->isVisible();
}

} // namespace

int TSkinComBox::BoxFrame() const
{
    if (!Control()->isEnabled())
        return 3;
    if (DroppedDown(Control()))
        return 2;
    if (Control()->hasFocus() || Control()->underMouse())
        return 4;
    return 1;
}

QRect TSkinComBox::ButtonRect() const
{
    const int width = Control()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Control()) + 2;
    const QRect inner = Control()->rect().adjusted(2, 2, -2, -2);
    if (Control()->layoutDirection() == Qt::RightToLeft)
        return QRect(inner.left(), inner.top(), width, inner.height());
    return QRect(inner.right() + 1 - width, inner.top(), width, inner.height());
}

void TSkinComBox::Paint(QPainter& painter, const QRect& rect)
{
    const TDataSkinBorder* button = Elements().ComboButton.get();
    if (!HasPicture(button))
        return;
    const int frame = BoxFrame();
    const QRect buttonRect = ButtonRect();
    if (const auto* combo = qobject_cast<const QComboBox*>(Control()); combo && !combo->isEditable()) {
        const QRect field = Control()->layoutDirection() == Qt::RightToLeft
            ? QRect(buttonRect.right() + 1, 2, rect.width() - buttonRect.right() - 3, rect.height() - 4)
            : QRect(2, 2, buttonRect.left() - 2, rect.height() - 4);
        PaintCurrentItem(painter, field);
    }
    if (const TDataSkinObject* edge = Elements().SunkEdge.get(); HasPicture(edge))
        DrawElementBorder(painter, rect, *edge, frame);
    if (Control()->layoutDirection() == Qt::RightToLeft && !button->Image2.isNull()) {
        // The mirrored picture holds the frames in reverse order, each with its margins swapped.
        TDataSkinObject mirrored = *button;
        std::swap(mirrored.LeftWidth, mirrored.RightWidth);
        DrawElement(painter, buttonRect, mirrored, button->FrameCount + 1 - frame, button->Image2);
    } else {
        DrawElement(painter, buttonRect, *button, frame);
    }
    const TDataSkinObject* extra = Elements().ExtraImages.get();
    if (button->Style != 1 && HasPicture(extra))
        DrawElementCentred(painter, buttonRect, *extra, Control()->isEnabled() ? kArrowFrame : kDisabledArrowFrame);
}

void TSkinComBox::PaintCurrentItem(QPainter& painter, const QRect& field) const
{
    const auto* combo = qobject_cast<const QComboBox*>(Control());
    const QPalette& palette = combo->palette();
    const bool highlighted = combo->hasFocus() && !DroppedDown(combo);
    painter.fillRect(field, palette.color(QPalette::Base));
    const QRect text = field.adjusted(2, 1, -2, -1);
    if (highlighted)
        painter.fillRect(text, palette.color(QPalette::Highlight));
    int left = text.left() + 2;
    const QIcon icon = combo->itemIcon(combo->currentIndex());
    if (!icon.isNull()) {
        const QSize size = combo->iconSize();
        icon.paint(&painter, QRect(QPoint(left, text.top() + (text.height() - size.height()) / 2), size));
        left += size.width() + 4;
    }
    painter.setFont(combo->font());
    painter.setPen(palette.color(combo->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 highlighted ? QPalette::HighlightedText : QPalette::Text));
    const QRect label(left, text.top(), text.right() + 1 - left, text.height());
    painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft,
                     combo->fontMetrics().elidedText(combo->currentText(), Qt::ElideRight, label.width()));
}
