// One whole match, from the switch to the OpenGL display back to the menus. The loop ticks the
// world and leaves every picture to the renderer, which it reaches through this table alone:
// the simulation draws nothing and builds without a display.
#pragma once

// A display change was refused and the menus' mode could not be had again either: there is no
// screen left to go on with (the player has been told).
constexpr int DISPLAY_LOST = -2;

struct MatchDisplay {
    // Opens the match's display and readies what it draws with: 0, -1 when refused, or
    // DISPLAY_LOST.
    int (*open)();
    // Draws every player's view of the world and shows the frame.
    void (*draw_frame)();
    // Back to the menus' display: 0, -1 when refused, or DISPLAY_LOST.
    int (*close)();
};

// Returns 0 when the match ran and the menu display is back, -1 when a display change failed,
// DISPLAY_LOST when no display is left.
// `read_commands` runs before every tick: it fills each human player's command from their device
// and may end the match; the simulation itself reads no device.
int play_match(int last_human, const MatchDisplay &display, void (*read_commands)());

// The 60 Hz timer callback: one more tick is due.
void timer_tick();
