#include "SkinControlPaint.h"

#include <QPainter>

namespace {

const QImage& PictureOf(const TDataSkinObject& element, const QImage& image)
{
    return image.isNull() ? element.Image : image;
}

} // namespace

void DrawElement(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame, const QImage& image,
                 bool stacked)
{
    const QImage& picture = PictureOf(element, image);
    if (rect.isEmpty() || picture.isNull())
        return;
    const QImage face = ComposeNineSlice(rect.size(), picture, MarginsOf(element), stacked, element.Tile == 1,
                                         element.FrameCount, frame);
    if (element.Trans == 1)
        TransparentBlit(painter, TRect::FromQRect(rect), face);
    else
        painter.drawImage(rect.topLeft(), face);
}

void DrawElementBorder(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame,
                       const QImage& image)
{
    const QImage& picture = PictureOf(element, image);
    if (rect.isEmpty() || picture.isNull())
        return;
    if (element.Trans != 1) {
        DrawNineSliceBorder(painter, TRect::FromQRect(rect), picture, false, element.FrameCount, frame,
                            MarginsOf(element));
        return;
    }
    // Through a transparent layer, so the key colour of the edges lets the control show.
    QImage layer(rect.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        DrawNineSliceBorder(p, TRect{0, 0, rect.width(), rect.height()}, WithKeyTransparent(picture, qRgb(255, 0, 255)),
                            false, element.FrameCount, frame, MarginsOf(element));
    }
    painter.drawImage(rect.topLeft(), layer);
}

void DrawElementCentred(QPainter& painter, const QRect& rect, const TDataSkinObject& element, int frame,
                        const QImage& image)
{
    const QImage& picture = PictureOf(element, image);
    if (picture.isNull())
        return;
    const QRect part = SkinFrameRect(picture, element.FrameCount, frame);
    QRect target(QPoint(), part.size());
    target.moveCenter(rect.center());
    TransparentBlit(painter, TRect::FromQRect(target), picture.copy(part));
}

QImage WithKeyTransparent(const QImage& image, QRgb key)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    key &= RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & RGB_MASK) == key)
                row[x] = 0;
    }
    return out;
}

QImage TransparentGlyph(const QImage& glyph)
{
    if (glyph.isNull() || glyph.hasAlphaChannel())
        return glyph;
    return WithKeyTransparent(glyph, glyph.pixel(0, glyph.height() - 1));
}

QImage GlyphFrame(const QImage& glyph, int count, int frame)
{
    if (glyph.isNull())
        return glyph;
    return glyph.copy(SkinFrameRect(glyph, count, frame));
}
