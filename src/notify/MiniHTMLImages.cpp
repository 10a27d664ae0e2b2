// The formatter's images: image-list entries, shell icons and pictures by name or address.
#include "MiniHTMLFormatter.h"

#include "MiniHTMLText.h"
#include "NoticePictures.h"
#include "framework/ImageList.h"

#include <QFileIconProvider>
#include <QFileInfo>

namespace minihtml {

const TNoticePicture* Formatter::FindPicture(const QString& source)
{
    if (!source.contains(u':'))
        return p_.PictureContainer ? p_.PictureContainer->Find(source) : nullptr;
    if (source.contains(QStringLiteral("://")) && p_.PictureCache)
        return p_.PictureCache->FindOrLoad(source);
    return nullptr;
}

namespace {

// The icons of the shell image list by number, in the order the desktop numbers them.
QIcon ShellIcon(const QString& which)
{
    static QFileIconProvider provider;
    bool isNumber = false;
    const int index = which.toInt(&isNumber);
    if (isNumber) {
        static const QAbstractFileIconProvider::IconType types[] = {
            QAbstractFileIconProvider::File, QAbstractFileIconProvider::Folder,
            QAbstractFileIconProvider::Drive, QAbstractFileIconProvider::Computer,
            QAbstractFileIconProvider::Desktop, QAbstractFileIconProvider::Network,
            QAbstractFileIconProvider::Trashcan};
        return index >= 0 && index < int(std::size(types)) ? provider.icon(types[index]) : QIcon();
    }
    const QFileInfo info(which);
    return info.exists() ? provider.icon(info) : provider.icon(QAbstractFileIconProvider::File);
}

} // namespace

void Formatter::Image(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
                      LineState& line, const TRect& rect)
{
    const int number = ++s.imageCount;
    QString source = AttributeValue(tag, up, QStringLiteral("SRC"));
    if (up.contains(QStringLiteral("ALT")) && imageUnderPoint_ == number)
        source = AsciiUpper(AttributeValue(tag, up, QStringLiteral("ALT")));
    const int wantWidth = LeadingNumber(AttributeValue(tag, up, QStringLiteral("WIDTH")));
    const int wantHeight = LeadingNumber(AttributeValue(tag, up, QStringLiteral("HEIGHT")));
    const QString upperSource = AsciiUpper(source);
    const bool drawing = mode == TPassMode::Draw;
    const int top = rect.Top;

    QImage picture;                        // what to draw, at its drawn size
    const TNoticePicture* cached = nullptr;
    int width = 0, height = 0;
    if (upperSource.startsWith(QStringLiteral("IDX:"))) {
        // A number too large for an int is no index at all, not picture 0.
        const QString number = source.mid(4);
        bool isNumber = false;
        const int index = number.toInt(&isNumber);
        if (p_.Images && isNumber && StartsWithDigit(number) && index < p_.Images->Count()) {
            width = p_.Images->Width() * dpiX_ / 96;
            height = p_.Images->Height() * dpiY_ / 96;
            picture = p_.Images->Image(index);
        }
    } else if (upperSource.startsWith(QStringLiteral("SSYS:")) || upperSource.startsWith(QStringLiteral("LSYS:"))) {
        const int side = upperSource[0] == u'S' ? 16 : 32;
        const QIcon icon = ShellIcon(source.mid(5));
        if (!icon.isNull()) {
            width = side * dpiX_ / 96;
            height = side * dpiY_ / 96;
            picture = icon.pixmap(side, side).toImage();
        }
    } else if ((cached = FindPicture(source)) && !cached->Empty()) {
        const bool sized = wantWidth >= 1 && wantHeight >= 1;
        width = (sized ? wantWidth : cached->Width()) * dpiX_ / 96;
        height = (sized ? wantHeight : cached->Height()) * dpiY_ / 96;
    } else {
        cached = nullptr;
    }
    if (width <= 0 || height <= 0)
        return;

    width = std::min(width, kMaxExtent);
    height = std::min(height, kMaxExtent);
    const qint64 x = qint64(p_.HitX) - rect.Left;
    if (x > line.extent && x < qint64(line.extent) + width && p_.HitY > top && qint64(p_.HitY) < qint64(top) + height
        && s.insideAnchor) {
        line.overAnchorImage = true;
        r_.AnchorUnderPoint = s.href;
        imageUnderPoint_ = number;
    }
    if (firstPass && rect.Width() < qint64(line.extent) + width && width < rect.Width()) {
        --s.imageCount; // the tag is read again on the next line
        line.stopped = true;
        return;
    }
    if (drawing) {
        if (cached) {
            if (wantWidth >= 1 && wantHeight >= 1) {
                cached->StretchDraw(canvas_, {line.position, top, line.position + width, top + height});
            } else {
                if (cached->FrameCount() > 1) {
                    canvas_.BrushColor = entryBackground_;
                    canvas_.FillRect({line.position, top, line.position + width, top + height});
                    canvas_.BrushColor = clNone;
                }
                cached->Draw(canvas_, line.position + cached->FrameOffset().x(), top + cached->FrameOffset().y());
            }
        } else if (p_.PrintMode) {
            canvas_.StretchDraw({line.position, top, line.position + int(width * p_.PrintScale),
                                 top + int(height * p_.PrintScale)}, picture);
        } else {
            canvas_.StretchDraw({line.position, top, line.position + width, top + height}, picture);
        }
    }
    if (!firstPass)
        NoteShown(QString(), width, s, line, rect);
    line.extent = Advanced(line.extent, width);
    line.position = Advanced(line.position, width);
    line.height = std::max(line.height, height);
    if (!firstPass)
        return; // the second pass keeps the measured offset
    if (up.contains(QStringLiteral("\"TOP")))
        line.imageOffset = line.height - line.ghHeight;
    else if (up.contains(QStringLiteral("\"MIDDLE")))
        line.imageOffset = (line.height - line.ghHeight) / 2;
}

} // namespace minihtml
