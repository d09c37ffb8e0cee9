// Shared fixtures of the simulation tests: a clean world, the random stream replayed,
// and stand-ins for the sound device and the mouse that record what the game asks of them.
#pragma once

#include <allegro.h>

#include <vector>

// Zero tables, default settings, no keys or buttons down, no sound data, seed 1.
void reset_world();

// The draws the game makes, replayed from the C library's generator after srand.
int replay_draw();
long long replay_below(long long n);

// Skips `count` draws of the replayed stream.
void skip_draws(int count);

struct PlayedSound {
    const SAMPLE *sample;
    int volume;
    int pan;
    int frequency;
    int playmode;
};

// While one exists, Allegro plays through a recording driver instead of the real device.
struct FakeSoundDevice {
    explicit FakeSoundDevice(int driver_id = AL_ID('F', 'A', 'K', 'E'));
    ~FakeSoundDevice();
    FakeSoundDevice(const FakeSoundDevice &) = delete;
    FakeSoundDevice &operator=(const FakeSoundDevice &) = delete;

    const std::vector<PlayedSound> &played() const;
    void clear();

    DIGI_DRIVER *previous;
};

// The three samples of a sounds datafile, each with a frequency of its own.
struct FakeSoundData {
    FakeSoundData();
    SAMPLE samples[3];
    DATAFILE objects[4];
};

// While one exists, get_mouse_mickeys reports `next_x` once and then nothing until set again.
struct FakeMouse {
    FakeMouse();
    ~FakeMouse();
    FakeMouse(const FakeMouse &) = delete;
    FakeMouse &operator=(const FakeMouse &) = delete;

    void move(int x);

    MOUSE_DRIVER *previous;
};
