#include "match/match_loop.h"

#include "match/setup.h"
#include "match/tick.h"
#include "match/world.h"
#include "render/display.h"
#include "render/models.h"
#include "render/textures.h"
#include "render/view.h"

#include <allegro.h>

namespace {

constexpr const char *TEXTURE_FILE = "textures.dat";

} // namespace

// Runs on Allegro's timer thread: one atomic increment and nothing else.
void timer_tick() {
    TickCounter.fetch_add(1);
}
END_OF_FUNCTION(timer_tick)

int play_match(int last_human) {
    if (open_match_display() < 0) {
        return -1;
    }
    load_textures(TEXTURE_FILE, NUM_TEXTURES);
    set_projection();
    build_model_lists();
    set_up_world(last_human);
    last_human_player = last_human;

    LOCK_VARIABLE(TickCounter);
    LOCK_FUNCTION(timer_tick);
    install_int_ex(timer_tick, BPS_TO_TIMER(TICKS_PER_SECOND));
    match_over = 0;

    while (match_over == 0) {
        // Every tick that fell due since the last frame, back to back.
        while (TickCounter.load() >= 1) {
            simulate_tick();
            TickCounter.fetch_sub(1);
        }
        clear_frame();
        for (int p = 0; p <= last_human_player; ++p) {
            draw_player_view(p);
        }
        show_frame();
    }

    remove_int(timer_tick);
    return close_match_display();
}
