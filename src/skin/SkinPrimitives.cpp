#include "SkinPrimitives.h"

#include <QPainter>

#include <algorithm>

namespace {

// The nine parts of a nine-slice, as source rectangles in the frame and target rectangles.
struct Slice {
    QRect from;
    QRect to;
};

struct NineSlice {
    Slice topLeft, bottomLeft, topRight, left, top, centre, bottomRight, right, bottom;
};

// Whether a pair of margins from the description holds in `size`: none is negative and their
// sum, taken wide so that values near the int limit cannot overflow, fits.
bool PairFits(int before, int after, int size)
{
    return before >= 0 && after >= 0 && qint64(before) + after <= size;
}

TSliceMargins FittedMargins(TSliceMargins m, int w, int h)
{
    if (!PairFits(m.left, m.right, w))
        m.left = m.right = 0;
    if (!PairFits(m.top, m.bottom, h))
        m.top = m.bottom = 0;
    return m;
}

NineSlice Slices(const QRect& f, int W, int H, const TSliceMargins& m)
{
    const int l = m.left, t = m.top, r = m.right, b = m.bottom;
    const int fw = f.width(), fh = f.height();
    const auto at = [&f](int x, int y, int w, int h) { return QRect(f.x() + x, f.y() + y, w, h); };
    NineSlice s;
    s.topLeft = {at(0, 0, l, t), QRect(0, 0, l, t)};
    s.bottomLeft = {at(0, fh - b, l, b), QRect(0, H - b, l, b)};
    s.topRight = {at(fw - r, 0, r, t), QRect(W - r, 0, r, t)};
    s.left = {at(0, t, l, fh - t - b), QRect(0, t, l, H - t - b)};
    s.top = {at(l, 0, fw - l - r, t), QRect(l, 0, W - l - r, t)};
    s.centre = {at(l, t, fw - l - r, fh - t - b), QRect(l, t, W - l - r, H - t - b)};
    s.bottomRight = {at(fw - r, fh - b, r, b), QRect(W - r, H - b, r, b)};
    s.right = {at(fw - r, t, r, fh - t - b), QRect(W - r, t, r, H - t - b)};
    s.bottom = {at(l, fh - b, fw - l - r, b), QRect(l, H - b, W - l - r, b)};
    return s;
}

// Calls draw(x, y) for each whole tile of `tile` size that starts inside `area`.
template <class Draw> void ForEachTile(const QRect& area, const QSize& tile, Draw draw)
{
    if (tile.isEmpty() || area.isEmpty())
        return;
    for (int y = area.top(); y <= area.bottom(); y += tile.height())
        for (int x = area.left(); x <= area.right(); x += tile.width())
            draw(x, y);
}

QImage Stretched(const QImage& image, const QRect& from, const QSize& size)
{
    QImage part(size, QImage::Format_RGB32);
    part.fill(Qt::black);
    StretchCopy(part, part.rect(), image, from);
    return part;
}

} // namespace

QRect SkinFrameRect(const QImage& image, int frameCount, int frame, bool stacked)
{
    const int count = std::max(frameCount, 1);
    const int k = std::clamp(frame, 1, count) - 1;
    if (stacked) {
        const int h = image.height() / count;
        return QRect(0, k * h, image.width(), h);
    }
    const int w = image.width() / count;
    return QRect(k * w, 0, w, image.height());
}

void StretchCopy(QImage& dst, const QRect& to, const QImage& src, const QRect& from)
{
    const QRect source = from.intersected(src.rect());
    if (to.isEmpty() || from.isEmpty() || source != from || dst.isNull())
        return;
    const QRect clipped = to.intersected(dst.rect());
    if (clipped.isEmpty())
        return;
    const QImage s = src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_ARGB32
                         ? src
                         : src.convertToFormat(QImage::Format_RGB32);
    if (dst.format() != QImage::Format_RGB32 && dst.format() != QImage::Format_ARGB32)
        dst = dst.convertToFormat(QImage::Format_RGB32);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const int sy = from.y() + int(qint64(y - to.y()) * from.height() / to.height());
        const auto* in = reinterpret_cast<const QRgb*>(s.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            out[x] = in[from.x() + int(qint64(x - to.x()) * from.width() / to.width())];
    }
}

QImage ComposeNineSlice(const QSize& size, const QImage& image, TSliceMargins margins, bool stacked,
                        bool tile, int frameCount, int frame)
{
    QImage out(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    const QRect f = SkinFrameRect(image, frameCount, frame, stacked);
    const TSliceMargins m = FittedMargins(margins, size.width(), size.height());
    const NineSlice s = Slices(f, size.width(), size.height(), m);
    const auto copy = [&](const Slice& part) { StretchCopy(out, part.to, image, part.from); };

    copy(s.topLeft);
    copy(s.bottomLeft);
    copy(s.topRight);
    copy(s.left);
    copy(s.top);
    if (tile) {
        ForEachTile(s.centre.to, s.centre.from.size(), [&](int x, int y) {
            StretchCopy(out, QRect(QPoint(x, y), s.centre.from.size()), image, s.centre.from);
        });
    } else {
        copy(s.centre);
    }
    copy(s.bottomRight);
    copy(s.right);
    copy(s.bottom);
    return out;
}

void DrawNineSliceBorder(QPainter& painter, const TRect& target, const QImage& image, bool stacked,
                         int frameCount, int frame, TSliceMargins margins)
{
    if (target.IsEmpty())
        return;
    const QRect f = SkinFrameRect(image, frameCount, frame, stacked);
    const TSliceMargins m = FittedMargins(margins, target.Width(), target.Height());
    const NineSlice s = Slices(f, target.Width(), target.Height(), m);
    for (const Slice* part : {&s.topLeft, &s.bottomLeft, &s.topRight, &s.left, &s.top, &s.bottomRight,
                              &s.right, &s.bottom}) {
        if (part->to.isEmpty() || part->from.isEmpty())
            continue;
        painter.drawImage(part->to.topLeft() + QPoint(target.Left, target.Top),
                          Stretched(image, part->from, part->to.size()));
    }
}

void DrawSkinFrame(QPainter& painter, const TRect& rect, const QImage& image, bool transparent,
                   int frameCount, int frame)
{
    if (rect.IsEmpty() || image.isNull())
        return;
    const QImage part = Stretched(image, SkinFrameRect(image, frameCount, frame), QSize(rect.Width(), rect.Height()));
    if (transparent)
        TransparentBlit(painter, rect, part);
    else
        painter.drawImage(rect.Left, rect.Top, part);
}

void TransparentBlit(QPainter& painter, const TRect& rect, const QImage& bitmap, TColor key)
{
    if (rect.IsEmpty() || bitmap.isNull())
        return;
    const QRgb keyRgb = ToQColor(key).rgb() & RGB_MASK;
    QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            row[x] = (row[x] & RGB_MASK) == keyRgb ? 0u : (row[x] | 0xFF000000u);
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(rect.Left, rect.Top), masked,
                      QRect(0, 0, std::min(rect.Width(), masked.width()), std::min(rect.Height(), masked.height())));
    painter.restore();
}

void TileImage(QPainter& painter, const TRect& target, const QImage& image, const QRect& source)
{
    const QRect from = source.intersected(image.rect());
    ForEachTile(target.ToQRect(), from.size(), [&](int x, int y) { painter.drawImage(QPoint(x, y), image, from); });
}
