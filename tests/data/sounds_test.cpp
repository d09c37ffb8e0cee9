// The sound datafile: three playable cues, audible, unclipped and unlike each other.
#include "datafile_support.h"
#include "match/sound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int CUES = 3;
constexpr double CLIP_LEVEL = 0.97;
constexpr double QUIET_RMS = 0.02;

// The sample as signed values in [-1, 1].
std::vector<double> wave_of(const SAMPLE *spl) {
    std::vector<double> w(static_cast<size_t>(spl->len));
    for (size_t i = 0; i < w.size(); ++i) {
        if (spl->bits == 16) {
            // Allegro keeps samples unsigned, centred on half the range.
            w[i] = (static_cast<const unsigned short *>(spl->data)[i] - 32768) / 32768.0;
        } else {
            w[i] = (static_cast<const unsigned char *>(spl->data)[i] - 128) / 128.0;
        }
    }
    return w;
}

double rms(const std::vector<double> &w, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
        sum += w[i] * w[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

class Sounds : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        start_allegro_without_display();
        data = load_game_datafile("sounds.dat", 16);
    }
    static void TearDownTestSuite() {
        unload_datafile(data);
        data = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(data, nullptr) << "sounds.dat missing in " << GAME_DIR;
        ASSERT_GE(object_count(data), CUES);
        for (int i = 0; i < CUES; ++i) {
            ASSERT_EQ(data[i].type, DAT_SAMPLE) << "cue " << i;
            waves[i] = wave_of(sample(i));
        }
    }
    static const SAMPLE *sample(int i) { return static_cast<const SAMPLE *>(data[i].dat); }

    static DATAFILE *data;
    std::array<std::vector<double>, CUES> waves;
};

DATAFILE *Sounds::data = nullptr;

} // namespace

TEST_F(Sounds, EveryCueIsMonoAtAPlainRate) {
    for (int i = 0; i < CUES; ++i) {
        const SAMPLE *spl = sample(i);
        EXPECT_EQ(spl->stereo, 0) << "cue " << i;
        EXPECT_TRUE(spl->bits == 8 || spl->bits == 16) << "cue " << i;
        EXPECT_TRUE(spl->freq == 22050 || spl->freq == 44100) << "cue " << i;
        EXPECT_GT(spl->len, static_cast<unsigned long>(spl->freq / 10)) << "cue " << i;
    }
}

TEST_F(Sounds, EveryCueIsAudibleAndNeverClips) {
    for (int i = 0; i < CUES; ++i) {
        const auto &w = waves[i];
        double peak = 0;
        for (double v : w) {
            peak = std::max(peak, std::fabs(v));
        }
        EXPECT_LT(peak, CLIP_LEVEL) << "cue " << i;
        EXPECT_GT(peak, 0.3) << "cue " << i;
        EXPECT_GT(rms(w, 0, w.size()), QUIET_RMS) << "cue " << i;
        // Faded out: no click when the voice stops.
        EXPECT_LT(std::fabs(w.back()), 0.01) << "cue " << i;
    }
}

TEST_F(Sounds, CuesAreUnlikeEachOtherAndInCueOrder) {
    for (int a = 0; a < CUES; ++a) {
        for (int b = a + 1; b < CUES; ++b) {
            size_t common = std::min(waves[a].size(), waves[b].size());
            std::vector<double> diff(common);
            for (size_t i = 0; i < common; ++i) {
                diff[i] = waves[a][i] - waves[b][i];
            }
            double smaller = std::min(rms(waves[a], 0, common), rms(waves[b], 0, common));
            EXPECT_GT(rms(diff, 0, common), smaller * 0.5) << "cues " << a << " and " << b;
        }
    }
    // The explosion's long decay outlasts the rest; the shot is the shortest.
    double destroyed =
        static_cast<double>(sample(SOUND_DESTROYED)->len) / sample(SOUND_DESTROYED)->freq;
    double shot = static_cast<double>(sample(SOUND_SHOT)->len) / sample(SOUND_SHOT)->freq;
    double hit = static_cast<double>(sample(SOUND_HIT)->len) / sample(SOUND_HIT)->freq;
    EXPECT_GT(destroyed, 1.5);
    EXPECT_GT(destroyed, hit);
    EXPECT_LT(shot, hit);
    // A shot is a crack: most of its energy in its first tenth of a second.
    const auto &s = waves[SOUND_SHOT];
    size_t tenth = static_cast<size_t>(sample(SOUND_SHOT)->freq / 10);
    EXPECT_GT(rms(s, 0, tenth), 3 * rms(s, tenth, s.size()));
}
