#include "ImageOperations.h"

namespace {

QImage Opaque(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// Builds a w × h image whose pixel (x, y) is source pixel at(x, y).
template <class Map> QImage Remap(const QImage& image, int w, int h, Map at)
{
    const QImage src = Opaque(image);
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QPoint p = at(x, y);
            row[x] = reinterpret_cast<const QRgb*>(src.constScanLine(p.y()))[p.x()];
        }
    }
    return out;
}

} // namespace

QImage GreyscaleImage(const QImage& image)
{
    QImage out = Opaque(image);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int grey = (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3;
            row[x] = qRgb(grey, grey, grey);
        }
    }
    return out;
}

QImage MirrorImage(const QImage& image)
{
    const int w = image.width();
    return Remap(image, w, image.height(), [w](int x, int y) { return QPoint(w - 1 - x, y); });
}

QImage FlipImage(const QImage& image)
{
    const int h = image.height();
    return Remap(image, image.width(), h, [h](int x, int y) { return QPoint(x, h - 1 - y); });
}

QImage RotateImageLeft(const QImage& image)
{
    const int w = image.width();
    return Remap(image, image.height(), w, [w](int x, int y) { return QPoint(w - 1 - y, x); });
}

QImage RotateImageRight(const QImage& image)
{
    const int h = image.height();
    return Remap(image, h, image.width(), [h](int x, int y) { return QPoint(y, h - 1 - x); });
}
