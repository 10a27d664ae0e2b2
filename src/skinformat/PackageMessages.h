#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What a reader of skin packages says when it refuses one (UTF-8).
namespace skinformat {

inline constexpr std::string_view kOlderVersionMessage = "This is Older Skin File\rPlease update to new version !";
inline constexpr std::string_view kNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";

// "The skin package is damaged: " and why.
std::string DamagedMessage(std::string_view why);
std::string TooLargeMessage(std::uintmax_t size);

} // namespace skinformat
