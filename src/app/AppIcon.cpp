#include "AppIcon.h"

#include <QDirIterator>

QIcon AppIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        QDirIterator it(QStringLiteral(":/images/icon"));
        while (it.hasNext())
            result.addFile(it.next());
        return result;
    }();
    return icon;
}
