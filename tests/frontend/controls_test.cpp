#include <gtest/gtest.h>

#include "config/controls.h"
#include "frontend/controls_menu.h"

TEST(ControlChoice, WrapsRoundBothWays) {
    // Keyboard, Up (one back): Joystick(n/a).
    const int after_up = wrap_control_choice(CONTROL_KEYBOARD - 1);
    EXPECT_EQ(after_up, CONTROL_JOYSTICK);
    EXPECT_STREQ(control_names[NUM_ACTIONS + after_up], "Joystick(n/a)");
    // Joystick(n/a), Down (one on): Keyboard.
    const int after_down = wrap_control_choice(CONTROL_JOYSTICK + 1);
    EXPECT_EQ(after_down, CONTROL_KEYBOARD);
    EXPECT_STREQ(control_names[NUM_ACTIONS + after_down], "Keyboard");
    // Inside the range nothing moves.
    for (int type = CONTROL_KEYBOARD; type <= CONTROL_JOYSTICK; ++type) {
        EXPECT_EQ(wrap_control_choice(type), type);
    }
}
