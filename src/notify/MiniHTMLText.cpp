#include "MiniHTMLText.h"

#include "ColorNames.h"

#include <algorithm>
#include <array>
#include <utility>

QString PrepareMiniHTML(const QString& source)
{
    QString text = source;
    if (text.contains(u'&')) {
        // Windows-1252 characters, as Unicode: § ‰ ® © ¶ ™ €.
        static const std::array<std::pair<QString, QString>, 9> entities = {{
            {QStringLiteral("&amp;"), QStringLiteral("&&")},
            {QStringLiteral("&quot;"), QStringLiteral("\"")},
            {QStringLiteral("&sect;"), QString(QChar(0x00A7))},
            {QStringLiteral("&permil;"), QString(QChar(0x2030))},
            {QStringLiteral("&reg;"), QString(QChar(0x00AE))},
            {QStringLiteral("&copy;"), QString(QChar(0x00A9))},
            {QStringLiteral("&para;"), QString(QChar(0x00B6))},
            {QStringLiteral("&trade;"), QString(QChar(0x2122))},
            {QStringLiteral("&euro;"), QString(QChar(0x20AC))},
        }};
        // Passes until nothing changes: a replacement can form a new entity ("&amp;amp;").
        // Each pass replaces every occurrence, so a text full of entities stays linear; nesting
        // deeper than the pass limit is left as it is rather than taking quadratic time.
        constexpr int kMaxPasses = 16;
        bool replaced = true;
        for (int pass = 0; replaced && pass < kMaxPasses; ++pass) {
            replaced = false;
            for (const auto& [entity, character] : entities) {
                if (text.contains(entity)) {
                    text.replace(entity, character);
                    replaced = true;
                }
            }
        }
    }
    const qsizetype hash = text.indexOf(QStringLiteral("<#"));
    if (hash >= 0) {
        text.remove(hash, 1);
        const qsizetype close = text.indexOf(u'>', hash);
        if (close >= 0)
            text.remove(close, 1);
    }
    text.remove(u'\n');
    text.replace(u'\r', QStringLiteral("<BR>"));
    return text;
}

QString ReplacePieceEntities(QString piece)
{
    if (!piece.contains(u'&'))
        return piece;
    piece.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    piece.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    piece.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return piece;
}

QString AsciiUpper(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

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
