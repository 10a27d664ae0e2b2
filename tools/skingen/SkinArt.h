#pragma once
#include <QImage>
#include <QList>
#include <QString>

// One picture of our skin: its file name in the skin folder and the drawing.
struct SkinPicture {
    QString fileName;
    QImage image;
};

// Every picture the skin description names; magenta marks transparent pixels.
QList<SkinPicture> DrawSkinPictures();
// The 16-pixel-high strip of system-menu glyphs (restore, maximise, minimise, close) on white.
QImage DrawMenuGlyphs();
// The skin description that names the pictures.
QByteArray SkinDescription();
