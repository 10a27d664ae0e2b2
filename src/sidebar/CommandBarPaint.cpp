#include "CommandBar.h"

#include "GradientFill.h"
#include "ScrollArrow.h"

#include <QCursor>
#include <QPainter>

namespace {

int FloorHalf(int x)
{
    return x >= 0 ? x / 2 : -((1 - x) / 2);
}

unsigned AlignmentFlags(TAlignment alignment)
{
    return alignment == taCenter ? DT_CENTER : alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
}

} // namespace

QPoint TCommandBar::PointerPos() const
{
    return mapFromGlobal(QCursor::pos());
}

void TCommandBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    // When a scroll button comes or goes, the rows are laid out again around the scroll column.
    if (PaintBar(canvas))
        PaintBar(canvas);
}

bool TCommandBar::PaintBar(TCanvas& canvas)
{
    canvas.BrushStyle = bsSolid;
    canvas.BrushColor = Color();
    canvas.FillRect({0, 0, width(), height()});
    if (HelpPanel.Visible())
        DrawHelpArea(canvas);
    TCommandPanel* panel = ActivePanel();
    if (!panel) {
        const bool changed = upShown_ || downShown_;
        upShown_ = downShown_ = false;
        return changed;
    }

    const QList<CaptionStrip> strips = CaptionStrips();
    for (const CaptionStrip& strip : strips)
        DrawPanelCaption(canvas, strip.panel, strip.rect);
    if (hasFocus() && showFocus_)
        for (const CaptionStrip& strip : strips)
            if (strip.panel == panel) {
                TRect focus = strip.rect;
                focus.Inflate(-3, -3);
                canvas.DrawFocusRect(focus);
            }

    const int top = ItemsTop(), bottom = ItemsBottom(), side = SideWidth();
    if (side > 0) {
        canvas.BrushColor = PanelCaption.Color();
        canvas.FillRect({0, top, side, bottom});
    }
    const TRect area{side, top, width(), bottom};
    if (panel->Background() == pbGradient) {
        GradientFill(canvas, panel->GradientStart(), panel->GradientEnd(), panel->GradientSteps(),
                     panel->GradientDirection(), area);
    } else {
        canvas.BrushColor = panel->Color();
        canvas.FillRect(area);
    }
    canvas.Font = panel->Font();

    const RowFit rows = FitRows(panel);
    QPainter* painter = canvas.Painter();
    painter->save();
    painter->setClipRect(area.ToQRect(), Qt::IntersectClip);
    int y = top;
    int drawn = 0;
    for (int i = panel->TopItem(); i < panel->Items.Count() && drawn <= rows.fit; ++i) {
        TCommandItem* item = panel->Items[i];
        if (!item->Visible())
            continue;
        const int h = RowHeight(panel, item);
        DrawItem(canvas, panel, item, {side, y, width(), y + h});
        y += h;
        ++drawn;
    }
    painter->restore();

    const bool changed = UpdateScrollFlags(panel);
    DrawScrollButtons(canvas);
    return changed;
}

TCommandBar::RowFit TCommandBar::FitRows(const TCommandPanel* panel) const
{
    RowFit rows;
    const int room = ItemsBottom() - ItemsTop();
    int total = 0;
    for (int i = panel->TopItem(); i < panel->Items.Count(); ++i) {
        const TCommandItem* item = panel->Items[i];
        if (!item->Visible()) {
            ++rows.invisible;
            continue;
        }
        total += RowHeight(panel, item);
        if (total >= room)
            break;
        ++rows.fit;
    }
    return rows;
}

bool TCommandBar::UpdateScrollFlags(const TCommandPanel* panel)
{
    const RowFit rows = FitRows(panel);
    const bool up = panel->TopItem() > 0;
    const bool down = panel->TopItem() < panel->Items.Count() - rows.fit - rows.invisible;
    const bool changed = up != upShown_ || down != downShown_;
    upShown_ = up;
    downShown_ = down;
    return changed;
}

void TCommandBar::DrawScrollButtons(TCanvas& canvas)
{
    const QPoint pointer = PointerPos();
    const auto draw = [&](const TRect& r, bool up) {
        const bool inside = r.Contains(pointer.x(), pointer.y());
        DrawScrollArrow(canvas, r, up, !inside ? sasNormal : leftDown_ ? sasPressed : sasHot);
    };
    const int w = width();
    if (upShown_)
        draw({w - kScrollGlyph, ItemsTop(), w, ItemsTop() + kScrollGlyph}, true);
    if (downShown_)
        draw({w - kScrollGlyph, ItemsBottom() - kScrollGlyph, w, ItemsBottom()}, false);
}

void TCommandBar::DrawHelpArea(TCanvas& canvas)
{
    TRect area{0, BarHeight(), width(), height()};
    canvas.BrushStyle = bsSolid;
    canvas.BrushColor = clBtnFace;
    canvas.FillRect(area);
    canvas.Font = font();
    canvas.FontColor = clBtnText;
    canvas.BrushStyle = bsClear;
    area.Inflate(-4, -4);
    canvas.DrawText(helpText_, area, DT_WORDBREAK | DT_NOPREFIX);
    canvas.BrushStyle = bsSolid;
}

void TCommandBar::DrawPanelCaption(TCanvas& canvas, TCommandPanel* panel, const TRect& r)
{
    canvas.BrushStyle = bsSolid;
    canvas.BrushColor = PanelCaption.Color();
    canvas.FillRect(r);
    const bool active = panel == ActivePanel();
    canvas.Font = active ? PanelCaption.ActiveFont() : PanelCaption.Font();
    canvas.FontColor = active ? PanelCaption.ActiveFontColor() : PanelCaption.FontColor();
    canvas.BrushStyle = bsClear;
    TRect text = r;
    text.Inflate(-4, 0);
    canvas.DrawText(panel->Caption(), text,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | AlignmentFlags(PanelCaption.Alignment()));
    canvas.BrushStyle = bsSolid;
}

void TCommandBar::DrawItem(TCanvas& canvas, TCommandPanel* panel, TCommandItem* item, const TRect& r)
{
    const QPoint pointer = PointerPos();
    const int right = r.Right - (upShown_ || downShown_ ? kScrollColumn : 0);
    const bool selected = panel->ItemIndex() == item->Index();
    canvas.BrushStyle = bsSolid;
    canvas.PenWidth = 1;
    if (selected) {
        canvas.PenColor = panel->SelectBorderColor();
        canvas.BrushColor = panel->SelectColor();
        canvas.Rectangle({r.Left, r.Top, right, r.Bottom + 1});
    }

    const QImage& icon = item->Icon();
    const TRect hover = HoverRect(panel, r, icon);
    TRect inner = hover;
    inner.Inflate(-1, -1);
    const bool pointerInside = inner.Contains(pointer.x(), pointer.y());
    if (pointerInside && panel->HoverIconColor() != clNone && panel->HoverIconDownColor() != clNone) {
        const TColor border = panel->HoverIconBorderColor();
        canvas.PenColor = border == clNone ? clBlack : border;
        canvas.BrushColor = leftDown_ ? panel->HoverIconDownColor() : panel->HoverIconColor();
        canvas.Rectangle({hover.Left, hover.Top, hover.Right, hover.Bottom + 1});
        hovered_ = item;
    }
    const int pressOffset = leftDown_ && pointerInside ? 2 : 0;

    int captionTop = r.Top;
    if (!icon.isNull()) {
        const int w = icon.width();
        int x = r.Left + panel->Indent() + FloorHalf(right - r.Left - w);
        if (panel->Alignment() == taLeftJustify)
            x = r.Left + panel->Indent() + 2;
        else if (panel->Alignment() == taRightJustify)
            x = right + panel->Indent() - w - 2;
        canvas.Draw(x + pressOffset, r.Top + 2 + pressOffset, icon);
        captionTop = r.Top + icon.height() + 3;
    }

    QFont font = panel->Font();
    font.setUnderline(font.underline() || (panel->HoverCaption() && pointerInside));
    canvas.Font = font;
    canvas.FontColor = selected ? panel->SelectFontColor() : panel->FontColor();
    canvas.BrushStyle = bsClear;
    TRect caption{r.Left + panel->Indent() + item->Indent(), captionTop, right, r.Bottom};
    const unsigned lines = panel->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    canvas.DrawText(item->Caption(), caption, lines | AlignmentFlags(panel->Alignment()));
    canvas.BrushStyle = bsSolid;

    // Where the keyboard is, once it has been used: a dotted frame inside the row.
    if (item == focused_ && focusCues_ && showFocus_ && hasFocus())
        canvas.DrawFocusRect({r.Left + 2, r.Top + 2, right - 2, r.Bottom - 1});
}
