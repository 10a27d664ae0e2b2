#pragma once
#include "CommandPanel.h"
#include "framework/Canvas.h"

// Fills `r` with `steps` bands going from `start` to `end`: horizontal strips stacked top to
// bottom for gdVertical, vertical strips left to right for gdHorizontal. Band colours and
// positions are rounded half to even; each band reaches one pixel into the next so that no
// gap shows.
void GradientFill(TCanvas& canvas, TColor start, TColor end, int steps, TGradientDirection direction, const TRect& r);
