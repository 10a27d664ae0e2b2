#pragma once
#include "framework/Color.h"

#include <QString>

// The colour of a colour name ("clRed", "clBtnFace", ...), compared after lower-casing;
// names outside the table give black.
TColor ParseColorName(const QString& name);
// "#RRGGBB" read as upper-case hex digits; a pair shorter than two characters counts 0.
TColor ParseHexColor(const QString& text);
