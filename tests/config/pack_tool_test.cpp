#include "config_test_support.h"

#include "config/controls.h"
#include "config/settings_file.h"
#include "match/world.h"

#include <cstdlib>
#include <string>

namespace {

// Runs Allegro's own pack tool: "pack u <in> <out>" unpacks, "pack <in> <out>" packs.
int run_pack_tool(const std::string &arguments) {
    const std::string command = std::string("'") + PACK_TOOL + "' " + arguments + " > /dev/null";
    return std::system(command.c_str());
}

} // namespace

TEST_F(ConfigFileTest, AllegroPackToolUnpacksTheSavedFilesToTheirExactPayloads) {
    Bytes controls;
    for (int p = 0; p < 4; ++p) {
        player_controls[p].control_type = 3 - p;
        put_le32(controls, 3 - p);
        for (int a = 0; a < NUM_ACTIONS; ++a) {
            player_controls[p].keys[a] = 47 + 7 * p + a;
            put_le32(controls, 47 + 7 * p + a);
        }
    }
    save_controls();
    ASSERT_EQ(run_pack_tool("u keyboard.cfg keyboard.raw"), 0);
    EXPECT_EQ(read_raw("keyboard.raw"), controls);

    game_settings.number_of_trees = 499;
    game_settings.bullet_speed = 1.75f;
    save_settings("match.kmp");
    ASSERT_EQ(run_pack_tool("u match.kmp match.raw"), 0);
    // The defaults in the options menu's row order, with the two values set above.
    Bytes settings;
    for (uint32_t value : {150u, 150u, 50u, float_bits(0.2f), float_bits(2.0f), 50u, 3u, 6u, 50u,
                           float_bits(1.75f), 499u}) {
        put_le32(settings, value);
    }
    EXPECT_EQ(read_raw("match.raw"), settings);
}

TEST_F(ConfigFileTest, SettingsFilePackedByAllegroPackToolIsLoaded) {
    Bytes settings;
    for (uint32_t i = 0; i < 11; ++i) {
        put_le32(settings, 20 + i);
    }
    write_raw("settings.raw", settings);
    ASSERT_EQ(run_pack_tool("settings.raw packed.kmp"), 0);
    load_settings("packed.kmp");
    EXPECT_EQ(game_settings.arena_width, 20);
    EXPECT_EQ(game_settings.number_of_trees, 30);
}
