// One human player's view of the arena, in that player's part of the split screen.
#pragma once

constexpr int DRAW_RANGE = 100;

void set_player_camera(int player);
void draw_player_view(int player);
