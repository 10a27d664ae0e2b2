#pragma once
#include "framework/Color.h"

#include <QString>

// Text preparation of the mini-HTML formatter.

// Entities to "&&" and Windows-1252 characters, "<#n>" to "#n" (first one), line feeds removed,
// carriage returns to "<BR>".
QString PrepareMiniHTML(const QString& text);
// Within one text piece: "&nbsp;" to a space, "&lt;" to "<", "&gt;" to ">".
QString ReplacePieceEntities(QString piece);
// Upper-cases ASCII letters only, so indexes into the upper-cased copy hold in the original.
QString AsciiUpper(const QString& text);

// Tag attributes. A value is the text between the first pair of double quotes after the
// attribute's name, found in the upper-cased tag; the value keeps the tag's own case.
QString AttributeValue(const QString& tag, const QString& upperTag, const QString& name);
// The digits at the start of `text` as a number; 0 without any.
int LeadingNumber(const QString& text);
bool StartsWithDigit(const QString& text);
// "#RRGGBB" as a hex colour, anything else as a colour name.
TColor ParseColorValue(const QString& value);
