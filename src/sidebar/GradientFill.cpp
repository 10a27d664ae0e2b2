#include "GradientFill.h"

#include <cmath>

namespace {

// To the nearest integer, halves to the even neighbour.
int Nearest(double x)
{
    return int(std::nearbyint(x));
}

} // namespace

void GradientFill(TCanvas& canvas, TColor start, TColor end, int steps, TGradientDirection direction, const TRect& r)
{
    if (steps <= 0)
        steps = 1;
    const TColor s = ColorToRGB(start), e = ColorToRGB(end);
    const double dR = double(GetRValue(e) - GetRValue(s)) / steps;
    const double dG = double(GetGValue(e) - GetGValue(s)) / steps;
    const double dB = double(GetBValue(e) - GetBValue(s)) / steps;
    const double band = double(direction == gdVertical ? r.Height() : r.Width()) / steps;
    const int thickness = Nearest(band) + 1;
    for (int i = 0; i < steps; ++i) {
        canvas.BrushColor = RGB(GetRValue(s) + Nearest(i * dR), GetGValue(s) + Nearest(i * dG),
                                GetBValue(s) + Nearest(i * dB));
        const int offset = Nearest(i * band);
        if (direction == gdVertical)
            canvas.FillRect({r.Left, r.Top + offset, r.Right, r.Top + offset + thickness});
        else
            canvas.FillRect({r.Left + offset, r.Top, r.Left + offset + thickness, r.Bottom});
    }
}
