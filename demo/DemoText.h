#pragma once
#include <string>

// Text as the demo service receives and sends it.

// A query or form value as UTF-8. Browsers send UTF-8; the desktop client sends Windows-1252
// bytes, recognised by not being valid UTF-8.
std::string ReceivedText(const std::string& bytes);
// Safe inside HTML text and attribute values.
std::string Html(const std::string& text);
// A JSON string literal, safe inside a <script> element too.
std::string Json(const std::string& text);
// A query value encoded for an address or a form.
std::string UrlValue(const std::string& text);
