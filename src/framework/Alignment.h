#pragma once

// Horizontal placement of text and pictures inside their rectangle.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
