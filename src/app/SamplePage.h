#pragma once
#include <QString>

#include <string>

// The sample page that embeds the room's chat script: six lines, each ending in CR LF, as
// Windows-1252 bytes without a byte-order mark. The room name goes in unencoded.
std::string SamplePageText(const std::string& serviceHost, const std::string& room);

// Writes the page to `path`, replacing an older file. A file that cannot be written raises
// an Exception "Impossible de créer le fichier <path>" and leaves any older file as it was.
void WriteSamplePage(const QString& path, const std::string& bytes);
