// Messages a player must see when the game cannot go on.
#pragma once

// Prints `message` and a line end to standard output. A Windows GUI program has no standard
// output, so there it also goes to a message box.
void tell_player(const char *message);
