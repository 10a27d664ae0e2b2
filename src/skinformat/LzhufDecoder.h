#pragma once
#include <span>
#include <string_view>

namespace lzhuf {

// Decodes exactly output.size() bytes of `stream` into `output` (bits most significant first;
// reading past the stream's end gives zero bits). Never reads or writes outside either buffer.
void Decode(std::string_view stream, std::span<char> output);

} // namespace lzhuf
