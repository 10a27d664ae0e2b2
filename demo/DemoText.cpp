#include "DemoText.h"

#include "framework/AnsiText.h"
#include "service/UrlEncoding.h"

#include <QStringDecoder>

#include <cctype>

std::string ReceivedText(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError())
        return bytes;
    return FromAnsi(bytes).toStdString();
}

std::string Html(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

std::string Json(const std::string& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (b < 0x20 || c == '<' || c == '>' || c == '&') {
            out += "\\u00";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 15]);
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

std::string UrlValue(const std::string& text)
{
    return PercentEncode(text, [](unsigned char b) { return std::isalnum(b) || b == '-' || b == '.' || b == '_' || b == '~'; });
}
