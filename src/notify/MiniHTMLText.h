#pragma once
#include <QString>

// Text preparation of the mini-HTML formatter.

// Entities to "&&" and Windows-1252 characters, "<#n>" to "#n" (first one), line feeds removed,
// carriage returns to "<BR>".
QString PrepareMiniHTML(const QString& text);
// Within one text piece: "&nbsp;" to a space, "&lt;" to "<", "&gt;" to ">".
QString ReplacePieceEntities(QString piece);
// Upper-cases ASCII letters only, so indexes into the upper-cased copy hold in the original.
QString AsciiUpper(const QString& text);
