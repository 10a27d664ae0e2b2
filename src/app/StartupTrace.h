#pragma once

class QWidget;

// Start-up milestones for the start-up benchmark: with VELLOMAR_TRACE_STARTUP set, a milestone
// prints "vellomar-trace MILESTONE EPOCH_MS" on standard error, once; otherwise nothing happens.
namespace StartupTrace {

void Mark(const char* milestone);

// Marks the milestone when the window is first exposed on the screen.
void MarkWhenShown(QWidget* window, const char* milestone);

} // namespace StartupTrace
