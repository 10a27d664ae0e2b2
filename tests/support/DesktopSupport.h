#pragma once
#include "ChildProcess.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// Helpers of the whole-program tests, which run on a real X display (scripts/with-xvfb).

// Runs a tool of the desktop (xprop, import, xdotool) and returns what it printed, trimmed.
QString ToolOutput(const QString& program, const QStringList& arguments);

// Runs xdotool and returns what it printed, trimmed (window ids one a line).
QString Xdotool(const QStringList& arguments);

// The ids of the windows shown with the title `title`, whole.
QStringList VisibleWindowsNamed(const QString& title);

// Whether a window with the title `title`, whole, is shown.
bool WindowShown(const QString& title);

// The ids of the client's windows on the screen.
QStringList VisibleClientWindows();

// The client's window that is on the screen now and was not among `before`, once there is one
// (within 15 s); an empty string when none came.
QString NewClientWindow(const QStringList& before);

// Where the window with the id `window` is on the screen; an empty rectangle when it is not.
QRect WindowGeometry(const QString& window);

// The centre of the client's icon (its small window docked in the tray), or a null point while
// the tray shows none.
QPoint ClientTrayIconCentre();

// Waits as long as a user would before the next click after the client's last window went:
// the toolkit deactivates the program 400 ms after that window lost the focus (later under a
// sanitizer) and closes any menu opened in between.
void LetTheFocusGo();

// Starts a system tray (trayer, 64 x 32 at the bottom right of the screen) for the client's icon.
bool StartTrayHost(ChildProcess& trayHost);

// Checks `condition` every 100 ms, events flowing meanwhile, until it holds or `ms` have gone by.
bool WaitFor(const std::function<bool()>& condition, int ms = 15000);

// The first of `tools` that is not installed, or an empty string.
QString MissingTool(const QStringList& tools);

// Why a whole-program test needing `tools` cannot run here, or an empty string.
QString WhyNoDesktop(const QStringList& tools);
