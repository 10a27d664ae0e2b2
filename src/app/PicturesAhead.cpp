#include "PicturesAhead.h"

#include "framework/WorkAhead.h"

namespace {

WorkAhead<QString, QImage>& Decoded()
{
    static WorkAhead<QString, QImage> pictures;
    return pictures;
}

} // namespace

void PicturesAhead::Start(const QStringList& files)
{
    Decoded().Start(std::vector<QString>(files.begin(), files.end()), [](const QString& file) { return QImage(file); });
}

QImage PicturesAhead::Take(const QString& file)
{
    if (std::optional<QImage> ahead = Decoded().Take(file))
        return *std::move(ahead);
    return QImage(file);
}
