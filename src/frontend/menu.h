// The pieces every menu screen is built from: the off-screen frame, image buttons and the pointer.
#pragma once

struct BITMAP;

// Objects of "menus.dat". A button is two neighbours: its normal image, then its highlight.
enum MenuObject {
    MENU_BACKGROUND = 0,
    MENU_OK = 1,
    MENU_CONTROLS = 3,
    MENU_POINTER = 5,
    MENU_DOWN = 8,
    MENU_EXIT = 10,
    MENU_LOAD = 12,
    MENU_OPTIONS = 14,
    MENU_ONE_PLAYER = 16,
    MENU_TWO_PLAYERS = 18,
    MENU_THREE_PLAYERS = 20,
    MENU_FOUR_PLAYERS = 22,
    MENU_SAVE = 24,
    MENU_START = 26,
    MENU_TITLE = 28,
    MENU_UP = 29,
};
// Objects 6 and 7 are never drawn, but the datafile holds them.
constexpr int MENU_OBJECT_COUNT = 31;

constexpr int MENU_WIDTH = 640;
constexpr int MENU_HEIGHT = 480;
constexpr int MENU_TITLE_X = 212;
constexpr int MENU_TITLE_Y = 10;

// Every menu screen composes its frames here; made once, on entry to the main menu.
extern BITMAP *menu_buffer;

// Image `index` of the menu datafile.
BITMAP *menu_image(int index);

// True when the pointer at (mx, my) is strictly inside the box whose top-left is (x, y):
// the box's first column and row are outside it, its last column and row inside.
bool pointer_over(int x, int y, int w, int h, int mx, int my);

// Wait, giving the processor away, until the left button is no longer held on its own, or
// until key `scancode` is no longer held.
void wait_for_left_release();
void wait_for_key_release(int scancode);

// Draws button `index` with its top-left at (x, y), highlighted under the pointer.
// 1 when it was clicked (left button alone), after the button has been released; else 0.
int menu_button(int index, int x, int y);
// The same button placed by the centre of its normal image.
int menu_button_centred(int index, int cx, int cy);

void draw_menu_pointer();

// The frame of every menu screen: background first, pointer and the copy to the screen last,
// then a short rest.
void start_menu_frame();
void draw_menu_title();
void finish_menu_frame();
