#pragma once

class TCommandBar;
class TCommandItem;

// Makes command bars readable and usable by assistive clients: the bar holds its visible panels
// as groupings named by their captions, and the active panel holds its visible items as buttons
// named by their captions, whose press runs the item's click event as a click does. Call once
// at start-up, before the first bar is shown.
void InstallCommandBarAccessibility();

// Tells assistive clients that `item` of `bar` has the keyboard focus.
void AnnounceCommandItemFocus(TCommandBar* bar, TCommandItem* item);
