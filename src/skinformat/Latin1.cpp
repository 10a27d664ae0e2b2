#include "Latin1.h"

namespace skinformat {

std::string Latin1ToUtf8(std::string_view latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(char(0xC0 | (byte >> 6)));
            utf8.push_back(char(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

bool Utf8ToLatin1(std::string_view utf8, std::string* latin1)
{
    latin1->clear();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            latin1->push_back(char(lead));
            continue;
        }
        // U+0080 to U+00FF take two bytes, the first C2 or C3; anything else is out of reach.
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 == utf8.size())
            return false;
        const auto next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80)
            return false;
        latin1->push_back(char(((lead & 0x1F) << 6) | (next & 0x3F)));
    }
    return true;
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return lower;
}

} // namespace skinformat
