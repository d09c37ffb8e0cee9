// Messages a player must see when the game cannot go on.
#pragma once

// Prints `message` and a line end to standard output. A Windows GUI program has no standard
// output, so there it also goes to a message box.
void tell_player(const char *message);

// The width of a message box's line, in letters. The X11 box (xmessage) is at most 70 percent
// of the screen wide and cuts what does not fit: on a 640 pixels wide screen a little over 50
// letters of its font. Windows' box wraps on its own.
constexpr int MESSAGE_LINE_LENGTH = 40;

// `message` with every line longer than MESSAGE_LINE_LENGTH broken at its last space (dropped)
// or slash (kept) that fits, or cut at that length when it has neither, into `out`.
void fit_message_lines(const char *message, char *out, int size);
