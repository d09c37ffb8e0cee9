#include "match/sound.h"

#include "match/numeric.h"
#include "match/world.h"

#include <allegro.h>

#include <algorithm>

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

// The sample of object `index` of the sounds datafile, or null when the datafile is
// missing, ends before that object, or holds something else there.
const SAMPLE *find_sample(int index) {
    if (sound_data == nullptr || index < 0) {
        return nullptr;
    }
    for (int i = 0; i < index; ++i) {
        if (sound_data[i].type == DAT_END) {
            return nullptr;
        }
    }
    const DATAFILE &object = sound_data[index];
    if (object.type != DAT_SAMPLE || object.dat == nullptr) {
        return nullptr;
    }
    return static_cast<const SAMPLE *>(object.dat);
}

} // namespace

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

void play_sound_at(int sample, int x, int z) {
    if (!sound_device_installed()) {
        return;
    }
    const SAMPLE *found = find_sample(sample);
    if (found == nullptr) {
        return;
    }
    int volume = sound_volume_at(x, z);
    if (volume < 0) {
        return;
    }
    play_sample(found, volume, PAN_CENTRE, OWN_PITCH, PLAY_ONCE);
}
