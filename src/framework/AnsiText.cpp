#include "AnsiText.h"

#include <algorithm>
#include <array>

namespace {

// The characters Windows-1252 puts at 0x80-0x9F.
constexpr std::array<char32_t, 27> kUpperControlsReplaced = {
    0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
    0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178,
};

bool InWindows1252(char32_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF)
           || std::find(kUpperControlsReplaced.begin(), kUpperControlsReplaced.end(), c) != kUpperControlsReplaced.end();
}

} // namespace

QString ToAnsiText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // a character beyond 16 bits: never in the code page
            out += u'?';
        } else {
            out += InWindows1252(c.unicode()) ? c : QChar(u'?');
        }
    }
    return out;
}
