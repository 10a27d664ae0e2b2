#include "ScrollArrow.h"

void DrawScrollArrow(TCanvas& canvas, const TRect& r, bool up, TScrollArrowState state)
{
    canvas.BrushStyle = bsSolid;
    canvas.BrushColor = state == sasHot ? cl3DLight : clBtnFace;
    canvas.FillRect(r);
    if (state == sasPressed) {
        canvas.BrushColor = clBtnShadow;
        canvas.FrameRect(r);
    } else {
        // Raised edge: light top and left, dark bottom and right.
        canvas.BrushColor = clBtnHighlight;
        canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
        canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
        canvas.BrushColor = cl3DDkShadow;
        canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
        canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
        canvas.BrushColor = clBtnShadow;
        canvas.FillRect({r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1});
        canvas.FillRect({r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1});
    }
    // A triangle of `rows` lines, widest at the base.
    const int rows = std::max(1, r.Width() / 4);
    const int shift = state == sasPressed ? 1 : 0;
    const int cx = r.Left + r.Width() / 2 + shift;
    const int top = r.Top + (r.Height() - rows) / 2 + shift;
    canvas.BrushColor = clBlack;
    for (int i = 0; i < rows; ++i) {
        const int half = up ? i : rows - 1 - i;
        canvas.FillRect({cx - half - 1, top + i, cx + half, top + i + 1});
    }
}
