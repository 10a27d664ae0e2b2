#include "SkinGroupBox.h"
#include "SkinData.h"

#include "framework/Canvas.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {

QStyleOptionGroupBox GroupBoxOption(const QGroupBox* box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    option.textAlignment = box->alignment();
    return option;
}

} // namespace

void TSkinGroupBox::Paint(QPainter& painter, const QRect& rect)
{
    auto* box = qobject_cast<QGroupBox*>(Control());
    if (!box)
        return;
    const QColor face = ToQColor(ButtonFace());
    const int textHeight = box->fontMetrics().height();
    const QStyleOptionGroupBox option = GroupBoxOption(box);
    QStyle* style = box->style();
    const QRect systemFrame = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box);

    painter.save();
    // A checkable box keeps its own check box and caption.
    if (box->isCheckable()) {
        QRegion keep(rect);
        keep -= style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxCheckBox, box);
        keep -= style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        painter.setClipRegion(keep);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(face);
    const QRect frame = rect.adjusted(0, textHeight / 2, 0, 0);
    for (const QRect& erased : {frame, systemFrame}) {
        painter.drawRect(erased.adjusted(0, 0, -1, -1));
        painter.drawRect(erased.adjusted(1, 1, -2, -2));
    }
    painter.setPen(ToQColor(Elements().Colours.ButtonShadow));
    painter.drawRoundedRect(QRectF(frame).adjusted(0, 0, -1, -1), 2.5, 2.5);
    painter.restore();

    if (box->isCheckable() || box->title().isEmpty())
        return;
    // The caption moves to x = 9: where the box put its own goes first.
    painter.fillRect(style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box), face);
    TCanvas canvas(&painter);
    canvas.Font = box->font();
    canvas.FontColor = FromQColor(
        box->palette().color(box->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    canvas.BrushColor = ButtonFace();
    TRect caption{9, 0, rect.width(), textHeight};
    canvas.DrawText(box->title(), caption, DT_CALCRECT | DT_SINGLELINE);
    canvas.DrawText(box->title(), caption, DT_SINGLELINE);
}
