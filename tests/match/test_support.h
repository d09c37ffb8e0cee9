// Simulation test fixtures: a clean world, replayed draws, a recording sound driver and a mouse.
#pragma once

#include <allegro.h>

#include <vector>

// Zero tables, default settings, no keys, buttons or mouse motion, no sound data, seed 1.
void reset_world();
// The horizontal mouse motion that the next get_mouse_mickeys takes and reports.
extern int mouse_motion_x;
// The next draw of the game's random stream, r mod n, replayed after srand.
long long replay_below(long long n);

struct PlayedSound {
    const SAMPLE *sample;
    int volume;
};

// While one exists, Allegro plays through a recording driver instead of the real device.
struct FakeSoundDevice {
    FakeSoundDevice();
    ~FakeSoundDevice();
    const std::vector<PlayedSound> &played() const { return sounds; }
    void clear() { sounds.clear(); }
    std::vector<PlayedSound> sounds;
    DIGI_DRIVER *previous;
};

// A sounds datafile of three samples.
struct FakeSoundData {
    SAMPLE samples[3] = {};
    DATAFILE objects[4] = {{&samples[0], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&samples[1], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&samples[2], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {nullptr, DAT_END, 0, nullptr}};
};
