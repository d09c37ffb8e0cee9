// Putting a finished file in place of another in one step, so that the old one stays whole until
// the new one is complete. Platform-specific, like regular_file beside it.
#pragma once

// Moves the file `from` onto `to`, replacing a file of that name. Both names are in Allegro's
// current text encoding, as pack_fopen takes them. Returns false when nothing was moved.
bool replace_file(const char *from, const char *to);
