#include "SkinStatusBar.h"
#include "SkinControlPaint.h"
#include "SkinData.h"

#include "framework/Canvas.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStatusBar>

#include <algorithm>

namespace {

// Panels start this far below the bar's top edge and this far apart.
constexpr int kPanelTop = 2;
constexpr int kPanelGap = 2;
constexpr int kTextIndent = 3;

// The widgets on the bar, left to right (the size grip is not one of them).
QList<QWidget*> BarWidgets(const QStatusBar* bar)
{
    QList<QWidget*> widgets;
    for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !qobject_cast<QSizeGrip*>(child))
            widgets.append(child);
    std::sort(widgets.begin(), widgets.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    return widgets;
}

} // namespace

void TSkinStatusBar::Attached()
{
    if (auto* bar = qobject_cast<QStatusBar*>(Control())) {
        hadSizeGrip_ = bar->isSizeGripEnabled();
        bar->setSizeGripEnabled(false);
    }
}

void TSkinStatusBar::Restore()
{
    if (auto* bar = qobject_cast<QStatusBar*>(Control()); bar && hadSizeGrip_)
        bar->setSizeGripEnabled(true);
    TSkinControl::Restore();
}

QList<QRect> TSkinStatusBar::PanelRects() const
{
    const auto* bar = qobject_cast<const QStatusBar*>(Control());
    const QRect area = Control()->rect().adjusted(0, kPanelTop, 0, 0);
    const QList<QWidget*> widgets = bar ? BarWidgets(bar) : QList<QWidget*>();
    if (widgets.isEmpty())
        return {area};
    QList<QRect> panels;
    panels.append(
        QRect(area.left(), area.top(), std::max(widgets.first()->x() - kPanelGap - area.left(), 0), area.height()));
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        const int left = widgets[i]->x();
        const int right = i + 1 < widgets.size() ? widgets[i + 1]->x() - kPanelGap : area.right() + 1;
        panels.append(QRect(left, area.top(), std::max(right - left, 0), area.height()));
    }
    return panels;
}

bool TSkinStatusBar::BeforeMessage(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return TSkinControl::BeforeMessage(event);
    QPainter painter(Control());
    PaintFrame(painter);
    return false;
}

void TSkinStatusBar::Paint(QPainter& painter, const QRect& rect)
{
    auto* bar = qobject_cast<QStatusBar*>(Control());
    if (!bar)
        return;
    QImage& canvas = Canvas(rect.size());
    {
        QPainter off(&canvas);
        const QRect whole(QPoint(), rect.size());
        off.setClipRect(whole);
        off.fillRect(whole, ToQColor(ButtonFace()));
        const QList<QRect> panels = PanelRects();
        for (const QRect& panel : panels)
            PaintPanel(off, panel);

        TCanvas text(&off);
        QFont regular = bar->font();
        regular.setBold(false);
        regular.setItalic(false);
        regular.setUnderline(false);
        text.Font = regular;
        const TDataSkinObject* edges = Elements().StatusBarEdges.get();
        text.FontColor = edges ? edges->NormalColour2 : Elements().Colours.ButtonText;
        text.BrushStyle = bsClear;
        TRect message = TRect::FromQRect(panels.first().adjusted(kTextIndent, 0, -kTextIndent, 0));
        text.DrawText(bar->currentMessage(), message, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

        const TDataSkinObject* extra = Elements().ExtraImages.get();
        if (bar->isSizeGripEnabled() && HasPicture(extra)) {
            const QRect grip = SkinFrameRect(extra->Image, extra->FrameCount, 5);
            const QRect corner(whole.right() + 1 - grip.width(), whole.bottom() + 1 - grip.height(), grip.width(),
                               grip.height());
            TransparentBlit(off, TRect::FromQRect(corner), extra->Image.copy(grip));
        }
    }
    painter.drawImage(rect.topLeft(), canvas, QRect(QPoint(), rect.size()));
}

void TSkinStatusBar::PaintPanel(QPainter& painter, const QRect& panel) const
{
    if (panel.isEmpty())
        return;
    const TDataSkinObject* edges = Elements().StatusBarEdges.get();
    if (HasPicture(edges)) {
        DrawElement(painter, panel, *edges, 1);
        return;
    }
    // Plainly: a sunken bevel in the skin's shadow and highlight.
    const QRect r = panel.adjusted(0, 0, -1, -1);
    painter.setPen(ToQColor(Elements().Colours.ButtonShadow));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(ToQColor(Elements().Colours.ButtonHilight));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}
