#pragma once
#include <QIcon>

// The application icon in all its sizes; the windows and the tray use it.
QIcon AppIcon();
