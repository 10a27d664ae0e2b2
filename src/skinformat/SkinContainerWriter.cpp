#include "SkinContainerWriter.h"
#include "LzhufEncoder.h"
#include "PackageFormat.h"

#include <cstdint>

namespace {

using namespace skinformat;

void AppendU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char((value >> shift) & 0xFF));
}

} // namespace

namespace skinformat {

std::string BuildContainer(std::span<const EntryView> entries)
{
    std::string names;
    std::size_t dataSize = 0;
    for (const EntryView& entry : entries) {
        names.append(entry.name).append("\r\n");
        dataSize += entry.data.size();
    }
    std::string out;
    out.reserve(kHeaderSize + names.size() + 4 * entries.size() + dataSize);
    AppendU32(out, kVersion);
    AppendU32(out, std::uint32_t(names.size()));
    out.append(8, '\0');
    out += names;
    for (const EntryView& entry : entries)
        AppendU32(out, std::uint32_t(entry.data.size()));
    for (const EntryView& entry : entries)
        out += entry.data;
    return out;
}

std::string PackContainer(std::string_view container)
{
    std::string package;
    AppendU32(package, std::uint32_t(container.size()));
    return package + lzhuf::Encode(container);
}

} // namespace skinformat
