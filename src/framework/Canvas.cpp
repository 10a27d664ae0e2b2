#include "Canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

QFont MakeFont(const QString& family, int height, bool bold, bool italic, bool underline, bool strikeOut)
{
    QFont font(family);
    font.setPixelSize(height < 0 ? -height : std::max(1, height * 4 / 5));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int PointsToPixels(int points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

QString StripPrefix(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}

TCanvas::TCanvas(QPainter* painter) : painter_(painter)
{
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void TCanvas::FillRect(const TRect& r)
{
    if (BrushStyle == bsClear || BrushColor == clNone || r.IsEmpty())
        return;
    painter_->fillRect(r.ToQRect(), ToQColor(BrushColor));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty() || BrushColor == clNone)
        return;
    const QColor c = ToQColor(BrushColor);
    painter_->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    painter_->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    painter_->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    painter_->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Rectangle(const TRect& r)
{
    if (r.IsEmpty())
        return;
    TRect inner = r;
    inner.Inflate(-PenWidth, -PenWidth);
    FillRect(inner);
    if (PenColor == clNone)
        return;
    const QColor c = ToQColor(PenColor);
    const int w = std::min(PenWidth, std::min(r.Width(), r.Height()));
    painter_->fillRect(QRect(r.Left, r.Top, r.Width(), w), c);
    painter_->fillRect(QRect(r.Left, r.Bottom - w, r.Width(), w), c);
    painter_->fillRect(QRect(r.Left, r.Top, w, r.Height()), c);
    painter_->fillRect(QRect(r.Right - w, r.Top, w, r.Height()), c);
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = QPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = penPos_;
    penPos_ = QPoint(x, y);
    if (from == penPos_ || PenColor == clNone)
        return;
    // The end point itself is not drawn.
    const int dx = x - from.x(), dy = y - from.y();
    QPoint last(x, y);
    if (std::abs(dx) >= std::abs(dy))
        last.rx() -= (dx > 0) - (dx < 0);
    else
        last.ry() -= (dy > 0) - (dy < 0);
    painter_->setPen(QPen(ToQColor(PenColor), PenWidth));
    painter_->drawLine(from, last);
}

void TCanvas::Pixel(int x, int y, TColor color)
{
    painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

namespace {

// The part of the painter's device that painting can reach, in the painter's coordinates.
QRect ReachableArea(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (!device)
        return {};
    QRect area = painter.deviceTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (painter.hasClipping())
        area &= painter.clipBoundingRect().toAlignedRect();
    return area;
}

// The steps of 2 from `start` that fall in [from, to), as the first one and the end.
std::pair<qint64, qint64> StepsWithin(qint64 start, qint64 end, qint64 from, qint64 to)
{
    const qint64 first = start < from ? start + ((from - start + 1) & ~qint64(1)) : start;
    return {first, std::min(end, to)};
}

} // namespace

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    // Only the dots the device can show are set, so a rectangle far larger than the device
    // costs no more than the device's own size.
    const QRect reach = ReachableArea(*painter_);
    if (reach.isEmpty())
        return;
    painter_->save();
    painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    // Every other pixel of the outline, as a dotted focus frame.
    const auto [firstX, endX] = StepsWithin(r.Left, r.Right, reach.left(), qint64(reach.right()) + 1);
    for (qint64 x = firstX; x < endX; x += 2) {
        painter_->fillRect(QRect(int(x), r.Top, 1, 1), white);
        painter_->fillRect(QRect(int(x), r.Bottom - 1, 1, 1), white);
    }
    const auto [firstY, endY] = StepsWithin(qint64(r.Top) + 2, qint64(r.Bottom) - 1, reach.top(), qint64(reach.bottom()) + 1);
    for (qint64 y = firstY; y < endY; y += 2) {
        painter_->fillRect(QRect(r.Left, int(y), 1, 1), white);
        painter_->fillRect(QRect(r.Right - 1, int(y), 1, 1), white);
    }
    painter_->restore();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    painter_->drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    painter_->drawImage(r.ToQRect(), image);
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(Font).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const
{
    return QFontMetrics(Font).height();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics(Font);
    const int width = metrics.horizontalAdvance(text);
    FillRect({x, y, x + width, y + metrics.height()});
    painter_->setFont(Font);
    painter_->setPen(ToQColor(FontColor));
    painter_->drawText(QPoint(x, y + metrics.ascent()), text);
    penPos_ = QPoint(x + width, y);
}

namespace {

struct TextLayout {
    QStringList lines; // raw text of each line, prefixes still in
    int maxWidth = 0;
};

int VisibleWidth(const QFontMetrics& metrics, const QString& raw, bool prefix)
{
    return metrics.horizontalAdvance(prefix ? StripPrefix(raw) : raw);
}

// Breaks a paragraph at spaces so that each line fits `width`; a word longer than the line
// stands alone on its line.
void WrapParagraph(const QFontMetrics& metrics, const QString& paragraph, int width, bool prefix,
                   QStringList& out)
{
    QString line;
    qsizetype i = 0;
    while (i < paragraph.size()) {
        qsizetype end = i;
        while (end < paragraph.size() && paragraph[end] == u' ')
            ++end;
        while (end < paragraph.size() && paragraph[end] != u' ')
            ++end;
        const QString piece = paragraph.mid(i, end - i);
        const QString candidate = line + piece;
        if (!line.isEmpty() && VisibleWidth(metrics, candidate, prefix) > width) {
            out << line;
            // The spaces at the break go with it.
            qsizetype start = 0;
            while (start < piece.size() && piece[start] == u' ')
                ++start;
            line = piece.mid(start);
        } else {
            line = candidate;
        }
        i = end;
    }
    out << line;
}

QString Ellipsize(const QFontMetrics& metrics, const QString& raw, int width, bool prefix)
{
    if (VisibleWidth(metrics, raw, prefix) <= width)
        return raw;
    const QString dots = QStringLiteral("...");
    QString cut = raw;
    while (!cut.isEmpty() && VisibleWidth(metrics, cut + dots, prefix) > width)
        cut.chop(1);
    return cut + dots;
}

TextLayout Layout(const QFontMetrics& metrics, QString text, const TRect& r, unsigned flags)
{
    const bool prefix = !(flags & DT_NOPREFIX);
    if (flags & DT_EXPANDTABS)
        text.replace(u'\t', QStringLiteral("        "));
    TextLayout layout;
    QStringList paragraphs;
    if (flags & DT_SINGLELINE)
        paragraphs << text;
    else
        paragraphs = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').split(u'\n');
    for (const QString& paragraph : paragraphs) {
        if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE))
            WrapParagraph(metrics, paragraph, r.Width(), prefix, layout.lines);
        else
            layout.lines << paragraph;
    }
    for (QString& line : layout.lines) {
        if (flags & DT_END_ELLIPSIS)
            line = Ellipsize(metrics, line, r.Width(), prefix);
        layout.maxWidth = std::max(layout.maxWidth, VisibleWidth(metrics, line, prefix));
    }
    return layout;
}

} // namespace

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags)
{
    const QFontMetrics metrics(Font);
    const bool prefix = !(flags & DT_NOPREFIX);
    const TextLayout layout = Layout(metrics, text, r, flags);
    const int lineHeight = metrics.height();
    const int height = lineHeight * int(layout.lines.size());

    if (flags & DT_CALCRECT) {
        r.Right = r.Left + layout.maxWidth;
        r.Bottom = r.Top + height;
        return height;
    }

    int top = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_BOTTOM)
            top = r.Bottom - lineHeight;
        else if (flags & DT_VCENTER)
            top = r.Top + (r.Height() - lineHeight) / 2;
    }

    painter_->save();
    if (!(flags & DT_NOCLIP))
        painter_->setClipRect(r.ToQRect(), Qt::IntersectClip);
    painter_->setFont(Font);
    painter_->setPen(ToQColor(FontColor));
    int qtFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
    if (prefix)
        qtFlags |= (flags & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    for (const QString& line : layout.lines) {
        const int width = VisibleWidth(metrics, line, prefix);
        int left = r.Left;
        if (flags & DT_CENTER)
            left = r.Left + (r.Width() - width) / 2;
        else if (flags & DT_RIGHT)
            left = r.Right - width;
        FillRect({left, top, left + width, top + lineHeight});
        painter_->drawText(QRect(left, top, width + 1, lineHeight), qtFlags, line);
        top += lineHeight;
    }
    painter_->restore();
    return height;
}
