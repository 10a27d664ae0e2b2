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
