// The largest load the settings allow, everything within drawing range of every player:
// 500 tanks, 500 trees, 500 shells in flight and 10000 fragments, spread over the middle of
// the arena with the players' tanks close together in its centre.
#pragma once

void fill_max_load_world(int last_human, unsigned seed);
