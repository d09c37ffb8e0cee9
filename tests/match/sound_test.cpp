#include "test_support.h"

#include "match/sound.h"
#include "match/world.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Sound, VolumeFallsWithTheSquaredDistanceFromPlayerZero) {
    reset_world();
    tanks[0].x = 0.0f;
    tanks[0].z = 0.0f;
    tanks[1].x = 500.0f; // other tanks are no listeners
    EXPECT_EQ(sound_volume_at(0, 0), 255);
    EXPECT_EQ(sound_volume_at(75, 0), 0);
    EXPECT_EQ(sound_volume_at(0, -75), 0);
    EXPECT_EQ(sound_volume_at(45, 60), 0);
    EXPECT_EQ(sound_volume_at(53, 0), 127);  // 255 - 2809/5625*255 = 127.66, truncated
    EXPECT_EQ(sound_volume_at(30, 40), 141); // d 50: 255 - 2500/5625*255 = 141.67
    EXPECT_EQ(sound_volume_at(76, 0), -1);
    EXPECT_EQ(sound_volume_at(500, 0), -1);

    tanks[0].x = -0.01f; // 75.01 away from (75, 0)
    EXPECT_EQ(sound_volume_at(75, 0), -1);
    tanks[0].x = 0.9f; // the listener's position is not truncated: d 52.1
    EXPECT_EQ(sound_volume_at(53, 0), 131);
    EXPECT_EQ(sound_volume_at(std::numeric_limits<int>::min(), 0), -1);

    tanks[0].x = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(sound_volume_at(0, 0), -1);
    tanks[0].x = std::numeric_limits<float>::infinity();
    EXPECT_EQ(sound_volume_at(0, 0), -1);
}

TEST(Sound, CuesPlayOnceAtCentreAndOwnPitch) {
    FakeSoundDevice device;
    FakeSoundData data;
    reset_world();
    sound_data = data.objects;
    play_sound_at(SOUND_HIT, 75, 0);
    play_sound_at(SOUND_DESTROYED, 3, 4);
    tanks[0].x = -0.01f;
    play_sound_at(SOUND_SHOT, 75, 0);
    ASSERT_EQ(device.played().size(), 2u);
    const PlayedSound &edge = device.played()[0];
    EXPECT_EQ(edge.sample, &data.samples[SOUND_HIT]);
    EXPECT_EQ(edge.volume, 0);
    EXPECT_EQ(edge.pan, 128);
    EXPECT_EQ(edge.frequency, data.samples[SOUND_HIT].freq);
    EXPECT_EQ(edge.playmode, PLAYMODE_PLAY);
    const PlayedSound &near = device.played()[1];
    EXPECT_EQ(near.sample, &data.samples[SOUND_DESTROYED]);
    EXPECT_EQ(near.volume, 253); // 255 - 25/5625*255 = 253.87
}

TEST(Sound, MissingDeviceDataOrSampleIsSilent) {
    FakeSoundData data;
    reset_world();
    {
        FakeSoundDevice device;
        // No datafile.
        play_sound_at(SOUND_SHOT, 0, 0);
        // A datafile that ends before the index.
        sound_data = data.objects;
        play_sound_at(3, 0, 0);
        play_sound_at(40, 0, 0);
        play_sound_at(-1, 0, 0);
        // An object that is not a sample.
        data.objects[1].type = DAT_ID('B', 'M', 'P', ' ');
        play_sound_at(SOUND_SHOT, 0, 0);
        data.objects[1].type = DAT_SAMPLE;
        // A short datafile: only the destroyed sound, then the end.
        data.objects[1] = DATAFILE{nullptr, DAT_END, 0, nullptr};
        play_sound_at(SOUND_HIT, 0, 0);
        play_sound_at(SOUND_DESTROYED, 0, 0);
        ASSERT_EQ(device.played().size(), 1u);
        EXPECT_EQ(device.played()[0].sample, &data.samples[SOUND_DESTROYED]);
    }
    // Without a sound device installed nothing is asked of the library at all.
    sound_data = data.objects;
    {
        FakeSoundDevice no_device(DIGI_NONE);
        play_sound_at(SOUND_DESTROYED, 0, 0);
        EXPECT_TRUE(no_device.played().empty());
        DIGI_DRIVER *driver = digi_driver;
        digi_driver = nullptr;
        play_sound_at(SOUND_DESTROYED, 0, 0);
        digi_driver = driver;
    }
}

} // namespace
