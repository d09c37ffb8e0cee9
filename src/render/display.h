// The OpenGL display of a match: opening it, its fixed state, each frame, and closing it.
#pragma once

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;

// The projection's frustum, in eye units: +-1 across at the near plane.
constexpr double FRUSTUM_HALF_SIZE = 1.0;
constexpr double FRUSTUM_NEAR = 1.0;
constexpr double FRUSTUM_FAR = 20.0;

// The sky and the fog share red, green and blue.
extern const float FOG_COLOUR[4];

// The menus' 16-bit mode, the window or the full screen of the presentation in use: 0 when it is
// set, -1 when it was refused (a refused full screen falls back to the window first).
int set_menu_mode();
// Alt+Enter: from the window to the full screen or back, remembered for the next match and the
// next start. 0, or DISPLAY_LOST when no menu mode could be had.
int switch_full_screen();
// 0 when the OpenGL display is open and set up, -1 when the mode was refused (after a message),
// DISPLAY_LOST when the menu mode could not be had back either.
int open_match_display();
void set_projection();
void clear_frame();
void show_frame();
// 0 when the menu display is back, -1 when the menu mode was refused once, DISPLAY_LOST when
// it was refused again.
int close_match_display();
