#include "render/display.h"

#include <allegro.h>
#include <alleggl.h>

#include <cstdio>

#include "config/display_choice.h"
#include "config/player_message.h"
#include "match/match_loop.h"
#include "render/menu_window.h"
#include "render/presentation.h"
#include "render/window_name.h"

const float FOG_COLOUR[4] = {0.1f, 0.7f, 0.9f, 0.5f};

namespace {

// Both display modes ask Allegro for this depth first; AllegroGL then makes current
// the depth of the pixel format it chose.
constexpr int REQUESTED_COLOUR_DEPTH = 16;
constexpr int MATCH_COLOUR_BITS = 32;
constexpr int MATCH_DEPTH_BITS = 16;

constexpr float CLEAR_ALPHA = 1.0f;
constexpr float FOG_DENSITY = 0.01f; // has no effect on linear fog
constexpr float FOG_START = 3.0f;    // eye units: 30 world units
constexpr float FOG_END = 16.0f;     // eye units: 160 world units

// After a refused mode change there is no screen at all, and the menus would draw on it:
// bring the menu mode back, or tell the caller there is none (-1, or DISPLAY_LOST).
int restore_menu_mode() {
    if (set_menu_mode() < 0) {
        tell_player("Couldn't Init Graphics");
        return DISPLAY_LOST;
    }
    return -1;
}

int menu_driver() {
    if (presentation.plain) {
        return GFX_AUTODETECT;
    }
    return presentation.full_screen ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED;
}

int match_driver() {
    if (presentation.plain) {
        return GFX_OPENGL;
    }
    return presentation.full_screen ? GFX_OPENGL_FULLSCREEN : GFX_OPENGL_WINDOWED;
}

int try_menu_mode() {
    set_color_depth(REQUESTED_COLOUR_DEPTH);
    return set_gfx_mode(menu_driver(), presentation.window_width, presentation.window_height, 0, 0);
}

int try_match_mode(int driver) {
    allegro_gl_set(AGL_WINDOWED, driver == GFX_OPENGL_WINDOWED ? TRUE : FALSE);
    set_color_depth(REQUESTED_COLOUR_DEPTH);
    return set_gfx_mode(driver, presentation.window_width, presentation.window_height, 0, 0);
}

// Where the full screen cannot be had the game stays in its window.
bool fall_back_to_window() {
    if (!presentation.full_screen) {
        return false;
    }
    presentation = choose_presentation(desktop_width, desktop_height, false);
    return true;
}

bool set_match_mode() {
    if (try_match_mode(match_driver()) >= 0) {
        return true;
    }
    if (!presentation.full_screen) {
        return false;
    }
    // An X server without mode switching gives OpenGL no full screen, though it gave the menus
    // one: a window as large as the desktop shows the same picture.
    if (try_match_mode(GFX_OPENGL_WINDOWED) >= 0) {
        return true;
    }
    fall_back_to_window();
    return try_match_mode(GFX_OPENGL_WINDOWED) >= 0;
}

} // namespace

int set_menu_mode() {
    if (try_menu_mode() < 0 && (!fall_back_to_window() || try_menu_mode() < 0)) {
        return -1;
    }
    name_game_window();
    return 0;
}

int switch_full_screen() {
    presentation = choose_presentation(desktop_width, desktop_height, !presentation.full_screen);
    if (set_menu_mode() < 0) {
        tell_player("Couldn't Init Graphics");
        return DISPLAY_LOST;
    }
    save_full_screen_choice(presentation.full_screen);
    return 0;
}

int open_match_display() {
    keep_menu_window();
    install_allegro_gl();
    allegro_gl_clear_settings();
    allegro_gl_set(AGL_COLOR_DEPTH, MATCH_COLOUR_BITS);
    allegro_gl_set(AGL_Z_DEPTH, MATCH_DEPTH_BITS);
    allegro_gl_set(AGL_FULLSCREEN, TRUE);
    allegro_gl_set(AGL_DOUBLEBUFFER, 1);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER);
    if (!set_match_mode()) {
        allegro_message("Error setting graphics mode:\n%s\n", allegro_error);
        remove_allegro_gl();
        return restore_menu_mode();
    }
    if (!presentation.plain) {
        centre_match_window();
    }
    name_game_window();

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glClearColor(FOG_COLOUR[0], FOG_COLOUR[1], FOG_COLOUR[2], CLEAR_ALPHA);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, FOG_COLOUR);
    glFogf(GL_FOG_DENSITY, FOG_DENSITY);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, FOG_START);
    glFogf(GL_FOG_END, FOG_END);
    // Mesa takes the absolute eye depth of each vertex before clipping, so the ground and the
    // walls, whose corners lie far behind the eye, came out fully fogged however near they
    // were. The signed eye-plane depth interpolates right at every pixel; it is negative in
    // front of the eye, so the same fog range is given negated.
    if (allegro_gl_extensions_GL.NV_fog_distance) {
        glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE);
        glFogf(GL_FOG_START, -FOG_START);
        glFogf(GL_FOG_END, -FOG_END);
    }
    glEnable(GL_FOG);
    return 0;
}

void set_projection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-FRUSTUM_HALF_SIZE, FRUSTUM_HALF_SIZE, -FRUSTUM_HALF_SIZE, FRUSTUM_HALF_SIZE,
              FRUSTUM_NEAR, FRUSTUM_FAR);
    glMatrixMode(GL_MODELVIEW);
}

void clear_frame() {
    if (!letterboxed(presentation)) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    // The full screen is black around the picture, and the sky fills only the picture.
    glClearColor(0.0f, 0.0f, 0.0f, CLEAR_ALPHA);
    glClear(GL_COLOR_BUFFER_BIT);
    const WindowRect picture = scaled_viewport(presentation, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
    glScissor(picture.x, picture.y, picture.width, picture.height);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(FOG_COLOUR[0], FOG_COLOUR[1], FOG_COLOUR[2], CLEAR_ALPHA);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void show_frame() {
    glFlush();
    allegro_gl_flip();
}

int close_match_display() {
    remove_allegro_gl();
    renew_menu_window();
    if (set_menu_mode() < 0) {
        tell_player("Couldn't Init Graphics");
        // One more try before giving up on the screen for good.
        if (set_menu_mode() < 0) {
            return DISPLAY_LOST;
        }
        return -1;
    }
    return 0;
}
