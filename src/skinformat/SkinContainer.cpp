#include "SkinContainer.h"
#include "Latin1.h"
#include "LzhufDecoder.h"
#include "PackageFormat.h"
#include "PackageMessages.h"

#include <cstdint>
#include <new>

namespace {

using namespace skinformat;

std::uint32_t ReadU32(const char* at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

// Each input bit yields at most 6 output bytes (a 60-byte match costs at least 10 bits), so a
// declared length above this cannot be honest; the slack covers the zero bits past the end.
std::size_t MostDecodableFrom(std::size_t compressedSize)
{
    return 48 * compressedSize + 64;
}

// Names split at CR LF, CR or LF; a final line break adds no empty name.
std::vector<std::string> SplitNames(std::string_view list)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    const std::size_t n = list.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = list[i];
        if (c != '\r' && c != '\n')
            continue;
        names.push_back(AsciiLower(list.substr(start, i - start)));
        if (c == '\r' && i + 1 < n && list[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        names.push_back(AsciiLower(list.substr(start)));
    return names;
}

} // namespace

namespace skinformat {

void SkinContainer::Clear()
{
    names_.clear();
    offsets_.clear();
    data_.reset();
    size_ = 0;
}

bool SkinContainer::Fail(std::string message)
{
    Clear();
    problem_ = {false, std::move(message)};
    return false;
}

bool SkinContainer::Decompress(std::string_view package)
{
    if (package.size() < 4)
        return Fail(DamagedMessage("it is too short."));
    if (package.size() > kMaxPackageSize)
        return Fail(TooLargeMessage(package.size()));
    const std::uint32_t declared = ReadU32(package.data());
    const std::string_view stream = package.substr(4);
    if (declared > kMaxContainerSize || declared > MostDecodableFrom(stream.size()))
        return Fail(DamagedMessage("it declares " + std::to_string(declared) + " bytes of content."));
    // Left uninitialised: the decoder writes every byte.
    try {
        data_ = std::make_unique_for_overwrite<char[]>(declared);
    } catch (const std::bad_alloc&) {
        return Fail(std::string(kNoMemoryMessage));
    }
    size_ = declared;
    lzhuf::Decode(stream, {data_.get(), size_});
    if (size_ < kHeaderSize)
        return Fail(DamagedMessage("its content is too short."));
    return true;
}

bool SkinContainer::ReadDirectory()
{
    const char* data = data_.get();
    if (ReadU32(data) != kVersion) {
        Clear();
        problem_ = {true, std::string(kOlderVersionMessage)};
        return false;
    }
    const std::uint32_t listSize = ReadU32(data + 4);
    if (listSize > size_ - kHeaderSize)
        return Fail(DamagedMessage("its name list overruns it."));
    std::vector<std::string> names = SplitNames({data + kHeaderSize, listSize});
    if (names.size() > kMaxEntries)
        return Fail(DamagedMessage("it lists " + std::to_string(names.size()) + " entries, at most "
                                   + std::to_string(kMaxEntries) + " are allowed."));

    const std::size_t sizesAt = kHeaderSize + listSize;
    const std::size_t dataAt = sizesAt + 4 * names.size();
    if (dataAt > size_)
        return Fail(DamagedMessage("its size table overruns it."));
    std::vector<std::size_t> offsets{dataAt};
    offsets.reserve(names.size() + 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t next = offsets.back() + ReadU32(data + sizesAt + 4 * i);
        if (next > size_)
            return Fail(DamagedMessage("entry \"" + Latin1ToUtf8(names[i]) + "\" overruns its data."));
        offsets.push_back(next);
    }
    names_ = std::move(names);
    offsets_ = std::move(offsets);
    return true;
}

bool SkinContainer::Read(std::string_view package)
{
    Clear();
    problem_ = {};
    return Decompress(package) && ReadDirectory();
}

std::size_t SkinContainer::Find(std::string_view name) const
{
    const std::string lower = AsciiLower(name);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == lower)
            return i;
    return npos;
}

std::size_t SkinContainer::FindContaining(std::string_view text) const
{
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i].find(text) != std::string::npos)
            return i;
    return npos;
}

} // namespace skinformat
