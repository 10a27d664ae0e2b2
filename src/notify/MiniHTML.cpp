#include "MiniHTMLFormatter.h"

#include "MiniHTMLText.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace minihtml {

bool Formatter::Run(const QString& source)
{
    entryBackground_ = canvas_.BrushColor;
    canvas_.BrushColor = clNone;
    baseFont_ = canvas_.Font;
    baseColor_ = canvas_.FontColor;
    FormatState measure;
    measure.font = baseFont_;
    measure.color = baseColor_;
    FormatState draw = measure;

    r_ = TMiniHTMLResults();
    TRect working = layout_;
    working.Left += 1;
    textFlags_ = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | (p_.WordWrap ? 0u : unsigned(DT_END_ELLIPSIS));

    const QString prepared = PrepareMiniHTML(source);
    QStringView text = prepared;
    bool onAnchor = false;
    while (!text.isEmpty()) {
        LineState m;
        m.ghHeight = m.height = Gh(measure.font);
        QStringView remaining = text;
        RunLine(TPassMode::Measure, true, remaining, measure, m, working);
        // Every line consumes something, whatever the input, so the loop always ends.
        if (remaining.size() == text.size())
            remaining = remaining.sliced(1);
        const QStringView consumed = text.first(text.size() - remaining.size());
        text = m.dropRest ? QStringView() : remaining;

        m.height += p_.LineSpacing;
        TRect placed = working;
        if (align_ == TParagraphAlign::Right && working.Right - m.extent > working.Left)
            placed.Left = working.Right - m.extent;
        else if (align_ == TParagraphAlign::Center && working.Width() - m.extent > 0)
            placed.Left = working.Left + (working.Width() - m.extent) / 2;
        placed.Left += indent_;
        placed.Bottom = placed.Top + m.height + m.subExtra + m.superExtra;

        if (!p_.MeasureAll) {
            LineState d;
            d.ghHeight = m.ghHeight;
            d.height = m.height;
            d.subExtra = m.subExtra;
            d.superExtra = m.superExtra;
            d.imageOffset = m.imageOffset;
            QStringView piece = consumed;
            shownLines_.append(QString());
            RunLine(p_.MeasureOnly ? TPassMode::Measure : TPassMode::Draw, false, piece, draw, d, placed);
            const int textBottom = placed.Bottom - m.imageOffset;
            if ((d.overAnchorText && p_.HitY >= textBottom - m.ghHeight && p_.HitY < textBottom) || d.overAnchorImage)
                onAnchor = true;
        }

        const qint64 step = qint64(m.height) + m.subExtra + m.superExtra;
        working.Top = Advanced(working.Top, step);
        r_.ExtentHeight = Advanced(r_.ExtentHeight, step);
        ++lineIndex_;
        if (!p_.MeasureAll && working.Top + m.ghHeight > working.Bottom)
            text = QStringView();
    }
    r_.AnchorCount = measure.anchorCount;
    for (QString& line : shownLines_)
        while (line.endsWith(u' '))
            line.chop(1);
    while (!shownLines_.isEmpty() && shownLines_.last().isEmpty())
        shownLines_.removeLast();
    r_.PlainText = shownLines_.join(u'\n');
    if (r_.ExtentHeight == 0)
        r_.ExtentHeight = Gh(baseFont_);
    canvas_.BrushColor = entryBackground_;
    canvas_.Font = baseFont_;
    canvas_.FontColor = baseColor_;
    return onAnchor;
}

void Formatter::RunLine(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line,
                        const TRect& rect)
{
    line.position = rect.Left;
    if (mode == TPassMode::Draw && s.focusContinues) {
        s.focusRect.Left = rect.Left + 1;
        s.focusContinues = false;
    }
    if (s.paragraphBackground && mode == TPassMode::Draw && s.background != clNone) {
        canvas_.BrushColor = s.background;
        canvas_.FillRect({layout_.Left, rect.Top, layout_.Right, rect.Top + line.height});
    }
    while (!text.isEmpty() && !line.done && !line.stopped && !line.dropRest) {
        Piece(mode, firstPass, text, s, line, rect);
        if (line.done || line.stopped || line.dropRest)
            break;
        if (text.size() <= 2 && text.startsWith(u'<')) {
            text = QStringView();
            break;
        }
        if (text.startsWith(u'<') && text.size() >= 3) {
            const qsizetype close = text.indexOf(u'>');
            const QString tag = (close < 0 ? text : text.first(close + 1)).toString();
            Tag(mode, firstPass, tag, s, line, rect);
            if (!line.stopped)
                text = text.sliced(tag.size());
        }
    }
    line.extent -= line.trailingSpace;
    r_.ExtentWidth = std::max(r_.ExtentWidth, line.extent);
    if (mode == TPassMode::Draw && s.focusOpen) {
        CloseFocusRect(mode, s, line, rect);
        s.focusOpen = true;
        s.focusContinues = true;
    }
}

void Formatter::Piece(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line,
                      const TRect& rect)
{
    // The piece ends before the first "<" or after the first space, whichever comes first
    // (spaces count only with word wrap); one scan, so long texts stay linear.
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'<' && !(p_.WordWrap && text[end] == u' '))
        ++end;
    if (end < text.size() && text[end] == u' ')
        ++end;
    const QString raw = text.first(end).toString();
    if (raw.isEmpty())
        return;
    const QString piece = ReplacePieceEntities(raw);

    canvas_.Font = s.font;
    const int h = Gh(s.font);
    if (line.subscript)
        line.subExtra = std::max(line.subExtra, h / 4);
    if (line.superscript)
        line.superExtra = std::max(line.superExtra, h / 4);
    line.height = std::max(line.height, h);
    if (s.hidden) {
        text = text.sliced(raw.size());
        return;
    }

    const int oldExtent = line.extent;
    const int oldPosition = line.position;
    const int width = std::clamp(Width(s.font, piece), 0, kMaxExtent);
    if (!firstPass)
        NoteShown(StripPrefix(piece), width, s, line, rect);
    line.extent = Advanced(line.extent, width);
    if (mode == TPassMode::Measure) {
        const int x = p_.HitX - rect.Left;
        if (x >= oldExtent && x <= line.extent && s.insideAnchor) {
            line.overAnchorText = true;
            if (p_.HitY > rect.Top) {
                r_.AnchorUnderPoint = s.href;
                s.pointInAnchor = true;
            }
        }
    } else {
        DrawPiece(piece, width, s, line, rect);
    }
    line.position = Advanced(line.position, width);

    bool fits = true;
    // Only the measuring pass decides what goes on the line; the second pass gets exactly that.
    if (firstPass) {
        fits = rect.Width() > line.extent || width >= rect.Width();
        if (!fits && !line.text.isEmpty() && !line.text.endsWith(u' '))
            fits = true;
    }
    const bool firstOnLine = line.text.isEmpty();
    line.text += piece;
    if (fits || !p_.WordWrap) {
        text = text.sliced(raw.size());
        line.trailingSpace = raw.endsWith(u' ') ? QFontMetrics(s.font).horizontalAdvance(u' ') : 0;
        if (!fits && !firstOnLine)
            line.dropRest = true;
    } else {
        line.done = true;
        line.extent = oldExtent;
        line.position = oldPosition;
    }
}

void Formatter::NoteShown(const QString& words, int width, const FormatState& s, const LineState& line,
                          const TRect& rect)
{
    shownLines_.last() += words;
    if (!s.insideAnchor || r_.Anchors.isEmpty())
        return;
    TMiniHTMLAnchor& anchor = r_.Anchors.last();
    anchor.Text += words;
    const TRect box{line.position, rect.Top, line.position + width, rect.Bottom};
    if (box.IsEmpty())
        return;
    anchor.Rect = anchor.Rect.IsEmpty() ? box
                                        : TRect{std::min(anchor.Rect.Left, box.Left), std::min(anchor.Rect.Top, box.Top),
                                                std::max(anchor.Rect.Right, box.Right),
                                                std::max(anchor.Rect.Bottom, box.Bottom)};
}

int Formatter::TextBottom(const LineState& line, const TRect& rect) const
{
    int bottom = rect.Bottom - line.subExtra;
    if (line.superscript)
        bottom -= line.superExtra;
    if (line.subscript)
        bottom += line.subExtra;
    return bottom - line.imageOffset;
}

int Formatter::Width(const QFont& font, const QString& piece) const
{
    QString visible = StripPrefix(piece);
    visible.replace(u'\t', QStringLiteral("        "));
    return QFontMetrics(font).horizontalAdvance(visible);
}

void Formatter::DrawPiece(const QString& piece, int width, const FormatState& s, const LineState& line,
                          const TRect& rect)
{
    const int bottom = TextBottom(line, rect);
    const int h = Gh(s.font);
    auto drawAt = [&](int x, int y, TColor color, TColor background) {
        canvas_.Font = s.font;
        canvas_.FontColor = color;
        canvas_.BrushColor = background;
        canvas_.BrushStyle = bsSolid;
        if (s.rotation != 0) {
            QPainter* painter = canvas_.Painter();
            painter->save();
            painter->translate(x, y);
            painter->rotate(-s.rotation);
            TRect r{0, -h, width + 1, 0};
            canvas_.DrawText(piece, r, textFlags_ | DT_NOCLIP);
            painter->restore();
        } else {
            TRect r{x, y - h, rect.Right, y};
            canvas_.DrawText(piece, r, textFlags_);
        }
        canvas_.BrushColor = clNone;
    };
    if (s.shadow)
        drawAt(line.position + p_.ShadowOffset, bottom + p_.ShadowOffset, p_.ShadowColor, clNone);
    drawAt(line.position, bottom, s.color, s.background);

    if (s.insideAnchor && s.anchorCount - 1 == p_.FocusAnchor && p_.FocusAnchor >= 0)
        r_.FocusAnchorHref = s.href;
    if (s.errorUnderline) {
        // The zigzag's phase depends only on x, so it can start at the rectangle's edge: what
        // lies beyond it would only underline text that is cut off there.
        int x = std::max(line.position, rect.Left - 2);
        x -= x % 2;
        const int end = std::min(Advanced(line.position, width), rect.Right + 2);
        int offset = x % 4 == 0 ? 2 : 0;
        canvas_.PenColor = clRed;
        canvas_.MoveTo(x, bottom + offset - 1);
        while (x < end) {
            x += 2;
            offset = offset == 2 ? 0 : 2;
            canvas_.LineTo(x, bottom + offset - 1);
        }
    }
}

void Formatter::Tag(TPassMode mode, bool firstPass, const QString& tag, FormatState& s, LineState& line,
                    const TRect& rect)
{
    const QString up = AsciiUpper(tag);
    if (up.startsWith(QStringLiteral("</"))) {
        if (up.size() >= 4)
            CloseTag(mode, up, s, line, rect);
        return;
    }
    OpenTag(mode, firstPass, tag, up, s, line, rect);
}

} // namespace minihtml

bool DrawMiniHTML(TCanvas& Canvas, const QString& Text, const TRect& LayoutRect, const TMiniHTMLParams& Params,
                  TMiniHTMLResults& Results)
{
    return minihtml::Formatter(Canvas, LayoutRect, Params, Results).Run(Text);
}
