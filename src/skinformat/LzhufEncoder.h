#pragma once
#include <string>
#include <string_view>

namespace lzhuf {

// LZHUF compressor: the stream it writes decodes with Decode to the input, given the input's
// length.
std::string Encode(std::string_view input);

} // namespace lzhuf
