// The window's close button leaves the game as Exit does.
#pragma once

// Allegro calls back on a thread of its own when the window is asked to close: the call only
// notes the request and ends a match in progress; the next menu frame then leaves through Exit.
void install_close_button();
bool close_requested();
