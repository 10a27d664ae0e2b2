#pragma once
#include <QByteArray>
#include <QImage>

// The image as a 24-bit uncompressed BMP file (bottom-up rows padded to 4 bytes).
QByteArray EncodeBmp24(const QImage& image);
