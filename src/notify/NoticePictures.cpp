#include "NoticePictures.h"

#include "framework/Canvas.h"

#include <QBrush>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

void TNoticePicture::Load(QIODevice& device)
{
    QImageReader reader(&device);
    reader.setAllocationLimit(kMaxPictureMegabytes);
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
    if (int(pictures_.size()) >= kMaxPictures)
        pictures_.pop_front();
    pictures_.emplace_back();
    pictures_.back().Address = address;
    return &pictures_.back();
}

namespace {

// The bytes of a regular file of at most `limit` bytes; empty for anything else. A FIFO or a
// device named by a page is never opened: either could block the user-interface thread for good.
QByteArray ReadPictureFile(const QString& path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat named {};
    if (::stat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode))
        return {};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    // What was opened may have been swapped for something else since it was looked at.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > limit)
        return {};
    QByteArray bytes = file.read(limit + 1);
    return bytes.size() > limit ? QByteArray() : bytes;
}

} // namespace

TNoticePicture* TNoticePictureCache::FindOrLoad(const QString& address)
{
    if (TNoticePicture* cached = Find(address))
        return cached;
    TNoticePicture* picture = Add(address);
    if (address.startsWith(QStringLiteral("RES://"), Qt::CaseInsensitive)) {
        QFile resource(QStringLiteral(":/") + address.mid(6));
        if (resource.open(QIODevice::ReadOnly))
            picture->Load(resource);
    } else if (address.startsWith(QStringLiteral("FILE://"), Qt::CaseInsensitive)) {
        QByteArray bytes = ReadPictureFile(address.mid(7), kMaxFileSize);
        QBuffer buffer(&bytes);
        if (!bytes.isEmpty() && buffer.open(QIODevice::ReadOnly))
            picture->Load(buffer);
    }
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
