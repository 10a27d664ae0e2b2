#include "StoredSkin.h"

#include <QFile>

QByteArray StoredSkinPackage()
{
    QFile file(QStringLiteral(":/skin/vellomar.skin"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
