#include "SkinEdit.h"
#include "SkinData.h"
#include "SkinUpDown.h"

#include <QAbstractSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>

void TSkinEdit::Attached()
{
    auto* spin = qobject_cast<QAbstractSpinBox*>(Control());
    if (spin && spin->buttonSymbols() != QAbstractSpinBox::NoButtons)
        (new TSkinUpDown(spin))->Init(WindowSkinner(), SkinData(), {});
}

bool TSkinEdit::HasBorder() const
{
    if (const auto* line = qobject_cast<const QLineEdit*>(Control()))
        return line->hasFrame();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(Control()))
        return spin->hasFrame();
    if (const auto* frame = qobject_cast<const QFrame*>(Control()))
        return frame->frameWidth() > 0;
    return false;
}

void TSkinEdit::Paint(QPainter& painter, const QRect& rect)
{
    if (!HasBorder() || rect.width() < 4 || rect.height() < 4)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ToQColor(Elements().Colours.ButtonShadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
    painter.restore();
}
