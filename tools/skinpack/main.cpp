// Builds a skin package from a skin folder, or takes one apart for skin authors.
//   skinpack pack DIR PACKAGE
//   skinpack unpack PACKAGE DIR
// On the package format library and the C++ runtime alone, so it starts as fast as a process can.
#include "Files.h"
#include "SkinFolder.h"

#include "skinformat/Latin1.h"
#include "skinformat/PackageFormat.h"
#include "skinformat/PackageMessages.h"
#include "skinformat/SkinContainer.h"
#include "skinformat/SkinContainerWriter.h"

#include <cstdio>
#include <cstring>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The message on one line of standard error: the reader's messages may hold line breaks, and
// names quoted in them any control character.
int Fail(std::string_view message)
{
    std::string line;
    for (const char c : message) {
        if (c == '\r') {
            line += ' ';
        } else if ((c >= 0 && c < ' ') || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
            line += escaped;
        } else {
            line += c;
        }
    }
    std::fprintf(stderr, "skinpack: %s\n", line.c_str());
    return 1;
}

// An entry name that stays a file inside the folder.
bool IsPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".."
        && name.find_first_of(std::string_view("/\\\0", 3)) == name.npos;
}

int Pack(const fs::path& folder, const fs::path& packagePath)
{
    std::vector<FolderEntry> entries;
    std::string error;
    if (!ReadSkinFolder(folder, &entries, &error))
        return Fail(error);
    std::vector<skinformat::EntryView> views;
    views.reserve(entries.size());
    for (const FolderEntry& entry : entries)
        views.push_back({entry.name, entry.data});
    const std::string package = skinformat::PackContainer(skinformat::BuildContainer(views));
    // A larger package would be refused by every reader.
    if (package.size() > skinformat::kMaxPackageSize)
        return Fail("cannot pack " + folder.string() + ": the package would be " + std::to_string(package.size())
                    + " bytes, at most " + std::to_string(skinformat::kMaxPackageSize) + " are allowed");
    if (!ReplaceFile(packagePath, package, &error))
        return Fail("cannot write " + packagePath.string() + ": " + error);
    return 0;
}

int Unpack(const fs::path& packagePath, const fs::path& folder)
{
    std::string package;
    std::uintmax_t size = 0;
    std::string error;
    if (!ReadFileUpTo(packagePath, skinformat::kMaxPackageSize, &package, &size, &error))
        return Fail("cannot read " + packagePath.string() + ": " + error);
    if (size > skinformat::kMaxPackageSize)
        return Fail(skinformat::TooLargeMessage(size));
    skinformat::SkinContainer container;
    if (!container.Read(package))
        return Fail(container.Problem().message);
    std::error_code code;
    fs::create_directories(folder, code);
    if (code || !fs::is_directory(folder, code))
        return Fail("cannot create " + folder.string());
    for (std::size_t i = 0; i < container.Count(); ++i) {
        const std::string& name = container.Name(i);
        // Later duplicates are unreachable by name; names that leave the folder are refused.
        if (container.Find(name) < i)
            continue;
        const std::string fileName = skinformat::Latin1ToUtf8(name);
        if (!IsPlainFileName(name))
            return Fail("entry name \"" + fileName + "\" cannot be a file name");
        const fs::path path = folder / fileName;
        if (!WriteFile(path, container.Data(i), &error))
            return Fail("cannot write " + path.string() + ": " + error);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "unpack") == 0)
        return Unpack(argv[2], argv[3]);
    std::fprintf(stderr, "usage: skinpack pack DIR PACKAGE\n       skinpack unpack PACKAGE DIR\n");
    return 2;
}
