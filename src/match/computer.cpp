#include "match/computer.h"

#include "match/movement.h"
#include "match/random.h"
#include "match/world.h"

#include <algorithm>

namespace {

// Hull and turret turn left on 60 draws of 100, right on the other 40.
constexpr int64_t TURN_CHOICES = 100;
constexpr int64_t LEFT_TURNS = 60;
constexpr float TURRET_WANDER = 1.0f;

bool draw_left() {
    return random_below(TURN_CHOICES) < LEFT_TURNS;
}

} // namespace

void drive_computer_tanks() {
    int first = std::max(last_human_player + 1, 0);
    int end = tanks_in_play();
    for (int i = first; i < end; ++i) {
        Tank &tank = tanks[i];
        if (tank.life <= 0) {
            continue;
        }
        if (draw_left()) {
            turn_left(i);
        } else {
            turn_right(i);
        }
        if (draw_left()) {
            tank.turret_heading += TURRET_WANDER;
        } else {
            tank.turret_heading -= TURRET_WANDER;
        }
        fire_shell(i);
        move_forwards(i);
    }
}
