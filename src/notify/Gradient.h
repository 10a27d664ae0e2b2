#pragma once
#include "framework/Color.h"

// Colour of band `index` of `count` going from `start` to `end` (plain RGB values): each byte is
// start + round(index * step) with step = (end - start) / count as a real number, ties to even.
TColor BandColor(TColor start, TColor end, int index, int count);
// round() with ties to even, as the desktop's real-to-integer conversion does.
int RoundEven(double value);
