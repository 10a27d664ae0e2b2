#pragma once
#include <QIcon>
#include <QStringList>

// The application icon in all its sizes; the windows and the tray use it.
QIcon AppIcon();

// The icon's picture files, one per size.
QStringList AppIconFiles();
