#pragma once
#include "PropertyList.h"

// The text form of a property's value, by its kind: decimal integers, enumeration element
// names, sets as "[a,b]", floats in the locale's notation with the type's significant digits.
// Objects, and the kinds never persisted, have no text of their own (the empty text).
QString EncodeProperty(const TPropertyEntry& entry);

// Sets the property from its text form. Text that does not fit the kind gives 0 for integers
// and leaves other kinds unchanged; see the kinds' rules in the implementation.
void DecodeProperty(const TPropertyEntry& entry, const QString& text);

// Kinds whose text is written even when empty.
bool IsTextKind(PropertyKind kind);
