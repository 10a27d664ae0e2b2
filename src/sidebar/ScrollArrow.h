#pragma once
#include "framework/Canvas.h"

enum TScrollArrowState { sasNormal, sasHot, sasPressed };

// A scroll-arrow button: a raised face with a black triangle pointing up or down; hot is lit,
// pressed is sunk with the triangle one pixel lower and to the right.
void DrawScrollArrow(TCanvas& canvas, const TRect& r, bool up, TScrollArrowState state);
