#include "SkinFolder.h"
#include "Files.h"

#include "skinformat/Latin1.h"
#include "skinformat/PackageFormat.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace {

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsSkinFile(const std::string& name)
{
    const std::string lower = skinformat::AsciiLower(name);
    return EndsWith(lower, ".ini") || EndsWith(lower, ".bmp");
}

// A to Z, and À to Þ but for ×: the Latin-1 letters that have a lower case.
bool HasUpperCase(std::string_view latin1)
{
    return std::any_of(latin1.begin(), latin1.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
    });
}

// The visible files of the folder that can be part of a skin, in name order.
bool ListSkinFiles(const std::filesystem::path& folder, std::vector<std::string>* names, std::string* error)
{
    std::error_code code;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
        std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.starts_with('.') || !IsSkinFile(name) || !it->is_regular_file(ignored))
            continue;
        names->push_back(std::move(name));
    }
    if (code) {
        *error = folder.string() + ": " + code.message();
        return false;
    }
    std::sort(names->begin(), names->end());
    return true;
}

} // namespace

bool ReadSkinFolder(const std::filesystem::path& folder, std::vector<FolderEntry>* entries, std::string* error)
{
    std::error_code code;
    if (!std::filesystem::is_directory(folder, code)) {
        *error = folder.string() + " is not a folder";
        return false;
    }
    std::vector<std::string> files;
    if (!ListSkinFiles(folder, &files, error))
        return false;
    if (std::none_of(files.begin(), files.end(), [](const std::string& f) { return EndsWith(f, ".ini"); })) {
        *error = folder.string() + " holds no description (*.ini)";
        return false;
    }
    if (files.size() > skinformat::kMaxEntries) {
        *error = folder.string() + " holds " + std::to_string(files.size()) + " files; a skin has at most "
            + std::to_string(skinformat::kMaxEntries);
        return false;
    }
    entries->clear();
    // What the container holds besides the entries' data: the header, and per entry its name
    // (no longer in Latin-1 than in UTF-8), line break and size.
    std::size_t room = skinformat::kMaxContainerSize - skinformat::kHeaderSize;
    for (const std::string& file : files)
        room -= file.size() + 6;
    for (const std::string& file : files) {
        FolderEntry entry;
        if (!skinformat::Utf8ToLatin1(file, &entry.name)) {
            *error = file + ": entry names must be Latin-1 (ISO 8859-1) text";
            return false;
        }
        if (HasUpperCase(entry.name)) {
            *error = file + ": entry names must be lower case";
            return false;
        }
        const std::filesystem::path path = folder / file;
        std::uintmax_t size = 0;
        if (!ReadFileUpTo(path, room, &entry.data, &size, error)) {
            *error = path.string() + ": " + *error;
            return false;
        }
        if (size > room) {
            *error = path.string() + " makes the skin larger than " + std::to_string(skinformat::kMaxContainerSize)
                + " bytes";
            return false;
        }
        if (EndsWith(file, ".bmp") && !entry.data.starts_with("BM")) {
            *error = path.string() + " is not a BMP file";
            return false;
        }
        room -= entry.data.size();
        entries->push_back(std::move(entry));
    }
    return true;
}
