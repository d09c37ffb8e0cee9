// The default bindings that the build puts beside the game.
#include "config/controls.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>

#ifndef KEYBOARD_CFG
#error "KEYBOARD_CFG must name a freshly written default keyboard.cfg"
#endif

TEST(DefaultKeyboardCfg, BindsEveryActionToItsOwnFreeKey) {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    PACKFILE *f = pack_fopen(KEYBOARD_CFG, "pr");
    ASSERT_NE(f, nullptr) << KEYBOARD_CFG;
    constexpr int PAYLOAD = 4 * sizeof(PlayerControls);
    std::array<unsigned char, PAYLOAD + 16> payload{};
    long got = pack_fread(payload.data(), static_cast<long>(payload.size()), f);
    pack_fclose(f);
    ASSERT_EQ(got, PAYLOAD) << "four 32-byte records and nothing else";

    std::array<PlayerControls, 4> records{};
    std::memcpy(records.data(), payload.data(), PAYLOAD);
    std::set<int32_t> used;
    for (size_t p = 0; p < records.size(); ++p) {
        EXPECT_EQ(records[p].control_type, CONTROL_KEYBOARD) << "player " << p;
        for (int a = 0; a < NUM_ACTIONS; ++a) {
            int32_t key = records[p].keys[a];
            SCOPED_TRACE("player " + std::to_string(p) + ", action " + std::to_string(a));
            EXPECT_GT(key, 0) << "unbound";
            EXPECT_LT(key, KEY_MAX);
            // Fixed match keys: the screenshot and leaving the match.
            EXPECT_NE(key, KEY_F12);
            EXPECT_NE(key, KEY_ESC);
            EXPECT_TRUE(used.insert(key).second) << "key " << key << " is bound twice";
        }
    }
    // Player one steers with the arrow keys, the first thing a player tries.
    EXPECT_EQ(records[0].keys[ACTION_MOVE_FORWARDS], KEY_UP);
    EXPECT_EQ(records[0].keys[ACTION_TURN_LEFT], KEY_LEFT);
}
