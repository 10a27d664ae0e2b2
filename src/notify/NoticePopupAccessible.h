#pragma once

class TNoticePopupWindow;

// Makes the notice readable by assistive clients: the popup window is an alert whose name is
// the notice as plain text, and each anchor in it a link that follows like a click. Call once
// at start-up.
void InstallNoticePopupAccessibility();

// Raises the alert that makes a screen reader speak the notice now shown in `window`.
void AnnounceNotice(TNoticePopupWindow* window);
