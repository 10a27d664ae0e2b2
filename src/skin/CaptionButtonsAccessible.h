#pragma once
#include "WinSkinForm.h"

// Makes the caption buttons a skinned frame draws readable and usable by assistive clients: a
// form whose frame the skin draws lists them after its own children, as buttons named "Close",
// "Minimize", "Maximize" or "Restore" as the window's state says, whose press does what a click
// on them does. Call once at start-up, before the first form is made: a form asked for its
// interface earlier keeps a plain one. The skin manager installs it too, when it is made.
void InstallCaptionButtonAccessibility();

// Tells assistive clients which caption buttons of the window took a new name when its state went
// from `before` to `after`: "Maximize" or "Minimize" became "Restore", or back.
void AnnounceCaptionButtonNames(QWidget* window, TShowState before, TShowState after);
