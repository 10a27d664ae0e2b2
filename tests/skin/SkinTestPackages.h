#pragma once
#include "skinpack/SkinPackageWriter.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

// Packages and pictures made on the spot for the skin tests.

inline QByteArray BmpFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

inline QByteArray SolidBmp(int w, int h, QRgb colour = qRgb(10, 20, 30))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return BmpFile(image);
}

// An 8-bit run-length bitmap of w x h whose pixel data ends at once: a few dozen bytes that
// decode to a whole picture.
inline QByteArray RunLengthBmp(int w, int h)
{
    constexpr int kHeaders = 14 + 40, kPalette = 2 * 4;
    const QByteArray data("\x00\x01", 2); // end of bitmap
    QByteArray bmp(kHeaders + kPalette, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size() + data.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(quint32(kHeaders + kPalette), bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(w, bmp.data() + 18);
    qToLittleEndian<qint32>(h, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);  // planes
    qToLittleEndian<quint16>(8, bmp.data() + 28);  // bits per pixel
    qToLittleEndian<quint32>(1, bmp.data() + 30);  // run-length, 8 bits
    qToLittleEndian<quint32>(quint32(data.size()), bmp.data() + 34);
    qToLittleEndian<quint32>(2, bmp.data() + 46);  // colours used
    return bmp + data;
}

inline QByteArray MakePackage(const QList<SkinEntry>& entries)
{
    return PackSkinContainer(BuildSkinContainer(entries));
}

// A package with one description and the given pictures.
inline QByteArray DescribedPackage(const QByteArray& description, QList<SkinEntry> pictures = {})
{
    pictures.prepend({QStringLiteral("skin.ini"), description});
    return MakePackage(pictures);
}

// A package around a container given byte for byte.
inline QByteArray PackageOf(const QByteArray& container)
{
    return PackSkinContainer(container);
}

inline void PutU32(QByteArray& bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}
