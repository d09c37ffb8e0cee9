#include "config_test_support.h"

#include "config/settings_file.h"
#include "match/world.h"

#include <climits>
#include <cstring>
#include <filesystem>

namespace {

constexpr const char *SETTINGS = "match.kmp";

GameSettings odd_settings() {
    GameSettings s;
    s.arena_width = 1;
    s.arena_height = 2;
    s.number_of_trees = 11;
    s.number_of_tanks = 3;
    s.tank_speed = 0.25f;
    s.tank_rotation_speed = 1.5f;
    s.tank_fire_speed = -6;
    s.normal_tank_life = 7;
    s.human_tank_life = 8;
    s.bullet_life = 9;
    s.bullet_speed = -2.5f;
    return s;
}

// The eleven values as they lie in a settings file.
Bytes file_order(const GameSettings &s) {
    Bytes bytes;
    put_le32(bytes, static_cast<uint32_t>(s.arena_width));
    put_le32(bytes, static_cast<uint32_t>(s.arena_height));
    put_le32(bytes, static_cast<uint32_t>(s.number_of_tanks));
    put_le32(bytes, float_bits(s.tank_speed));
    put_le32(bytes, float_bits(s.tank_rotation_speed));
    put_le32(bytes, static_cast<uint32_t>(s.tank_fire_speed));
    put_le32(bytes, static_cast<uint32_t>(s.normal_tank_life));
    put_le32(bytes, static_cast<uint32_t>(s.human_tank_life));
    put_le32(bytes, static_cast<uint32_t>(s.bullet_life));
    put_le32(bytes, float_bits(s.bullet_speed));
    put_le32(bytes, static_cast<uint32_t>(s.number_of_trees));
    return bytes;
}

bool same_bits(const GameSettings &a, const GameSettings &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST_F(ConfigFileTest, SettingsFileHoldsTheElevenValuesInRowOrder) {
    game_settings = odd_settings();
    save_settings(SETTINGS);
    EXPECT_EQ(read_packed(SETTINGS), file_order(odd_settings()));
    EXPECT_EQ(folder_names(), std::vector<std::string>{SETTINGS});

    // The name is used as given, with no extension added.
    save_settings("plain");
    EXPECT_EQ(read_packed("plain").size(), 44u);
    EXPECT_EQ(folder_names(), (std::vector<std::string>{SETTINGS, "plain"}));
}

TEST_F(ConfigFileTest, SettingsFileRoundTripsEveryValueBitForBit) {
    const uint32_t odd_floats[][3] = {
        {0x7fc12345u, 0x7f800001u, 0x80000000u}, // quiet NaN with payload, signalling NaN, -0
        {0x00000001u, 0xff800000u, 0x7f7fffffu}, // smallest denormal, -inf, largest float
        {0x3dcccccdu, 0x3dcccccbu, 0x7f800000u}, // 0.1f, just below it, +inf
    };
    for (const auto &floats : odd_floats) {
        GameSettings s = odd_settings();
        s.arena_width = INT_MIN;
        s.number_of_trees = INT_MAX;
        s.tank_fire_speed = -1;
        s.tank_speed = float_from_bits(floats[0]);
        s.tank_rotation_speed = float_from_bits(floats[1]);
        s.bullet_speed = float_from_bits(floats[2]);
        game_settings = s;
        save_settings(SETTINGS);
        game_settings = GameSettings{};
        load_settings(SETTINGS);
        EXPECT_TRUE(same_bits(game_settings, s)) << std::hex << floats[0];
    }
}

TEST_F(ConfigFileTest, ValueStoredLastLandsInTheNumberOfTrees) {
    Bytes payload;
    for (uint32_t i = 0; i < 11; ++i) {
        put_le32(payload, 100 + i);
    }
    write_packed(SETTINGS, payload);
    load_settings(SETTINGS);
    const GameSettings &s = game_settings;
    EXPECT_EQ(s.arena_width, 100);
    EXPECT_EQ(s.arena_height, 101);
    EXPECT_EQ(s.number_of_tanks, 102);
    EXPECT_EQ(float_bits(s.tank_speed), 103u);
    EXPECT_EQ(float_bits(s.tank_rotation_speed), 104u);
    EXPECT_EQ(s.tank_fire_speed, 105);
    EXPECT_EQ(s.normal_tank_life, 106);
    EXPECT_EQ(s.human_tank_life, 107);
    EXPECT_EQ(s.bullet_life, 108);
    EXPECT_EQ(float_bits(s.bullet_speed), 109u);
    EXPECT_EQ(s.number_of_trees, 110);
}

TEST_F(ConfigFileTest, ShortOrLongSettingsFileFillsWholeFieldsInFileOrder) {
    const Bytes full = file_order(odd_settings());

    Bytes ragged(full.begin(), full.begin() + 42);
    write_packed(SETTINGS, ragged);
    load_settings(SETTINGS);
    GameSettings expected = odd_settings();
    expected.number_of_trees = GameSettings{}.number_of_trees;
    EXPECT_TRUE(same_bits(game_settings, expected)) << "42 bytes keep the last field";

    game_settings = GameSettings{};
    write_packed(SETTINGS, Bytes(full.begin(), full.begin() + 3));
    load_settings(SETTINGS);
    EXPECT_TRUE(same_bits(game_settings, GameSettings{})) << "3 bytes change nothing";

    Bytes long_payload = full;
    long_payload.resize(1 << 20, 0xab); // 1 MiB
    write_packed(SETTINGS, long_payload);
    load_settings(SETTINGS);
    EXPECT_TRUE(same_bits(game_settings, odd_settings())) << "bytes past 44 are ignored";
}

TEST_F(ConfigFileTest, SettingsFileThatCannotBeReadChangesNothing) {
    const GameSettings before = odd_settings();
    game_settings = before;
    load_settings("missing.kmp");
    load_settings("");
    EXPECT_TRUE(same_bits(game_settings, before)) << "missing file";
    EXPECT_TRUE(folder_names().empty()) << "loading must not create a file";

    write_raw("plain.kmp", file_order(GameSettings{}));
    load_settings("plain.kmp");
    EXPECT_TRUE(same_bits(game_settings, before)) << "not a packed file";

    std::filesystem::create_directory("folder.kmp");
    load_settings("folder.kmp");
    EXPECT_TRUE(same_bits(game_settings, before)) << "folder";

    write_packed("secret.kmp", file_order(GameSettings{}));
    std::filesystem::permissions("secret.kmp", std::filesystem::perms::owner_read);
    const int result = run_as_nobody([before] {
        game_settings = before;
        load_settings("secret.kmp");
        return same_bits(game_settings, before) ? 0 : 1;
    });
    if (result < 0) {
        GTEST_SKIP() << "cannot act as an ordinary user here";
    }
    EXPECT_EQ(result, 0) << "file without read rights";
}
