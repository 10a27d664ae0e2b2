#include "Gradient.h"

#include <cfenv>
#include <cmath>

int RoundEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    return int(std::nearbyint(value));
}

TColor BandColor(TColor start, TColor end, int index, int count)
{
    auto channel = [&](int from, int to) {
        const double step = double(to - from) / count;
        return from + RoundEven(index * step);
    };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}
