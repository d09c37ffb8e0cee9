#include "match/world.h"

#include <algorithm>

GameSettings game_settings;
std::array<Tank, MAX_TANKS> tanks{};
std::array<Bullet, MAX_BULLETS> bullets{};
std::array<Tree, MAX_TREES> trees{};
std::array<Particle, MAX_PARTICLES> particles{};
std::array<PlayerCamera, MAX_PLAYERS> player_cameras{};

std::atomic<int32_t> TickCounter{0};
int32_t match_over = 0;
int32_t last_human_player = 0;
int32_t tanks_alive = 0;

int tanks_in_play() {
    // Every human player has a tank in play, whatever the number of tanks says.
    const int32_t players = std::clamp<int32_t>(last_human_player + 1, 1, MAX_PLAYERS);
    return std::clamp<int32_t>(std::max(game_settings.number_of_tanks, players), 0, MAX_TANKS);
}

int trees_in_play() {
    return std::clamp<int32_t>(game_settings.number_of_trees, 0, MAX_TREES);
}
