#include "MiniHTML.h"

#include "ColorNames.h"
#include "Gradient.h"
#include "MiniHTMLText.h"
#include "NoticePictures.h"
#include "framework/ImageList.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr int kBulletIndent = 12;
constexpr int kGradientBands = 64;

enum class TParagraphAlign { Left, Right, Center };
enum class TPassMode { Measure, Draw };

// Formatting state that runs on from line to line; the measuring and the drawing pass each keep
// their own copy, so both passes start every line alike.
struct FormatState {
    QFont font;
    TColor color = clBlack;
    TColor background = clNone;
    TColor fontSavedBackground = clNone;      // restored by </FONT>
    TColor paragraphSavedBackground = clNone; // restored by </P>
    TColor highlightSavedColor = clBlack;
    TColor highlightSavedBackground = clNone;
    TColor anchorSavedBackground = clNone;
    bool hoverBackApplied = false;
    bool insideAnchor = false;
    QString href;
    int anchorCount = 0;
    int imageCount = 0;
    int listLevel = 0;
    bool shadow = false;
    bool hidden = false;
    bool errorUnderline = false;
    bool paragraphBackground = false;
    int rotation = 0;
    // The open anchor: where it began and whether the point is over it.
    int anchorStartX = 0;
    int anchorStartLine = -1;
    bool pointInAnchor = false;
    // The focused anchor's rectangle while it is open.
    bool focusOpen = false;
    bool focusContinues = false;
    TRect focusRect;
};

// Per line, reset at its start.
struct LineState {
    int height = 0;
    int ghHeight = 0;
    int subExtra = 0;
    int superExtra = 0;
    int imageOffset = 0;
    bool subscript = false;
    bool superscript = false;
    QString text;
    int extent = 0;
    int position = 0;
    int trailingSpace = 0;
    bool bullet = false;
    bool done = false;
    bool stopped = false;       // a bullet or an image ended the line before its tag
    bool dropRest = false;      // without word wrap, a piece past the edge ends the text
    bool overAnchorText = false;
    bool overAnchorImage = false;
};

// An attribute's value: the text between the first pair of double quotes after its name.
QString AttributeValue(const QString& tag, const QString& upperTag, const QString& name)
{
    const qsizetype at = upperTag.indexOf(name);
    if (at < 0)
        return {};
    const qsizetype open = tag.indexOf(u'"', at + name.size());
    if (open < 0)
        return {};
    const qsizetype close = tag.indexOf(u'"', open + 1);
    return close < 0 ? QString() : tag.mid(open + 1, close - open - 1);
}

// The digits at the start of `text` as a number; 0 without any.
int LeadingNumber(const QString& text)
{
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + (c.unicode() - '0'), 1 << 20);
    }
    return value;
}

bool StartsWithDigit(const QString& text)
{
    return !text.isEmpty() && text[0] >= u'0' && text[0] <= u'9';
}

TColor ParseColorValue(const QString& value)
{
    return value.startsWith(u'#') ? ParseHexColor(AsciiUpper(value)) : ParseColorName(value);
}

int FontSizeToPoints(int size)
{
    switch (size) {
    case 1: return 8;
    case 2: return 10;
    case 3: return 12;
    case 4: return 14;
    case 5: return 16;
    default: return size;
    }
}

class Formatter {
public:
    Formatter(TCanvas& canvas, const TRect& layout, const TMiniHTMLParams& params, TMiniHTMLResults& results)
        : canvas_(canvas), layout_(layout), p_(params), r_(results)
    {
        const QPaintDevice* device = canvas.Painter()->device();
        dpiX_ = device ? device->logicalDpiX() : 96;
        dpiY_ = device ? device->logicalDpiY() : 96;
    }

    bool Run(const QString& text);

private:
    // Both consume from the front of `text`, a view into the prepared text.
    void RunLine(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line, const TRect& rect);
    void Piece(TPassMode mode, bool firstPass, QStringView& text, FormatState& s, LineState& line, const TRect& rect);
    void DrawPiece(const QString& piece, int width, const FormatState& s, const LineState& line, const TRect& rect);
    void Tag(TPassMode mode, bool firstPass, const QString& tag, FormatState& s, LineState& line, const TRect& rect);
    void OpenTag(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
                 LineState& line, const TRect& rect);
    void CloseTag(TPassMode mode, const QString& up, FormatState& s, LineState& line, const TRect& rect);
    void OpenAnchor(TPassMode mode, const QString& tag, FormatState& s, LineState& line);
    void CloseAnchor(TPassMode mode, FormatState& s, LineState& line, const TRect& rect);
    void FontTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s);
    void ParagraphTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s, const LineState& line,
                      const TRect& rect);
    void BodyTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s);
    void Bullet(TPassMode mode, FormatState& s, LineState& line, const TRect& rect);
    void Image(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
               LineState& line, const TRect& rect);
    void CloseFocusRect(TPassMode mode, FormatState& s, const LineState& line, const TRect& rect);

    int TextBottom(const LineState& line, const TRect& rect) const;
    int Gh(const QFont& font) const { return QFontMetrics(font).height(); }
    int Width(const QFont& font, const QString& piece) const;
    QFont DrawingFont(const FormatState& s) const;
    const TNoticePicture* FindPicture(const QString& source);

    TCanvas& canvas_;
    const TRect layout_;
    const TMiniHTMLParams& p_;
    TMiniHTMLResults& r_;
    int dpiX_ = 96, dpiY_ = 96;
    QFont baseFont_;
    TColor baseColor_ = clBlack;
    TColor entryBackground_ = clNone;
    unsigned textFlags_ = 0;
    TParagraphAlign align_ = TParagraphAlign::Left;
    int indent_ = 0;
    int lineIndex_ = 0;
    int imageUnderPoint_ = 0;
};

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
            RunLine(p_.MeasureOnly ? TPassMode::Measure : TPassMode::Draw, false, piece, draw, d, placed);
            const int textBottom = placed.Bottom - m.imageOffset;
            if ((d.overAnchorText && p_.HitY >= textBottom - m.ghHeight && p_.HitY < textBottom) || d.overAnchorImage)
                onAnchor = true;
        }

        const int step = m.height + m.subExtra + m.superExtra;
        working.Top += step;
        r_.ExtentHeight += step;
        ++lineIndex_;
        if (!p_.MeasureAll && working.Top + m.ghHeight > working.Bottom)
            text = QStringView();
    }
    r_.AnchorCount = measure.anchorCount;
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
    const int width = Width(s.font, piece);
    line.extent += width;
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
    line.position += width;

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
        line.extent -= width;
        line.position -= width;
    }
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
        int x = line.position - line.position % 2;
        int offset = x % 4 == 0 ? 2 : 0;
        canvas_.PenColor = clRed;
        canvas_.MoveTo(x, bottom + offset - 1);
        while (x < line.position + width) {
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

void Formatter::OpenTag(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
                        LineState& line, const TRect& rect)
{
    const bool drawing = mode == TPassMode::Draw;
    const QChar second = up.size() > 2 ? up[2] : QChar();
    switch (up[1].unicode()) {
    case 'A':
        OpenAnchor(mode, tag, s, line);
        break;
    case 'B':
        if (up.startsWith(QStringLiteral("<B>")))
            s.font.setBold(true);
        else if (second == u'R')
            line.done = true;
        else if (second == u'L' && !p_.BlinkOn)
            s.color = entryBackground_;
        else if (second == u'O')
            BodyTag(mode, tag, up, s);
        break;
    case 'E':
        s.errorUnderline = true;
        break;
    case 'F':
        FontTag(mode, tag, up, s);
        break;
    case 'H':
        if (second == u'I' && drawing) {
            s.highlightSavedColor = s.color;
            s.highlightSavedBackground = s.background;
            s.background = clHighlight;
            s.color = clHighlightText;
        } else if (second == u'R') {
            line.done = true;
            if (drawing) {
                const int y = TextBottom(line, rect);
                canvas_.PenColor = clBlack;
                canvas_.MoveTo(rect.Left, y);
                canvas_.LineTo(rect.Right, y);
            }
        }
        break;
    case 'I':
        if (up.startsWith(QStringLiteral("<I>"))) {
            s.font.setItalic(true);
        } else if (second == u'N') {
            const qsizetype x = up.indexOf(u'X');
            bool ok = false;
            const int value = x < 0 ? 0 : up.mid(x + 1).chopped(up.endsWith(u'>') ? 1 : 0).trimmed().toInt(&ok);
            if (ok && line.extent < value) {
                line.extent = value;
                line.position = layout_.Left + value;
            }
        } else if (second == u'M') {
            Image(mode, firstPass, tag, up, s, line, rect);
        }
        break;
    case 'L':
        Bullet(mode, s, line, rect);
        break;
    case 'P':
        ParagraphTag(mode, tag, up, s, line, rect);
        break;
    case 'R': {
        const qsizetype a = up.indexOf(u'A');
        s.rotation = a < 0 ? 0 : LeadingNumber(up.mid(a + 1)) % 360;
        break;
    }
    case 'S':
        if (up.startsWith(QStringLiteral("<S>")))
            s.font.setStrikeOut(true);
        else if (second == u'H')
            s.shadow = true;
        else if (up == QStringLiteral("<SUB>"))
            line.subscript = true;
        else if (up == QStringLiteral("<SUP>"))
            line.superscript = true;
        break;
    case 'U':
        if (up.startsWith(QStringLiteral("<U>"))) {
            s.font.setUnderline(true);
        } else {
            ++s.listLevel;
            line.done = true;
        }
        break;
    case 'Z':
        s.hidden = true;
        break;
    default:
        break;
    }
}

void Formatter::CloseTag(TPassMode mode, const QString& up, FormatState& s, LineState& line, const TRect& rect)
{
    const bool drawing = mode == TPassMode::Draw;
    const QChar second = up[3];
    switch (up[2].unicode()) {
    case 'A':
        CloseAnchor(mode, s, line, rect);
        break;
    case 'B':
        if (up.startsWith(QStringLiteral("</B>")))
            s.font.setBold(false);
        else
            s.color = baseColor_;
        break;
    case 'E':
        s.errorUnderline = false;
        break;
    case 'F':
        s.font.setFamily(baseFont_.family());
        if (baseFont_.pixelSize() > 0)
            s.font.setPixelSize(baseFont_.pixelSize());
        else
            s.font.setPointSizeF(baseFont_.pointSizeF());
        if (drawing && !p_.Selected) {
            s.color = baseColor_;
            s.background = s.fontSavedBackground;
        }
        break;
    case 'H':
        if (drawing) {
            s.color = s.highlightSavedColor;
            s.background = s.highlightSavedBackground;
        }
        break;
    case 'I':
        s.font.setItalic(false);
        break;
    case 'L':
        line.done = true;
        break;
    case 'P':
        line.done = true;
        if (drawing)
            s.background = s.paragraphSavedBackground;
        s.paragraphBackground = false;
        break;
    case 'R':
        s.rotation = 0;
        break;
    case 'S':
        if (second == u'U') {
            line.subscript = false;
            line.superscript = false;
        } else if (second == u'H') {
            s.shadow = false;
        } else {
            s.font.setStrikeOut(false);
        }
        break;
    case 'U':
        if (up.startsWith(QStringLiteral("</U>")))
            s.font.setUnderline(false);
        else if (s.listLevel > 0)
            --s.listLevel;
        else
            s.font.setUnderline(false);
        break;
    case 'Z':
        s.hidden = false;
        break;
    default:
        break;
    }
}

void Formatter::OpenAnchor(TPassMode mode, const QString& tag, FormatState& s, LineState& line)
{
    const int number = ++s.anchorCount;
    const qsizetype open = tag.indexOf(u'"');
    const qsizetype close = open < 0 ? -1 : tag.indexOf(u'"', open + 1);
    s.href = close < 0 ? QString() : tag.mid(open + 1, close - open - 1);
    s.insideAnchor = true;
    s.anchorStartX = line.extent;
    s.anchorStartLine = lineIndex_;
    s.pointInAnchor = false;
    if (mode == TPassMode::Draw) {
        const bool hovered = number == p_.HoverAnchor;
        if (!p_.HoverStyle || hovered) {
            s.font.setUnderline(true);
            if (p_.HoverBackColor != clNone) {
                s.anchorSavedBackground = s.background;
                s.background = p_.HoverBackColor;
                s.hoverBackApplied = true;
            }
            if (p_.HoverTextColor != clNone)
                s.color = p_.HoverTextColor;
        }
        if (!p_.Selected && !(p_.HoverStyle && hovered && p_.HoverTextColor != clNone))
            s.color = p_.AnchorColor;
        if (number - 1 == p_.FocusAnchor) {
            s.focusOpen = true;
            s.focusRect.Left = line.position;
        }
    }
}

void Formatter::CloseAnchor(TPassMode mode, FormatState& s, LineState& line, const TRect& rect)
{
    const int number = s.anchorCount;
    if (mode == TPassMode::Draw && !(p_.HoverStyle && number != p_.HoverAnchor)) {
        s.font.setUnderline(false);
        if (s.hoverBackApplied) {
            s.background = s.anchorSavedBackground;
            s.hoverBackApplied = false;
        }
    }
    if (!p_.Selected)
        s.color = baseColor_;
    s.insideAnchor = false;
    if (s.pointInAnchor) {
        const int left = s.anchorStartLine == lineIndex_ ? s.anchorStartX + rect.Left : rect.Left;
        r_.AnchorUnderPointRect = {left, rect.Top, line.extent + rect.Left, rect.Bottom};
        r_.AnchorUnderPointNumber = number;
        s.pointInAnchor = false;
    }
    if (s.focusOpen && number - 1 == p_.FocusAnchor)
        CloseFocusRect(mode, s, line, rect);
}

void Formatter::CloseFocusRect(TPassMode mode, FormatState& s, const LineState& line, const TRect& rect)
{
    TRect focus = s.focusRect;
    focus.Right = line.position;
    focus.Bottom = TextBottom(line, rect);
    focus.Top = focus.Bottom - line.ghHeight;
    focus.Inflate(1, 0);
    if (mode == TPassMode::Draw)
        canvas_.DrawFocusRect(focus);
    s.focusOpen = false;
}

void Formatter::FontTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s)
{
    if (!up.endsWith(u'>'))
        return;
    const QString face = AttributeValue(tag, up, QStringLiteral("FACE"));
    if (!face.isEmpty())
        s.font.setFamily(face);
    const QString color = AttributeValue(tag, up, QStringLiteral(" COLOR"));
    if (!color.isEmpty() && !p_.Selected)
        s.color = ParseColorValue(color);
    if (up.contains(QStringLiteral("BGCOLOR")) && mode == TPassMode::Draw && !p_.Selected) {
        const QString back = AttributeValue(tag, up, QStringLiteral("BGCOLOR"));
        s.fontSavedBackground = s.background;
        s.background = back.isEmpty() ? clNone : ParseColorValue(back);
    }
    const qsizetype size = up.indexOf(QStringLiteral("SIZE"));
    const qsizetype equals = size < 0 ? -1 : up.indexOf(u'=', size);
    if (equals >= 0) {
        QString value = up.mid(equals + 1);
        if (value.startsWith(u'"'))
            value.remove(0, 1);
        if (StartsWithDigit(value))
            s.font.setPixelSize(std::max(1, (FontSizeToPoints(LeadingNumber(value)) * dpiY_ + 36) / 72));
    }
}

void Formatter::ParagraphTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s,
                             const LineState& line, const TRect& rect)
{
    const QString align = AsciiUpper(AttributeValue(tag, up, QStringLiteral("ALIGN")));
    if (align.contains(QStringLiteral("RIGHT")))
        align_ = TParagraphAlign::Right;
    if (align.contains(QStringLiteral("LEFT")))
        align_ = TParagraphAlign::Left;
    if (align.contains(QStringLiteral("CENTER")))
        align_ = TParagraphAlign::Center;
    const QString indent = AttributeValue(tag, up, QStringLiteral("INDENT"));
    if (StartsWithDigit(indent))
        indent_ = LeadingNumber(indent);
    if (!up.contains(QStringLiteral("BGCOLOR")) || mode != TPassMode::Draw)
        return;
    const QString first = AttributeValue(tag, up, QStringLiteral("BGCOLOR"));
    const TColor from = first.isEmpty() ? clNone : ParseColorValue(first);
    s.paragraphBackground = true;
    if (!up.contains(QStringLiteral("BGCOLORTO"))) {
        s.paragraphSavedBackground = s.background;
        s.background = from;
        if (from != clNone) {
            canvas_.BrushColor = from;
            canvas_.FillRect({layout_.Left, rect.Top, layout_.Right, rect.Top + line.height});
            canvas_.BrushColor = clNone;
        }
        return;
    }
    const TColor to = ParseColorValue(AttributeValue(tag, up, QStringLiteral("BGCOLORTO")));
    const TColor start = ColorToRGB(from == clNone ? clWhite : from), end = ColorToRGB(to);
    const double band = layout_.Width() / double(kGradientBands);
    for (int i = 0; i < kGradientBands; ++i) {
        const int left = layout_.Left + RoundEven(i * band);
        const int right = std::min(layout_.Right, left + int(band) + 1);
        canvas_.BrushColor = BandColor(start, end, i, kGradientBands);
        canvas_.FillRect({left, rect.Top, right, rect.Bottom + 2});
    }
    canvas_.BrushColor = clNone;
    s.background = clNone;
}

void Formatter::BodyTag(TPassMode mode, const QString& tag, const QString& up, FormatState& s)
{
    if (mode != TPassMode::Draw)
        return;
    const QString background = AsciiUpper(AttributeValue(tag, up, QStringLiteral("BACKGROUND")));
    if (const TNoticePicture* picture = background.isEmpty() ? nullptr : FindPicture(background)) {
        QPainter* painter = canvas_.Painter();
        painter->save();
        painter->setClipRect(layout_.ToQRect(), Qt::IntersectClip);
        for (int y = layout_.Top; y < layout_.Bottom; y += picture->Height())
            for (int x = layout_.Left; x < layout_.Right; x += picture->Width())
                picture->Draw(canvas_, x, y);
        painter->restore();
    }
    const QString color = AttributeValue(tag, up, QStringLiteral("BGCOLOR"));
    const QString upperColor = AsciiUpper(color);
    TColor fill = clNone;
    if (upperColor.contains(QStringLiteral("CL")))
        fill = ParseColorName(color);
    else if (upperColor.contains(u'#'))
        fill = ParseHexColor(upperColor);
    if (fill != clNone) {
        canvas_.BrushColor = fill;
        canvas_.FillRect(layout_);
        canvas_.BrushColor = clNone;
        s.background = fill;
        s.fontSavedBackground = fill;
    }
}

void Formatter::Bullet(TPassMode mode, FormatState& s, LineState& line, const TRect& rect)
{
    line.extent += s.listLevel * kBulletIndent;
    if (line.bullet) {
        line.stopped = true;
        return;
    }
    line.position += (s.listLevel - 1) * kBulletIndent;
    if (mode == TPassMode::Draw && !s.hidden) {
        // The bullet of a symbol font, taken from the text's own font: the desktop here has no
        // symbol-encoded font.
        canvas_.Font = s.font;
        canvas_.FontColor = s.color;
        const QString mark = s.listLevel % 2 ? QString(QChar(0x2022)) : QStringLiteral("o");
        const int bottom = TextBottom(line, rect);
        TRect r{line.position, bottom - Gh(s.font), line.position + kBulletIndent, bottom};
        canvas_.DrawText(mark, r, DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP);
    }
    line.position += kBulletIndent;
    line.bullet = true;
}

const TNoticePicture* Formatter::FindPicture(const QString& source)
{
    if (!source.contains(u':'))
        return p_.PictureContainer ? p_.PictureContainer->Find(source) : nullptr;
    if (source.contains(QStringLiteral("://")) && p_.PictureCache)
        return p_.PictureCache->FindOrLoad(source);
    return nullptr;
}

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
        const int index = source.mid(4).toInt();
        if (p_.Images && index >= 0 && index < p_.Images->Count() && StartsWithDigit(source.mid(4))) {
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

    const int x = p_.HitX - rect.Left;
    if (x > line.extent && x < line.extent + width && p_.HitY > top && p_.HitY < top + height && s.insideAnchor) {
        line.overAnchorImage = true;
        r_.AnchorUnderPoint = s.href;
        imageUnderPoint_ = number;
    }
    if (firstPass && rect.Width() < line.extent + width && width < rect.Width()) {
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
    line.extent += width;
    line.position += width;
    line.height = std::max(line.height, height);
    if (!firstPass)
        return; // the second pass keeps the measured offset
    if (up.contains(QStringLiteral("\"TOP")))
        line.imageOffset = line.height - line.ghHeight;
    else if (up.contains(QStringLiteral("\"MIDDLE")))
        line.imageOffset = (line.height - line.ghHeight) / 2;
}

} // namespace

bool DrawMiniHTML(TCanvas& Canvas, const QString& Text, const TRect& LayoutRect, const TMiniHTMLParams& Params,
                  TMiniHTMLResults& Results)
{
    return Formatter(Canvas, LayoutRect, Params, Results).Run(Text);
}
