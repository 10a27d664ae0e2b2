#pragma once
#include <QByteArray>
#include <QString>
#include <QVariant>

class QObject;

// Published properties of a control read by name, for controls of any class. Names are matched
// without regard to case ("Caption", "checked"); a property the control does not have reads as
// an invalid value, 0 or empty.

QVariant ReadProperty(const QObject* control, const char* name);
// Integers, booleans (1 for true) and enumerations (their value); 0 when missing.
int ReadOrdinalProperty(const QObject* control, const char* name);
// Text; an enumeration reads as its identifier ("blGlyphTop"), a boolean as "true" or "false".
QString ReadStringProperty(const QObject* control, const char* name);
// Sets a property the control publishes; false when it has none of that name.
bool WriteProperty(QObject* control, const char* name, const QVariant& value);
