#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct FolderEntry {
    std::string name; // Latin-1
    std::string data;
};

// The entries of a skin folder: its description (*.ini) and its BMP files, in name order. Fails
// with a message when the folder cannot be used as a skin.
bool ReadSkinFolder(const std::filesystem::path& folder, std::vector<FolderEntry>* entries, std::string* error);
