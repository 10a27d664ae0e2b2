#pragma once
#include <QString>

// Brings forward the top-level window of another process whose title is `title`: shown again
// when minimised, raised and given the focus. Only on X11; elsewhere it finds nothing. True
// when a window was found.
bool RaisePriorWindow(const QString& title);
