#include "match/tick.h"

#include "match/computer.h"
#include "match/control.h"
#include "match/update.h"
#include "match/world.h"

#include <algorithm>

void simulate_tick() {
    drive_computer_tanks();
    update_world();
    int last = std::min(last_human_player, MAX_PLAYERS - 1);
    for (int p = 0; p <= last; ++p) {
        player_input(p);
        update_camera(p);
    }
}
