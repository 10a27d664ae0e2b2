#include "FrameRegion.h"
#include "SkinPrimitives.h"

#include <vector>

QRegion OpaquePixels(const QImage& image, const QRect& area)
{
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(kSkinKeyColour).rgb() & RGB_MASK;
    // One band per row, its runs sorted left to right and never touching: what setRects takes.
    std::vector<QRect> runs;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = inside.left();
        while (x <= inside.right()) {
            while (x <= inside.right() && (row[x] & RGB_MASK) == key)
                ++x;
            const int start = x;
            while (x <= inside.right() && (row[x] & RGB_MASK) != key)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

QRegion BuildFrameRegion(const QImage& frame, const QRect& client, std::initializer_list<TFrameBorderPart> borders)
{
    QRegion region(client);
    for (const TFrameBorderPart& border : borders)
        region += border.transparent ? OpaquePixels(frame, border.rect) : QRegion(border.rect);
    return region;
}
