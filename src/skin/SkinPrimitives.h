#pragma once
#include "framework/Color.h"
#include "framework/Rect.h"

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

// Pixels of this colour are transparent in every skin image.
constexpr TColor kSkinKeyColour = clFuchsia;

// Margins of a nine-slice: fixed corners and edges around a stretched or tiled centre.
struct TSliceMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Frame `frame` (1-based) of an image cut into `frameCount` equal parts, side by side or stacked.
// A count below 1 counts as 1 and the frame number is kept within the count.
QRect SkinFrameRect(const QImage& image, int frameCount, int frame, bool stacked = false);

// Copies `from` of `src` onto `to` of `dst` with nearest-neighbour stretching (rows and columns
// repeated or dropped, never blended). Parts outside either image are left out.
void StretchCopy(QImage& dst, const QRect& to, const QImage& src, const QRect& from);

// A new image of `size`: the frame's corners copied, its edges and centre stretched (or the
// centre tiled). Margins that do not fit the target, or are negative, are dropped in pairs.
QImage ComposeNineSlice(const QSize& size, const QImage& image, TSliceMargins margins, bool stacked,
                        bool tile, int frameCount, int frame);

// The corners and edges of the nine-slice, painted into `target`; the centre is left as it is.
void DrawNineSliceBorder(QPainter& painter, const TRect& target, const QImage& image, bool stacked,
                         int frameCount, int frame, TSliceMargins margins);

// The frame stretched to the rectangle, opaque or with the key colour transparent.
void DrawSkinFrame(QPainter& painter, const TRect& rect, const QImage& image, bool transparent,
                   int frameCount, int frame);

// Copies the bitmap to the rectangle's top-left corner, clipped to the rectangle; pixels of the
// key colour leave the destination unchanged.
void TransparentBlit(QPainter& painter, const TRect& rect, const QImage& bitmap,
                     TColor key = kSkinKeyColour);

// Repeats the source part of the image from the target's top-left corner, left to right and top
// to bottom; each tile is drawn whole, so the last ones may overrun the target.
void TileImage(QPainter& painter, const TRect& target, const QImage& image, const QRect& source);
