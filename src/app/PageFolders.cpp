#include "PageFolders.h"

#include "framework/Application.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VELLOMAR_PAGES_FROM_BINARY
#define VELLOMAR_PAGES_FROM_BINARY "../share/vellomar"
#endif

namespace {

bool HoldsPages(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("splash.htm")).isFile();
}

} // namespace

PageFolders PageFoldersFor(const QString& executableFolder)
{
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral(VELLOMAR_PAGES_FROM_BINARY)) + QLatin1Char('/');
    if (HoldsPages(executableFolder) || !HoldsPages(installed))
        return {executableFolder, executableFolder};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {installed, data + QStringLiteral("/vellomar/")};
}

PageFolders RunningPageFolders()
{
    static const PageFolders folders = PageFoldersFor(ExecutableFolder());
    return folders;
}
