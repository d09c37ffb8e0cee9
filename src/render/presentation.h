// How the game's 640x480 picture is shown on today's desktops: the size of the one window that
// menus and matches share, and the place and size of the picture in it.
#pragma once

struct BITMAP;

// Room left on the desktop for a window manager's frame, title bar and panels.
constexpr int WINDOW_FRAME_ROOM_X = 32;
constexpr int WINDOW_FRAME_ROOM_Y = 64;

struct Presentation {
    int window_width;
    int window_height;
    // The picture in the window, origin at the top-left corner.
    int x;
    int y;
    int width;
    int height;
    bool full_screen;
    // A desktop no larger than the picture: the mode is asked for as it always was.
    bool plain;
};

// A rectangle in the window, origin at its bottom-left corner, as OpenGL counts.
struct WindowRect {
    int x;
    int y;
    int width;
    int height;
};

// Windowed: the largest whole multiple of 640x480 that fits the desktop with room for its frame
// (at least 640x480). Full screen: the desktop, with the picture centred in it, as large as fits.
Presentation choose_presentation(int desktop_width, int desktop_height, bool full_screen);

// The presentation in use, chosen at start-up and by Alt+Enter.
extern Presentation presentation;
// The desktop's size, read once at start-up before the first mode is set.
extern int desktop_width;
extern int desktop_height;

// A window position as a place on the 640x480 picture, and back: the pixel's top-left corner.
int picture_x(const Presentation &shown, int window_x);
int picture_y(const Presentation &shown, int window_y);
int window_x(const Presentation &shown, int picture_x);
int window_y(const Presentation &shown, int picture_y);

// A viewport given on the 640x480 picture (bottom-left origin), in the window's pixels.
WindowRect scaled_viewport(const Presentation &shown, WindowRect on_picture);

// True when the picture does not cover the whole window: the rest is black.
bool letterboxed(const Presentation &shown);

// Copies a 640x480 picture composed in memory to the screen at the window's magnification,
// pixel for pixel without smoothing.
void show_menu_picture(BITMAP *picture);
