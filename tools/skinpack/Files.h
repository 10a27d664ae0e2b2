#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The file work of the packer, on POSIX calls: errors come back as text for its one-line message.

// The file's bytes when it holds at most `limit` of them, else none; `size` is its size either
// way.
bool ReadFileUpTo(const std::filesystem::path& path, std::size_t limit, std::string* data, std::uintmax_t* size,
                  std::string* error);

// Replaces the file whole or not at all: the bytes go to a temporary file beside it, which takes
// its place once they are on the disk. A failure leaves no temporary file behind.
bool ReplaceFile(const std::filesystem::path& path, std::string_view data, std::string* error);

// Writes the file as archivers write what they extract: a failed write takes the file away, but
// nothing waits for the disk (waiting for each of a skin's dozens of entries would be most of an
// unpack's time).
bool WriteFile(const std::filesystem::path& path, std::string_view data, std::string* error);
