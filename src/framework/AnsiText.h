#pragma once
#include <QString>

// Text as the program's 8-bit strings hold it: the Windows-1252 code page. Characters outside it
// become "?" (one per character, a surrogate pair included), as the desktop's conversion does.
QString ToAnsiText(const QString& text);
