#pragma once
#include "framework/Component.h"

#include <QImage>
#include <QList>
#include <deque>
#include <QPoint>
#include <QString>

class QIODevice;
class TCanvas;
struct TRect;

// A picture for the formatter's images: empty until loaded; animated files keep their frame count
// and show their first frame at its offset.
class TNoticePicture {
public:
    QString Address;

    bool Empty() const { return image_.isNull(); }
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    int FrameCount() const { return frameCount_; }
    QPoint FrameOffset() const { return frameOffset_; }

    void Draw(TCanvas& canvas, int x, int y) const;
    void StretchDraw(TCanvas& canvas, const TRect& r) const;
    // Repeats the picture over the area from its top-left corner, clipped to it; an empty
    // picture draws nothing.
    void Tile(TCanvas& canvas, const TRect& area) const;

    // Decodes a picture from a device (a resource or file bytes); what cannot be decoded, or
    // would take more than kMaxPictureMegabytes, leaves it empty.
    void Load(QIODevice& device);
    void Assign(const QImage& image);

    static constexpr int kMaxPictureMegabytes = 32;

private:
    QImage image_;
    QSize size_;
    int frameCount_ = 0;
    QPoint frameOffset_;
};

// Pictures keyed by the address they were loaded from (exact comparison). Addresses starting with
// "RES://" name a program resource, "FILE://" a local file; anything else is recorded, not fetched.
// Addresses come from text other people choose, so only the latest kMaxPictures stay, and a
// file is read only when it is a regular file of at most kMaxFileSize bytes, without waiting
// on it.
class TNoticePictureCache {
public:
    static constexpr int kMaxPictures = 64;
    static constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

    TNoticePicture* Find(const QString& address);
    TNoticePicture* Add(const QString& address);
    // The cached picture for the address, loaded on first use.
    TNoticePicture* FindOrLoad(const QString& address);
    int Count() const { return int(pictures_.size()); }

private:
    std::deque<TNoticePicture> pictures_; // addresses of entries stay valid as it grows
};

// Named pictures for <IMG SRC="name"> and the body background; names compare without case and
// the first match wins.
class TPictureContainer : public TComponent {
    Q_OBJECT

public:
    explicit TPictureContainer(QObject* owner = nullptr);

    void Add(const QString& name, const QImage& image);
    const TNoticePicture* Find(const QString& name) const;

private:
    QList<QPair<QString, TNoticePicture>> items_;
};
