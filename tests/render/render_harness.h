// Shared by the display tests and the frame benchmark: the game's displays opened as it opens
// them, a world placed by hand, and the picture read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A path in the temporary folder of this run, which is removed when the program ends.
std::string temp_path(const std::string &name);

// Allegro with keyboard and timer in the menus' mode, as the game starts.
bool start_allegro();
// Then the match display, as a match opens it.
bool start_match_display();
void stop_match_display();
// Textures from the file (by default the game's own, GAME_TEXTURES) and the projection: the
// rest of a match's set-up.
void prepare_match_graphics(const std::string &texture_file = GAME_TEXTURES);

// Empty tables, default settings with no tanks or trees in play, the given players.
void clear_world(int last_human);
// Puts tank slot `slot` at (x, z), alive, and aims its hull and turret along `heading`.
void place_tank(int slot, float x, float z, float heading);
// The largest load the settings allow, everything within drawing range of every player:
// 500 tanks, 500 trees, 500 shells in flight and 10000 fragments, spread over the middle of
// the arena with the players' tanks close together in its centre, their cameras set.
void fill_max_load_world(int last_human, unsigned seed);

// Clear, every human player's view (or only `only_player`'s), then the picture read back before
// the flip: 3 bytes a pixel, the bottom row first.
std::vector<uint8_t> render_frame(int only_player = -1);
std::vector<uint8_t> read_frame();
