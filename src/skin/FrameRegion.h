#pragma once
#include <QImage>
#include <QRect>
#include <QRegion>

#include <initializer_list>

// A border of a composed window frame: where it lies, and whether its key-colour pixels are left
// out of the window.
struct TFrameBorderPart {
    QRect rect;
    bool transparent;
};

// The window's region: the client rectangle, plus each border's rectangle, or for a transparent
// border the pixels of the composed frame inside it that are not the key colour.
QRegion BuildFrameRegion(const QImage& frame, const QRect& client, std::initializer_list<TFrameBorderPart> borders);

// The pixels of `area` in the image that are not the key colour.
QRegion OpaquePixels(const QImage& image, const QRect& area);
