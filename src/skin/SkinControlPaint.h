#pragma once
// Drawing helpers the control skinners share: skin elements put on a control, glyphs, text.
#include "SkinElements.h"
#include "SkinPrimitives.h"

#include <QImage>
#include <QRect>

class QPainter;

// True when the element exists and has a picture to draw.
inline bool HasPicture(const TDataSkinObject* element)
{
    return element && !element->Image.isNull();
}

// The element's margins as a nine-slice's.
inline TSliceMargins MarginsOf(const TDataSkinObject& element)
{
    return {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
}

// Frame `frame` of the element composed to the rectangle (its margins fixed, its centre tiled when
// Tile is 1) and drawn there, the key colour transparent when Trans is 1. `image` replaces the
// element's picture (a rotated or mirrored copy of it).
void DrawElement(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame,
                 const QImage& image = QImage(), bool stacked = false);
// The same, with the corners and edges only: the centre is left as it is.
void DrawElementBorder(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame,
                       const QImage& image = QImage());
// Frame `frame` of the element at its own size, centred in the rectangle, key colour transparent.
void DrawElementCentred(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame,
                        const QImage& image = QImage());

// The image with its pixels of the key colour made transparent.
QImage WithKeyTransparent(const QImage& image, QRgb key);
// A glyph as buttons draw it: a picture with an alpha channel as it is, any other picture
// transparent where it has the colour of its bottom-left pixel.
QImage TransparentGlyph(const QImage& glyph);
// Frame `frame` (1-based) of a glyph of `count` equal frames side by side.
QImage GlyphFrame(const QImage& glyph, int count, int frame);
