#include "render/menu_window.h"

#include <allegro.h>
#ifdef _WIN32
#include <winalleg.h>
#endif
#if defined(ALLEGRO_WITH_XWINDOWS)
#include <xalleg.h>
#endif

#if defined(ALLEGRO_WITH_XWINDOWS)
namespace {
Visual *menu_visual = nullptr;
int menu_window_depth = 0;
} // namespace
#endif

void keep_menu_window() {
#if defined(ALLEGRO_WITH_XWINDOWS)
    XLOCK();
    menu_visual = _xwin.visual;
    menu_window_depth = _xwin.window_depth;
    XUNLOCK();
#endif
}

void renew_menu_window() {
#ifdef _WIN32
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    // A null window makes Allegro create its own again, and take the keyboard and mouse to it.
    win_set_window(nullptr);
#endif
#if defined(ALLEGRO_WITH_XWINDOWS)
    XLOCK();
    if (menu_visual != nullptr) {
        _xwin.visual = menu_visual;
        _xwin.window_depth = menu_window_depth;
    }
    XUNLOCK();
#endif
}

void centre_match_window() {
#ifdef _WIN32
    // Allegro's own windowed mode centres its window on the desktop, AllegroGL's leaves its
    // window near the corner: the match's window is put where the menus' was.
    HWND window = win_get_window();
    RECT frame;
    POINT client = {0, 0};
    if (window == nullptr || !GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) {
        return;
    }
    RECT inside;
    if (!GetClientRect(window, &inside)) {
        return;
    }
    const int target_x = (GetSystemMetrics(SM_CXSCREEN) - (inside.right - inside.left)) / 2;
    const int target_y = (GetSystemMetrics(SM_CYSCREEN) - (inside.bottom - inside.top)) / 2;
    SetWindowPos(window, nullptr, frame.left + target_x - client.x, frame.top + target_y - client.y,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
#endif
}
