#pragma once
#include "DataFiler.h"
#include "PropertyList.h"

// Writes one property through the filer: its text form under ValueName(name); a string list as
// a section of its own ("Count", "Item0", ...); an object's own properties through a child filer
// whose prefix runs on without a dot ("username.FontName"). Components referred to by a property
// are never descended into. Errors reach the caller.
void SaveProperty(const TPropertyEntry& entry, TDataFiler& filer);

// Reads one property back; a value never stored leaves the property as it is, and any error
// leaves this property unchanged.
void RestoreProperty(const TPropertyEntry& entry, TDataFiler& filer);
