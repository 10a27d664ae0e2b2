#pragma once
#include <span>
#include <string>
#include <string_view>

namespace skinformat {

// An entry as it goes into a container: its name (Latin-1) and its bytes.
struct EntryView {
    std::string_view name;
    std::string_view data;
};

// The container: version, the CR LF name list, reserved bytes, sizes, data.
std::string BuildContainer(std::span<const EntryView> entries);
// The package: the container's length, then its LZHUF stream.
std::string PackContainer(std::string_view container);

} // namespace skinformat
