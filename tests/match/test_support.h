// What every match test uses: a clean world, replayed draws, a recording sound driver, a mouse.
#pragma once

#include "match/sound.h"
#include "match/world.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

// Zero tables, default settings, no input, the fake sounds datafile, no sounds played, seed 1.
void reset_world();
// Every field of a fragment, so that a failed comparison shows which ones differ.
inline auto fields(const Particle &p) {
    return std::tuple(p.x, p.y, p.z, p.velocity_x, p.velocity_y, p.velocity_z, p.angle_x, p.angle_y,
                      p.angle_z, p.spin_x, p.spin_y, p.spin_z, p.red, p.green, p.blue, p.life);
}
// The horizontal mouse motion that the next get_mouse_mickeys takes and reports.
extern int mouse_motion_x;
// The next draw of the game's random stream, r mod n, replayed after srand.
long long replay_below(long long n);

// A sounds datafile of three samples.
extern SAMPLE fake_samples[3];
extern DATAFILE fake_sounds[4];
// What Allegro played (sample, volume) through the recording driver standing in for a device.
using PlayedSound = std::pair<const SAMPLE *, int>;
extern std::vector<PlayedSound> played_sounds;
