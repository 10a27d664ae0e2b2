#pragma once
#include <string>

// Encodes one query value byte by byte: ASCII letters and digits, space, "-", "." and "_" pass
// unchanged (the space stays a raw space); every other byte becomes "%" and two upper-case
// hexadecimal digits. No character-set conversion happens: the bytes are the ANSI text's bytes.
std::string EncodeURLParam(const std::string& Value);

// Every byte for which `passes` is false becomes "%" and two upper-case hexadecimal digits.
std::string PercentEncode(const std::string& bytes, bool (*passes)(unsigned char));
