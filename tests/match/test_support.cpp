#include "test_support.h"

#include "config/controls.h"
#include "match/sound.h"
#include "match/world.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int FAKE_VOICES = 32;
constexpr int SEED = 1;

struct VoiceState {
    const SAMPLE *sample = nullptr;
    int volume = -1;
    int pan = -1;
    int frequency = -1;
    int playmode = -1;
};

std::array<VoiceState, FAKE_VOICES> voices;
std::vector<PlayedSound> played_sounds;

int fake_detect(int) {
    return 1;
}
int fake_init(int, int) {
    return 0;
}
void fake_exit(int) {}
int fake_set_mixer_volume(int) {
    return 0;
}
int fake_get_mixer_volume() {
    return 255;
}
void fake_init_voice(int voice, const SAMPLE *sample) {
    voices[voice] = VoiceState{sample};
}
void fake_release_voice(int) {}
void fake_start_voice(int voice) {
    const VoiceState &v = voices[voice];
    played_sounds.push_back({v.sample, v.volume, v.pan, v.frequency, v.playmode});
}
void fake_stop_voice(int) {}
void fake_loop_voice(int voice, int playmode) {
    voices[voice].playmode = playmode;
}
// Every voice reports itself finished, so none is ever short.
int fake_get_position(int) {
    return -1;
}
void fake_set_position(int, int) {}
int fake_get_volume(int voice) {
    return voices[voice].volume;
}
void fake_set_volume(int voice, int volume) {
    voices[voice].volume = volume;
}
void fake_ramp(int, int, int) {}
void fake_stop_ramp(int) {}
int fake_get_frequency(int voice) {
    return voices[voice].frequency;
}
void fake_set_frequency(int voice, int frequency) {
    voices[voice].frequency = frequency;
}
int fake_get_pan(int voice) {
    return voices[voice].pan;
}
void fake_set_pan(int voice, int pan) {
    voices[voice].pan = pan;
}

DIGI_DRIVER make_fake_driver() {
    DIGI_DRIVER d;
    std::memset(&d, 0, sizeof d);
    d.id = AL_ID('F', 'A', 'K', 'E');
    d.name = d.desc = d.ascii_name = "recording sound driver";
    d.voices = d.max_voices = d.def_voices = FAKE_VOICES;
    d.detect = fake_detect;
    d.init = fake_init;
    d.exit = fake_exit;
    d.set_mixer_volume = fake_set_mixer_volume;
    d.get_mixer_volume = fake_get_mixer_volume;
    d.init_voice = fake_init_voice;
    d.release_voice = fake_release_voice;
    d.start_voice = fake_start_voice;
    d.stop_voice = fake_stop_voice;
    d.loop_voice = fake_loop_voice;
    d.get_position = fake_get_position;
    d.set_position = fake_set_position;
    d.get_volume = fake_get_volume;
    d.set_volume = fake_set_volume;
    d.ramp_volume = fake_ramp;
    d.stop_volume_ramp = fake_stop_ramp;
    d.get_frequency = fake_get_frequency;
    d.set_frequency = fake_set_frequency;
    d.sweep_frequency = fake_ramp;
    d.stop_frequency_sweep = fake_stop_ramp;
    d.get_pan = fake_get_pan;
    d.set_pan = fake_set_pan;
    d.sweep_pan = fake_ramp;
    d.stop_pan_sweep = fake_stop_ramp;
    return d;
}

DIGI_DRIVER fake_driver = make_fake_driver();

int pending_mickeys = 0;

void fake_get_mickeys(int *x, int *y) {
    *x = pending_mickeys;
    *y = 0;
    pending_mickeys = 0;
}

MOUSE_DRIVER make_fake_mouse() {
    MOUSE_DRIVER m;
    std::memset(&m, 0, sizeof m);
    m.id = AL_ID('F', 'A', 'K', 'E');
    m.name = m.desc = m.ascii_name = "recording mouse driver";
    m.get_mickeys = fake_get_mickeys;
    return m;
}

MOUSE_DRIVER fake_mouse = make_fake_mouse();

} // namespace

void reset_world() {
    game_settings = GameSettings{};
    tanks.fill(Tank{});
    bullets.fill(Bullet{});
    trees.fill(Tree{});
    particles.fill(Particle{});
    player_cameras.fill(PlayerCamera{});
    player_controls.fill(PlayerControls{CONTROL_KEYBOARD, {}});
    for (int i = 0; i < KEY_MAX; ++i) {
        key[i] = 0;
    }
    mouse_b = 0;
    match_over = 0;
    last_human_player = 0;
    tanks_alive = 0;
    sound_data = nullptr;
    std::srand(SEED);
}

int replay_draw() {
    return std::rand() % 32768;
}

long long replay_below(long long n) {
    return replay_draw() % n;
}

void skip_draws(int count) {
    for (int i = 0; i < count; ++i) {
        replay_draw();
    }
}

FakeSoundDevice::FakeSoundDevice(int driver_id) : previous(digi_driver) {
    played_sounds.clear();
    fake_driver.id = driver_id;
    digi_driver = &fake_driver;
}

FakeSoundDevice::~FakeSoundDevice() {
    digi_driver = previous;
}

const std::vector<PlayedSound> &FakeSoundDevice::played() const {
    return played_sounds;
}

void FakeSoundDevice::clear() {
    played_sounds.clear();
}

FakeSoundData::FakeSoundData() : samples{}, objects{} {
    constexpr int frequencies[3] = {11025, 22050, 44100};
    for (int i = 0; i < 3; ++i) {
        samples[i].bits = 8;
        samples[i].freq = frequencies[i];
        samples[i].priority = 128;
        samples[i].len = 1;
        objects[i] = DATAFILE{&samples[i], DAT_SAMPLE, sizeof(SAMPLE), nullptr};
    }
    objects[3] = DATAFILE{nullptr, DAT_END, 0, nullptr};
}

FakeMouse::FakeMouse() : previous(mouse_driver) {
    pending_mickeys = 0;
    mouse_driver = &fake_mouse;
}

FakeMouse::~FakeMouse() {
    mouse_driver = previous;
}

void FakeMouse::move(int x) {
    pending_mickeys = x;
}
