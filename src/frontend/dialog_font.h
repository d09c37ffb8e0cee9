// Allegro's boxes (alerts and the file selector) draw straight onto the screen, sized by the
// font they are drawn in: with the font magnified as the menus are, they show at the same
// magnification.
#pragma once

// Swaps in a magnified copy of the font for the window in use; a window showing the picture at
// its own size keeps the font as it is.
void begin_magnified_dialog();
// Gives the menus their own font back.
void end_magnified_dialog();
