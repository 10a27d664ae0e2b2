#include "Bmp24.h"

#include <QtEndian>

namespace {

template <class T> void Put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

} // namespace

QByteArray EncodeBmp24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    const int rowBytes = (w * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(rowBytes) * quint32(h);
    QByteArray out;
    out.append("BM");
    Put<quint32>(out, 54 + pixelBytes);
    Put<quint32>(out, 0);
    Put<quint32>(out, 54);
    Put<quint32>(out, 40);
    Put<qint32>(out, w);
    Put<qint32>(out, h);
    Put<quint16>(out, 1);
    Put<quint16>(out, 24);
    Put<quint32>(out, 0);
    Put<quint32>(out, pixelBytes);
    Put<qint32>(out, 2835);
    Put<qint32>(out, 2835);
    Put<quint32>(out, 0);
    Put<quint32>(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        out.append(rowBytes - w * 3, '\0');
    }
    return out;
}
