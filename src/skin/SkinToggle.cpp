#include "SkinToggle.h"
#include "ControlProperties.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPainter>
#include <QStyle>

TSkinCheckBox::TSkinCheckBox(QWidget* control, TSkinnerKind kind) : TSkinControl(control, kind)
{
}

const QImage& TSkinCheckBox::ToggleImage() const
{
    return Elements().Buttons->CheckButton;
}

int TSkinCheckBox::ToggleFrames() const
{
    return Elements().Buttons->CheckButtonFrame;
}

int TSkinCheckBox::CheckMarkWidth() const
{
    return Control()->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Control());
}

int TSkinCheckBox::BoxFrame() const
{
    const auto* button = qobject_cast<const QAbstractButton*>(Control());
    const auto* check = qobject_cast<const QCheckBox*>(Control());
    const bool indeterminate = check && check->checkState() == Qt::PartiallyChecked;
    const bool checked = (button && button->isChecked()) || ReadStringProperty(Control(), "Checked") == u"true";
    const bool enabled = Control()->isEnabled();
    if (ToggleFrames() >= 12) {
        const int row = indeterminate ? 9 : checked ? 5 : 1;
        if (!enabled)
            return row + 3;
        if (button && button->isDown())
            return row + 2;
        return Control()->underMouse() ? row + 1 : row;
    }
    if (indeterminate)
        return 4;
    return (checked ? 2 : 1) + (enabled ? 0 : 2);
}

QRect TSkinCheckBox::ColumnRect() const
{
    const int width = CheckMarkWidth() + 3;
    const QRect column(0, 0, width, Control()->height());
    // Text on the left: the box is mirrored against the right edge.
    if (Control()->layoutDirection() == Qt::RightToLeft)
        return column.translated(Control()->width() - width, 0);
    return column;
}

QRect TSkinCheckBox::BoxRect() const
{
    const QImage& image = ToggleImage();
    const QRect frame = SkinFrameRect(image, ToggleFrames(), 1);
    int left = 2;
    if (frame.width() < 15)
        left += (14 - frame.width()) / 2;
    const QRect box(left, (Control()->height() - frame.height()) / 2, frame.width(), frame.height());
    if (Control()->layoutDirection() == Qt::RightToLeft)
        return box.translated(Control()->width() - 2 * left - frame.width(), 0);
    return box;
}

void TSkinCheckBox::Paint(QPainter& painter, const QRect&)
{
    const QImage& image = ToggleImage();
    if (image.isNull() || ToggleFrames() < 1)
        return;
    painter.fillRect(ColumnRect(), ToQColor(ButtonFace()));
    const QRect box = BoxRect();
    TransparentBlit(painter, TRect::FromQRect(box), image.copy(SkinFrameRect(image, ToggleFrames(), BoxFrame())));
}

const QImage& TSkinRadioButton::ToggleImage() const
{
    return Elements().Buttons->RadioButton;
}

int TSkinRadioButton::ToggleFrames() const
{
    return Elements().Buttons->RadioButtonFrame;
}

int TSkinRadioButton::CheckMarkWidth() const
{
    return Control()->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, Control());
}
