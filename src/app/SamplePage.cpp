#include "SamplePage.h"

#include "framework/Exception.h"
#include "service/ServiceAddresses.h"

#include <QDir>
#include <QSaveFile>

std::string SamplePageText(const std::string& serviceHost, const std::string& room)
{
    const std::string lines[] = {
        "<html>",
        "<html><title>Vellomar sample script</title>",
        "<body>",
        "<script language=\"JavaScript\" src=\"" + ServiceAddress::RoomScript(serviceHost, room) + "\"></script>",
        "</body>",
        "</html>",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void WriteSamplePage(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.commit();
    if (!written)
        throw Exception(QStringLiteral("Impossible de créer le fichier %1").arg(QDir::toNativeSeparators(path)));
}
