// The formatter's tags: what each opening and closing tag does to the formatting state.
#include "MiniHTMLFormatter.h"

#include "ColorNames.h"
#include "Gradient.h"
#include "MiniHTMLText.h"
#include "NoticePictures.h"

#include <QFontMetrics>

namespace minihtml {

namespace {

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

} // namespace

void Formatter::OpenTag(TPassMode mode, bool firstPass, const QString& tag, const QString& up, FormatState& s,
                        LineState& line, const TRect& rect)
{
    const bool drawing = mode == TPassMode::Draw;
    const QChar second = up.size() > 2 ? up[2] : QChar();
    switch (up[1].unicode()) {
    case 'A':
        OpenAnchor(mode, tag, s, line);
        if (!firstPass)
            r_.Anchors.append({s.href, {}, {}});
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
                line.extent = std::min(value, kMaxExtent);
                line.position = Advanced(layout_.Left, value);
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
    if (const TNoticePicture* picture = background.isEmpty() ? nullptr : FindPicture(background))
        picture->Tile(canvas_, layout_);
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
    line.extent = Advanced(line.extent, qint64(s.listLevel) * kBulletIndent);
    if (line.bullet) {
        line.stopped = true;
        return;
    }
    line.position = Advanced(line.position, (qint64(s.listLevel) - 1) * kBulletIndent);
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
    line.position = Advanced(line.position, kBulletIndent);
    line.bullet = true;
}

} // namespace minihtml
