#include "QuickIni.h"

namespace {

// Trims characters at or below the space, as the description's lines are trimmed.
QString TrimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

bool IsHeader(const QString& line)
{
    return line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

} // namespace

void TQuickIni::LoadFromStream(const QByteArray& text)
{
    lines_.clear();
    sectionLine_.clear();
    const QString all = QString::fromLatin1(text);
    qsizetype start = 0;
    const qsizetype n = all.size();
    for (qsizetype i = 0; i <= n; ++i) {
        const bool end = i == n;
        const QChar c = end ? QChar() : all[i];
        if (!end && c != QLatin1Char('\r') && c != QLatin1Char('\n') && c != QChar(0))
            continue;
        const QString line = TrimControls(all.mid(start, i - start));
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(';'))) {
            if (IsHeader(line) && !sectionLine_.contains(line.toLower()))
                sectionLine_.insert(line.toLower(), int(lines_.size()));
            lines_.append(line);
        }
        if (c == QLatin1Char('\r') && i + 1 < n && all[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
}

QStringList TQuickIni::ReadSections() const
{
    QStringList sections;
    for (const QString& line : lines_)
        if (IsHeader(line))
            sections.append(TrimControls(line.mid(1, line.size() - 2)));
    return sections;
}

QString TQuickIni::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const auto header = sectionLine_.constFind(QLatin1Char('[') + section.toLower() + QLatin1Char(']'));
    if (header == sectionLine_.constEnd())
        return defaultValue;
    const QString wanted = key.toLower();
    for (qsizetype i = *header + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i) {
        const QString& line = lines_[i];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || TrimControls(line.left(eq)).toLower() != wanted)
            continue;
        const QString value = TrimControls(line.mid(eq + 1));
        return value.isEmpty() ? defaultValue : value;
    }
    return defaultValue;
}

int ParseSkinInteger(const QString& text, bool* ok)
{
    bool valid = false;
    qint64 value = 0;
    if (text.size() > 2 && (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))) {
        const QString digits = text.mid(2);
        value = digits.size() <= 8 ? qint64(digits.toUInt(&valid, 16)) : 0;
        valid = valid && digits.size() <= 8;
    } else if (text.startsWith(QLatin1Char('$'))) {
        const QString digits = text.mid(1);
        value = digits.size() <= 8 ? qint64(digits.toUInt(&valid, 16)) : 0;
        valid = valid && digits.size() <= 8;
    } else {
        value = text.toInt(&valid, 10);
    }
    *ok = valid;
    // Hexadecimal values fill all 32 bits, so "$FFFFFFFF" is -1.
    return valid ? int(quint32(value)) : 0;
}

int TQuickIni::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    if (text.isEmpty())
        return defaultValue;
    bool ok = false;
    const int value = ParseSkinInteger(text, &ok);
    return ok ? value : defaultValue;
}

TColor ParseColourTriple(const QString& text, TColor defaultValue)
{
    if (text.isEmpty())
        return defaultValue;
    int components[3] = {0, 0, 0};
    int stored = 0;
    int run = 0;         // the run's value, low 8 bits
    bool inRun = false;
    // Anything but a digit separates, so surrounding blanks need no trimming.
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            run = (run * 10 + (c.unicode() - '0')) & 0xFF;
            inRun = true;
            continue;
        }
        if (inRun && stored < 3)
            components[stored++] = run;
        run = 0;
        inRun = false;
    }
    if (inRun && stored == 2)
        components[stored++] = run;
    return RGB(components[0], components[1], components[2]);
}
