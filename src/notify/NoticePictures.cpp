#include "NoticePictures.h"

#include "framework/Canvas.h"

#include <QBrush>
#include <QImageReader>
#include <QPainter>

void TNoticePicture::Draw(TCanvas& canvas, int x, int y) const
{
    if (!Empty())
        canvas.Draw(x, y, image_);
}

void TNoticePicture::StretchDraw(TCanvas& canvas, const TRect& r) const
{
    if (!Empty())
        canvas.StretchDraw(r, image_);
}

void TNoticePicture::Tile(TCanvas& canvas, const TRect& area) const
{
    if (Empty())
        return;
    // One fill with the picture as its brush: the painter repeats it over the area, however
    // small the picture and large the area.
    QPainter* painter = canvas.Painter();
    painter->save();
    painter->setBrushOrigin(area.Left, area.Top);
    painter->fillRect(area.ToQRect(), QBrush(image_));
    painter->restore();
}

void TNoticePicture::LoadFromFile(const QString& path)
{
    QImageReader reader(path);
    // The header is read before the first frame: afterwards the device is past it.
    const QSize size = reader.size();
    const int frames = reader.imageCount();
    QImage frame = reader.read();
    if (frame.isNull())
        return;
    frameCount_ = std::max(1, frames);
    frameOffset_ = reader.currentImageRect().isValid() ? reader.currentImageRect().topLeft() : QPoint();
    size_ = size.isValid() ? size : frame.size();
    image_ = frame;
}

void TNoticePicture::Assign(const QImage& image)
{
    image_ = image;
    size_ = image.size();
    frameCount_ = image.isNull() ? 0 : 1;
    frameOffset_ = QPoint();
}

TNoticePicture* TNoticePictureCache::Find(const QString& address)
{
    for (TNoticePicture& picture : pictures_)
        if (picture.Address == address)
            return &picture;
    return nullptr;
}

TNoticePicture* TNoticePictureCache::Add(const QString& address)
{
    pictures_.emplace_back();
    pictures_.back().Address = address;
    return &pictures_.back();
}

TNoticePicture* TNoticePictureCache::FindOrLoad(const QString& address)
{
    if (TNoticePicture* cached = Find(address))
        return cached;
    TNoticePicture* picture = Add(address);
    if (address.startsWith(QStringLiteral("RES://"), Qt::CaseInsensitive))
        picture->LoadFromFile(QStringLiteral(":/") + address.mid(6));
    else if (address.startsWith(QStringLiteral("FILE://"), Qt::CaseInsensitive))
        picture->LoadFromFile(address.mid(7));
    return picture;
}

TPictureContainer::TPictureContainer(QObject* owner) : TComponent(owner) {}

void TPictureContainer::Add(const QString& name, const QImage& image)
{
    TNoticePicture picture;
    picture.Address = name;
    picture.Assign(image);
    items_.append({name, picture});
}

const TNoticePicture* TPictureContainer::Find(const QString& name) const
{
    for (const auto& item : items_)
        if (item.first.compare(name, Qt::CaseInsensitive) == 0)
            return &item.second;
    return nullptr;
}
