#pragma once
#include <cstddef>
#include <cstdint>

// A skin package: the container's length L (4 bytes, little-endian), then an LZHUF stream that
// decodes to the L bytes of the container: version (4 bytes), the name list's size N (4),
// 8 reserved bytes, N bytes of names (Latin-1, each ended by CR LF), a 4-byte size per name,
// then the entries' data in the same order. Numbers are little-endian.
namespace skinformat {

constexpr std::uint32_t kVersion = 20000;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMaxEntries = 1001;
// The largest package and the largest container we accept, whatever a package declares.
constexpr std::size_t kMaxPackageSize = std::size_t{16} * 1024 * 1024;
constexpr std::size_t kMaxContainerSize = std::size_t{64} * 1024 * 1024;

} // namespace skinformat
