#pragma once
#include <QByteArray>
#include <QString>

// The program's 8-bit text is Windows-1252; these are the one place where it meets QString.
// Characters that Windows-1252 cannot hold become "?".
QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);
