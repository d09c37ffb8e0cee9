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

// The menus' 640x480, 16-bit mode: 0 when it is set, -1 when it was refused.
int set_menu_mode();
// 0 when the OpenGL display is open and set up, -1 when the mode was refused (after a message),
// DISPLAY_LOST when the menu mode could not be had back either.
int open_match_display();
void set_projection();
void clear_frame();
void show_frame();
// 0 when the menu display is back, -1 when the menu mode was refused once, DISPLAY_LOST when
// it was refused again.
int close_match_display();
