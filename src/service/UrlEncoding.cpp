#include "UrlEncoding.h"

namespace {

bool PassesUnchanged(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == ' '
        || b == '-' || b == '.' || b == '_';
}

} // namespace

std::string EncodeURLParam(const std::string& Value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Value.size() * 3);
    for (const char c : Value) {
        const auto b = static_cast<unsigned char>(c);
        if (PassesUnchanged(b)) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        }
    }
    return out;
}
