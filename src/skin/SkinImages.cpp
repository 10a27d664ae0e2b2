#include "SkinImages.h"
#include "SkinReader.h"

#include <QBuffer>
#include <QImageReader>

QString SkinImageEntry(const QString& value)
{
    const qsizetype cut = std::max(value.lastIndexOf(QLatin1Char('\\')), value.lastIndexOf(QLatin1Char(':')));
    const QString fileName = value.mid(cut + 1);
    return fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseSensitive) ? fileName : QString();
}

void TSkinImages::Refuse(const QString& why)
{
    if (refusal_.isEmpty())
        refusal_ = DamagedSkinMessage(why);
}

QImage TSkinImages::Image(const QString& value)
{
    const QString entry = SkinImageEntry(value);
    if (entry.isEmpty() || !refusal_.isEmpty())
        return {};
    // Entry names compare in lower case, so "Top.bmp" and "top.bmp" are one picture.
    const QString key = entry.toLower();
    if (const auto found = decoded_.constFind(key); found != decoded_.cend())
        return *found;
    const QImage image = Decode(entry);
    decoded_.insert(key, image);
    return image;
}

QImage TSkinImages::Decode(const QString& entry)
{
    QByteArray bytes = reader_.ExtractByName(entry);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader decoder(&buffer, "BMP");
    // The header tells the size: a run-length bitmap of a few bytes can stand for a picture of
    // any size, so the bounds are checked before anything is allocated.
    const QSize size = decoder.size();
    const qint64 pixels = size.isValid() ? qint64(size.width()) * size.height() : 0;
    if (pixels > kMaxSkinImagePixels) {
        Refuse(QStringLiteral("picture \"%1\" has %2 pixels, at most %3 are allowed.")
                   .arg(entry)
                   .arg(pixels)
                   .arg(kMaxSkinImagePixels));
        return {};
    }
    if (pixels_ + pixels > kMaxSkinPixels) {
        Refuse(QStringLiteral("its pictures have %1 pixels, at most %2 are allowed.")
                   .arg(pixels_ + pixels)
                   .arg(kMaxSkinPixels));
        return {};
    }
    QImage image;
    if (!decoder.read(&image) || qint64(image.width()) * image.height() > kMaxSkinImagePixels)
        return {};
    pixels_ += qint64(image.width()) * image.height();
    return image.convertToFormat(QImage::Format_RGB32);
}
