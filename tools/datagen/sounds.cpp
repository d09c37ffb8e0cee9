// The match sounds in cue order: a tank destroyed, a shot fired, a tank hit. Synthesised from
// seeded noise and sine partials, band-limited, then scaled to a common peak below full scale.
#include "datagen.h"
#include "noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int RATE = SOUND_RATE;
constexpr int BITS = 16;
constexpr float PI = 3.14159265f;
// Of full scale: the game's voices, each centred at half volume, add up to just below it.
constexpr float PEAK = 0.65f;
// The low-pass that keeps every cue within SOUND_BAND_HZ: a Blackman-windowed sinc whose
// transition (about 5.5 / taps of the rate) ends below the band's edge.
constexpr int LOW_PASS_TAPS = 255;
constexpr float LOW_PASS_CUTOFF = SOUND_BAND_HZ - 1000.0f;
constexpr float FADE_SECONDS = 0.01f;
constexpr int HALF_RANGE = 32767;

constexpr uint32_t SEED_EXPLOSION = 31;
constexpr uint32_t SEED_SHOT = 32;
constexpr uint32_t SEED_HIT = 33;

using Wave = std::vector<float>;

int samples_for(float seconds) {
    return static_cast<int>(seconds * RATE);
}

float seconds_at(int i) {
    return static_cast<float>(i) / RATE;
}

float white(Rng &rng) {
    return rng_unit(rng) * 2.0f - 1.0f;
}

// One-pole low-pass coefficient for a cut-off frequency.
float low_pass_step(float cutoff) {
    return 1.0f - std::exp(-2.0f * PI * cutoff / RATE);
}

Wave explosion() {
    Rng rng{SEED_EXPLOSION};
    Wave w(static_cast<size_t>(samples_for(2.4f)));
    float roar = 0.0f;
    float roar2 = 0.0f;
    float rumble = 0.0f;
    float rumble2 = 0.0f;
    float phase = 0.0f;
    float debris = 0.0f;
    float crackle_level = 0.0f;
    const float CRACKLE_FADE = std::exp(-1.0f / (0.004f * RATE));
    for (size_t i = 0; i < w.size(); ++i) {
        float t = seconds_at(static_cast<int>(i));
        float attack = std::min(1.0f, t / 0.004f);
        // The blast: noise whose brightness dies away faster than its loudness.
        float cutoff = 300.0f + 4200.0f * std::exp(-t / 0.18f);
        roar += low_pass_step(cutoff) * (white(rng) - roar);
        roar2 += low_pass_step(cutoff) * (roar - roar2);
        float blast = roar2 * std::exp(-t / 0.5f) * 2.2f;
        // The rumble: deep filtered noise and a sinking sub tone with a long tail.
        rumble += low_pass_step(90.0f) * (white(rng) - rumble);
        rumble2 += low_pass_step(90.0f) * (rumble - rumble2);
        phase += 2.0f * PI * (48.0f - 14.0f * std::min(1.0f, t / 1.5f)) / RATE;
        float deep = (rumble2 * 9.0f + 0.35f * std::sin(phase)) * std::exp(-t / 0.85f);
        // Debris: short crackling bursts, thinning out over the first second or so.
        if (rng_unit(rng) < 0.0015f * std::exp(-t / 0.6f)) {
            crackle_level = rng_range(rng, 0.25f, 0.7f) * std::exp(-t / 0.8f);
        }
        crackle_level *= CRACKLE_FADE;
        debris += low_pass_step(2500.0f) * (white(rng) - debris);
        w[i] = attack * (blast + deep + debris * crackle_level * 3.0f);
    }
    return w;
}

Wave shot() {
    Rng rng{SEED_SHOT};
    Wave w(static_cast<size_t>(samples_for(0.5f)));
    float smooth = 0.0f;
    float body = 0.0f;
    float body2 = 0.0f;
    float phase = 0.0f;
    for (size_t i = 0; i < w.size(); ++i) {
        float t = seconds_at(static_cast<int>(i));
        float n = white(rng);
        // The crack: bright noise, gone in a few milliseconds.
        smooth += low_pass_step(2500.0f) * (n - smooth);
        float crack = (n - smooth) * std::exp(-t / 0.012f) * 1.4f;
        // The thump: a sine falling from 150 to 50 Hz.
        float freq = 50.0f + 100.0f * std::exp(-t / 0.03f);
        phase += 2.0f * PI * freq / RATE;
        float thump = std::sin(phase) * std::exp(-t / 0.07f) * std::min(1.0f, t / 0.002f);
        // The muzzle blast's short dark tail.
        body += low_pass_step(700.0f) * (n - body);
        body2 += low_pass_step(700.0f) * (body - body2);
        float tail = body2 * std::exp(-t / 0.09f) * 4.0f;
        w[i] = crack + thump + tail;
    }
    return w;
}

struct Partial {
    float freq;
    float amplitude;
    float decay;
};

Wave hit() {
    // Inharmonic partials of a struck steel plate: the higher ones die first.
    constexpr std::array<Partial, 6> PARTIALS = {{
        {587.0f, 1.0f, 0.42f},
        {1231.0f, 0.7f, 0.3f},
        {1873.0f, 0.55f, 0.2f},
        {2647.0f, 0.42f, 0.14f},
        {3419.0f, 0.3f, 0.09f},
        {4391.0f, 0.2f, 0.06f},
    }};
    Rng rng{SEED_HIT};
    std::array<float, PARTIALS.size()> phases{};
    for (float &p : phases) {
        p = rng_range(rng, 0.0f, 2.0f * PI);
    }
    Wave w(static_cast<size_t>(samples_for(0.8f)));
    for (size_t i = 0; i < w.size(); ++i) {
        float t = seconds_at(static_cast<int>(i));
        float ring = 0.0f;
        for (size_t k = 0; k < PARTIALS.size(); ++k) {
            const Partial &p = PARTIALS[k];
            ring +=
                p.amplitude * std::exp(-t / p.decay) * std::sin(2.0f * PI * p.freq * t + phases[k]);
        }
        float click = white(rng) * std::exp(-t / 0.003f) * 1.5f;
        w[i] = ring * std::min(1.0f, t / 0.001f) + click;
    }
    return w;
}

// The windowed-sinc low-pass, its ringing before the first sample kept too: silence before a cue
// is part of what is played, and a cue cut off there would start with a step.
Wave band_limited(const Wave &w) {
    constexpr int HALF = LOW_PASS_TAPS / 2;
    std::array<float, LOW_PASS_TAPS> taps{};
    float sum = 0.0f;
    for (int k = 0; k < LOW_PASS_TAPS; ++k) {
        const float n = static_cast<float>(k - HALF);
        const float x = 2.0f * LOW_PASS_CUTOFF / RATE;
        const float sinc = k == HALF ? x : std::sin(PI * x * n) / (PI * n);
        const float phase = 2.0f * PI * static_cast<float>(k) / (LOW_PASS_TAPS - 1);
        taps[k] = sinc * (0.42f - 0.5f * std::cos(phase) + 0.08f * std::cos(2.0f * phase));
        sum += taps[k];
    }
    Wave out(w.size() + LOW_PASS_TAPS - 1, 0.0f);
    for (size_t i = 0; i < w.size(); ++i) {
        for (size_t k = 0; k < taps.size(); ++k) {
            out[i + k] += taps[k] / sum * w[i];
        }
    }
    return out;
}

// Common peak level and a short fade, so no cue clips or clicks at its end.
void finish(Wave &w) {
    w = band_limited(w);
    float peak = 0.0f;
    for (float v : w) {
        peak = std::max(peak, std::fabs(v));
    }
    int fade = samples_for(FADE_SECONDS);
    for (size_t i = 0; i < w.size(); ++i) {
        w[i] *= PEAK / peak;
        int left = static_cast<int>(w.size() - i);
        if (left < fade) {
            w[i] *= static_cast<float>(left) / fade;
        }
    }
}

void put_u16(std::FILE *f, unsigned v) {
    std::fputc(static_cast<int>(v & 0xff), f);
    std::fputc(static_cast<int>((v >> 8) & 0xff), f);
}

void put_u32(std::FILE *f, unsigned long v) {
    put_u16(f, static_cast<unsigned>(v & 0xffff));
    put_u16(f, static_cast<unsigned>((v >> 16) & 0xffff));
}

// A plain 16-bit mono PCM RIFF file, little-endian whatever the host.
bool save_wave(const Wave &w, const std::string &path) {
    constexpr unsigned long FORMAT_CHUNK = 16;
    constexpr unsigned PCM = 1;
    constexpr unsigned BYTES = BITS / 8;
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    unsigned long data_size = static_cast<unsigned long>(w.size()) * BYTES;
    std::fputs("RIFF", f);
    put_u32(f, 4 + 8 + FORMAT_CHUNK + 8 + data_size);
    std::fputs("WAVEfmt ", f);
    put_u32(f, FORMAT_CHUNK);
    put_u16(f, PCM);
    put_u16(f, 1);
    put_u32(f, RATE);
    put_u32(f, RATE * BYTES);
    put_u16(f, BYTES);
    put_u16(f, BITS);
    std::fputs("data", f);
    put_u32(f, data_size);
    for (float v : w) {
        long s = std::lround(std::clamp(v, -1.0f, 1.0f) * HALF_RANGE);
        put_u16(f, static_cast<unsigned>(s & 0xffff));
    }
    return std::fclose(f) == 0;
}

struct SoundObject {
    int index;
    Wave (*make)();
};

// Cue order is what the match plays them by.
constexpr std::array<SoundObject, NUM_SOUNDS> SOUND_OBJECTS = {{
    {SOUND_DESTROYED, explosion},
    {SOUND_SHOT, shot},
    {SOUND_HIT, hit},
}};
static_assert(in_object_order(SOUND_OBJECTS), "the table makes the objects in their order");

} // namespace

bool write_sounds(const std::string &folder) {
    for (size_t i = 0; i < SOUND_OBJECTS.size(); ++i) {
        const SoundObject &object = SOUND_OBJECTS[i];
        Wave w = object.make();
        finish(w);
        if (!save_wave(w, object_file(folder, static_cast<int>(i), SOUND_OBJECT_NAMES[i], "wav"))) {
            std::fprintf(stderr, "cannot write sound %s\n", SOUND_OBJECT_NAMES[i]);
            return false;
        }
    }
    return true;
}
