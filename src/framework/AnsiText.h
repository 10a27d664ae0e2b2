#pragma once
#include <QString>

#include <string>

// The client's 8-bit strings are Windows-1252 bytes. These two calls are the one place where
// they meet Qt's wide strings; a character that Windows-1252 cannot hold becomes "?".
std::string ToAnsi(const QString& text);
QString FromAnsi(const std::string& bytes);
