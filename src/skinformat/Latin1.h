#pragma once
#include <string>
#include <string_view>

// Entry names are Latin-1 bytes in a package; file names and messages are UTF-8.
namespace skinformat {

std::string Latin1ToUtf8(std::string_view latin1);
// False when `utf8` is not valid UTF-8 or holds a character beyond U+00FF.
bool Utf8ToLatin1(std::string_view utf8, std::string* latin1);

// Only A to Z are lowered: the names' other bytes stay as they are.
std::string AsciiLower(std::string_view text);

} // namespace skinformat
