#include "frontend/menu.h"

#include <allegro.h>

#include "frontend/close_button.h"
#include "frontend/game.h"
#include "match/match_loop.h"
#include "render/display.h"
#include "render/presentation.h"

BITMAP *menu_buffer = nullptr;

namespace {
constexpr int LEFT_BUTTON_ONLY = 1;
// A menu waits for a person: it gives the processor away between frames and while a button or
// key is held, in steps far shorter than the shortest click.
constexpr unsigned MENU_FRAME_REST_MS = 10;
constexpr unsigned HOLD_POLL_REST_MS = 1;

// Image `index` of the menu datafile.
BITMAP *menu_image(int index) {
    return static_cast<BITMAP *>(menu_data[index].dat);
}

// True when the pointer at (mx, my) is strictly inside the box whose top-left is (x, y):
// the box's first column and row are outside it, its last column and row inside.
bool pointer_over(int x, int y, int w, int h, int mx, int my) {
    return mx > x && my > y && mx < x + w && my < y + h;
}

// Wait, giving the processor away, until the left button is no longer held on its own.
void wait_for_left_release() {
    // The mouse service changes mouse_b on its own thread.
    while (mouse_b == LEFT_BUTTON_ONLY) {
        rest(HOLD_POLL_REST_MS);
    }
}

// The pointer's place on the 640x480 picture, however large the window shows it.
int menu_pointer_x() {
    return picture_x(presentation, mouse_x);
}

int menu_pointer_y() {
    return picture_y(presentation, mouse_y);
}

} // namespace

void wait_for_key_release(int scancode) {
    while (key[scancode]) {
        rest(HOLD_POLL_REST_MS);
    }
}

int menu_button(int index, int x, int y) {
    BITMAP *image = menu_image(index);
    if (!pointer_over(x, y, image->w, image->h, menu_pointer_x(), menu_pointer_y())) {
        draw_sprite(menu_buffer, image, x, y);
        return 0;
    }
    draw_sprite(menu_buffer, menu_image(index + 1), x, y);
    const int clicked = mouse_b == LEFT_BUTTON_ONLY ? 1 : 0;
    wait_for_left_release();
    return clicked;
}

int menu_button_centred(int index, int cx, int cy) {
    const BITMAP *image = menu_image(index);
    return menu_button(index, cx - image->w / 2, cy - image->h / 2);
}

void draw_menu_pointer() {
    draw_sprite(menu_buffer, menu_image(MENU_POINTER), menu_pointer_x(), menu_pointer_y());
}

void start_menu_frame() {
    blit(menu_image(MENU_BACKGROUND), menu_buffer, 0, 0, 0, 0, MENU_WIDTH, MENU_HEIGHT);
}

void draw_menu_title() {
    draw_sprite(menu_buffer, menu_image(MENU_TITLE), MENU_TITLE_X, MENU_TITLE_Y);
}

void finish_menu_frame() {
    draw_menu_pointer();
    show_menu_picture(menu_buffer);
    if (key[KEY_ENTER] && (key_shifts & KB_ALT_FLAG)) {
        wait_for_key_release(KEY_ENTER);
        if (switch_full_screen() == DISPLAY_LOST) {
            end_program(MENU_MODE_LOST_STATUS);
        }
        // Enter's own press stays in the buffer, where a key prompt would take it.
        clear_keybuf();
    }
    // Every menu passes here, also the one a match closed by the close button returns to.
    if (close_requested()) {
        exit_game();
    }
    rest(MENU_FRAME_REST_MS);
}
