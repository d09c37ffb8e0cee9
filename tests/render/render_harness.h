// Shared by the display tests and the frame benchmark: displays opened as the game opens them.
#pragma once

#include <string>

// Allegro in the menus' mode, as the game starts; then also the match display, as a match opens it.
bool start_allegro();
bool start_match_display(const std::string &texture_file = GAME_TEXTURES);
void stop_match_display();

// Empty tables and default settings with no trees, the given players.
void clear_world(int last_human);
// Tank slot `slot` at (x, z), hull and turret along `heading`, alive unless told otherwise.
void place_tank(int slot, float x, float z, float heading, int life = 1);
// The largest load, all within drawing range of every player, whose tanks stand in the centre.
void fill_max_load_world(int last_human, unsigned seed);
// A match as it starts with the default settings (50 tanks, 200 trees).
void fill_default_world(int last_human, unsigned seed);
// The frame benchmark's worlds, which the picture tests check too.
constexpr unsigned BENCHMARK_SEED = 12345;
