#include "ImageList.h"

#include <QPixmap>

TImageList::TImageList(QObject* owner) : TComponent(owner) {}

int TImageList::Add(const QImage& image)
{
    images_.append(image.size() == QSize(width_, height_)
                       ? image
                       : image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return Count() - 1;
}

QImage TImageList::Image(int index) const
{
    return index >= 0 && index < Count() ? images_[index] : QImage();
}

QIcon TImageList::Icon(int index) const
{
    const QImage image = Image(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
