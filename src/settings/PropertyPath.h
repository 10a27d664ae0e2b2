#pragma once
#include <QString>

// Removes leading and trailing characters with codes up to 32 (blanks and control characters).
QString TrimBlanks(const QString& text);

// Splits "component.property" at its first dot, both parts trimmed; false unless both parts
// are non-empty.
bool SplitPropertyPath(const QString& path, QString* component, QString* property);
