#include "PropertyPath.h"

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

bool SplitPropertyPath(const QString& path, QString* component, QString* property)
{
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    *component = TrimBlanks(path.left(dot));
    *property = TrimBlanks(path.mid(dot + 1));
    return !component->isEmpty() && !property->isEmpty();
}
