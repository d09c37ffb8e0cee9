#include "match/sound.h"

#include "match/numeric.h"
#include "match/world.h"

#include <allegro.h>

#include <algorithm>
#include <array>

DATAFILE *sound_data = nullptr;

namespace {

constexpr double HEARING_RANGE_SQUARED = 75.0 * 75.0;
constexpr int FULL_VOLUME = 255;
constexpr int PAN_CENTRE = 128;
constexpr int OWN_PITCH = 1000;
constexpr int PLAY_ONCE = 0;
constexpr int LISTENER_TANK = 0;

bool sound_device_installed() {
    return digi_driver != nullptr && digi_driver->id != DIGI_NONE;
}

// The cues of the sounds datafile, found when it is loaded; null where it has none.
std::array<const SAMPLE *, NUM_SOUNDS> sound_samples{};

} // namespace

void use_sound_data(DATAFILE *data) {
    sound_data = data;
    sound_samples.fill(nullptr);
    for (int i = 0; data != nullptr && i < NUM_SOUNDS && data[i].type != DAT_END; ++i) {
        if (data[i].type == DAT_SAMPLE) {
            sound_samples[i] = static_cast<const SAMPLE *>(data[i].dat);
        }
    }
}

namespace {

// Volume 0 to 255 for a sound at (x, z), or -1 when it is too far from player 0 to be heard.
int sound_volume_at(int x, int z) {
    const Tank &listener = tanks[LISTENER_TANK];
    float dx = listener.x - static_cast<float>(x);
    float dz = listener.z - static_cast<float>(z);
    double distance_squared = static_cast<double>(dx) * dx + static_cast<double>(dz) * dz;
    // Written so that a NaN distance (a listener moved to NaN by odd settings) is silent too.
    if (!(distance_squared <= HEARING_RANGE_SQUARED)) {
        return -1;
    }
    int volume = trunc_to_int(FULL_VOLUME - distance_squared / HEARING_RANGE_SQUARED * FULL_VOLUME);
    return std::clamp(volume, 0, FULL_VOLUME);
}

} // namespace

void play_sound_at(int sample, int x, int z) {
    if (!sound_device_installed()) {
        return;
    }
    if (sample < 0 || sample >= NUM_SOUNDS || sound_samples[sample] == nullptr) {
        return;
    }
    int volume = sound_volume_at(x, z);
    if (volume < 0) {
        return;
    }
    play_sample(sound_samples[sample], volume, PAN_CENTRE, OWN_PITCH, PLAY_ONCE);
}
