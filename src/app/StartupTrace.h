#pragma once

class QWidget;
class QWebEngineView;

// Start-up milestones for the start-up benchmark: with VELLOMAR_TRACE_STARTUP set, each mark
// prints "vellomar-trace MILESTONE EPOCH_MS" on standard error; otherwise nothing happens.
namespace StartupTrace {

void Mark(const char* milestone);

// Marks "main-shown" when the main window is first exposed and "page-loaded" when the pane's first
// page has loaded.
void Watch(QWidget* mainWindow, QWebEngineView* pane);

} // namespace StartupTrace
