// The pieces every menu screen is built from: the off-screen frame, image buttons and the pointer.
#pragma once

#include "match/datafile_objects.h"

struct BITMAP;

constexpr int MENU_WIDTH = 640;
constexpr int MENU_HEIGHT = 480;
constexpr int MENU_TITLE_X = 212;
constexpr int MENU_TITLE_Y = 10;

// Every menu screen composes its frames here; made once, on entry to the main menu.
extern BITMAP *menu_buffer;

// Wait, giving the processor away, until key `scancode` is no longer held.
void wait_for_key_release(int scancode);

// A button is two neighbours in "menus.dat": its normal image, then its highlight.
// Draws button `index` with its top-left at (x, y), highlighted under the pointer.
// 1 when it was clicked (left button alone), after the button has been released; else 0.
int menu_button(int index, int x, int y);
// The same button placed by the centre of its normal image.
int menu_button_centred(int index, int cx, int cy);

void draw_menu_pointer();

// The frame of every menu screen: background first, pointer and the copy to the screen last,
// then a short rest. Alt+Enter there switches between the window and the full screen.
void start_menu_frame();
void draw_menu_title();
void finish_menu_frame();
