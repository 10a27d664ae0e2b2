#pragma once
#include <QImage>

// Pixel-exact image operations on the skin's opaque images; results are Format_RGB32.

// Each pixel's channels become (r + g + b) / 3.
QImage GreyscaleImage(const QImage& image);
// Each row reversed.
QImage MirrorImage(const QImage& image);
// Rows in reverse order.
QImage FlipImage(const QImage& image);
// A W × H image as H × W, turned 90° counter-clockwise (the top-right pixel becomes the top-left).
QImage RotateImageLeft(const QImage& image);
// Turned 90° clockwise (the bottom-left pixel becomes the top-left).
QImage RotateImageRight(const QImage& image);
