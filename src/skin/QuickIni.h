#pragma once
#include "framework/Color.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Reader of the skin description: sections in brackets, "key=value" entries, ";" comments.
class TQuickIni {
public:
    // Reads the description (8-bit text) and indexes its section headers.
    void LoadFromStream(const QByteArray& text);

    // Section names in file order, duplicates included, trimmed.
    QStringList ReadSections() const;
    // The value of the first entry of the section whose key matches; the default when the
    // section or key is missing or the value is empty.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // The value as decimal, "0x…" or "$…" hexadecimal; the default when it is not a number.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;

private:
    QStringList lines_;
    QHash<QString, int> sectionLine_; // lower-cased header line → its first line number
};

// Three decimal numbers separated by anything else, as an RGB colour; the default when empty.
TColor ParseColourTriple(const QString& text, TColor defaultValue);

// A description value as an integer; *ok tells whether it was one.
int ParseSkinInteger(const QString& text, bool* ok);
