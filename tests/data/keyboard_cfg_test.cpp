// The default bindings that the build puts beside the game.
#include "config/controls.h"
#include "config/packed_file.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <array>
#include <set>

TEST(DefaultKeyboardCfg, BindsEveryActionToItsOwnFreeKey) {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    std::array<PlayerControls, 5> records{}; // room to see a longer file
    const long got = read_packed_file(
        KEYBOARD_CFG, reinterpret_cast<unsigned char *>(records.data()), sizeof records);
    ASSERT_EQ(got, 4 * static_cast<long>(sizeof(PlayerControls))) << KEYBOARD_CFG;
    std::set<int32_t> used;
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(records[p].control_type, CONTROL_KEYBOARD);
        // F12 and Escape are the match's own: the screenshot and the way out.
        for (int32_t key : records[p].keys) {
            EXPECT_TRUE(key > 0 && key < KEY_MAX && key != KEY_F12 && key != KEY_ESC) << key;
            EXPECT_TRUE(used.insert(key).second) << "key " << key << " is bound twice";
        }
    }
    // Player one steers with the arrow keys, the first thing a player tries.
    EXPECT_EQ(records[0].keys[ACTION_MOVE_FORWARDS], KEY_UP);
    EXPECT_EQ(records[0].keys[ACTION_TURN_LEFT], KEY_LEFT);
}
