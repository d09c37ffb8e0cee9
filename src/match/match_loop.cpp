#include "match/match_loop.h"

#include "match/setup.h"
#include "match/tick.h"
#include "match/world.h"

#include <allegro.h>

// Runs on Allegro's timer thread: one atomic increment and nothing else.
void timer_tick() {
    TickCounter.fetch_add(1);
}
END_OF_FUNCTION(timer_tick)

int play_match(int last_human, const MatchDisplay &display, void (*read_commands)()) {
    if (const int opened = display.open(); opened < 0) {
        return opened;
    }
    set_up_world(last_human);
    last_human_player = last_human;

    LOCK_VARIABLE(TickCounter);
    LOCK_FUNCTION(timer_tick);
    install_int_ex(timer_tick, BPS_TO_TIMER(TICKS_PER_SECOND));
    match_over = 0;

    while (match_over == 0) {
        // Every tick that fell due since the last frame, back to back.
        while (TickCounter.load() >= 1) {
            read_commands();
            simulate_tick();
            TickCounter.fetch_sub(1);
        }
        display.draw_frame();
    }

    remove_int(timer_tick);
    return display.close();
}
