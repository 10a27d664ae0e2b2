#pragma once
#include <QHash>
#include <QImage>
#include <QString>

class TSkinReader;

// The most pixels one skin picture, and all the pictures of one skin together, may have: far
// beyond what a skin draws with, far below what would exhaust memory.
constexpr qint64 kMaxSkinImagePixels = 2048 * 2048;
constexpr qint64 kMaxSkinPixels = 4 * kMaxSkinImagePixels;

// The package entry a description value names: its bare file name (after the last "\" or
// ":"), which must end in ".bmp" exactly; empty when it does not.
QString SkinImageEntry(const QString& value);

// The pictures of one skin load. Each entry is decoded once however many values name it, and
// its size is checked against the bounds before it is decoded; past a bound the load is refused.
class TSkinImages {
public:
    explicit TSkinImages(const TSkinReader& reader) : reader_(reader) {}

    // The picture a description value names; empty when the entry is missing or not a bitmap,
    // and once the load is refused.
    QImage Image(const QString& value);

    // Why the skin is refused (the damaged-package message); empty while it is not.
    const QString& Refusal() const { return refusal_; }
    void Refuse(const QString& why);

private:
    QImage Decode(const QString& entry);

    const TSkinReader& reader_;
    QHash<QString, QImage> decoded_; // by lower-case entry name, failures included
    qint64 pixels_ = 0;
    QString refusal_;
};
