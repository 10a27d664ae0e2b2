#include "AppIcon.h"
#include "PicturesAhead.h"

#include <QDirIterator>
#include <QPixmap>

QIcon AppIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        for (const QString& file : AppIconFiles())
            result.addPixmap(QPixmap::fromImage(PicturesAhead::Take(file)));
        return result;
    }();
    return icon;
}

QStringList AppIconFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(":/images/icon"));
    while (it.hasNext())
        files.append(it.next());
    return files;
}
