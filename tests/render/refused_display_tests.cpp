// A display without OpenGL: the match is refused with a message and the menus get their mode
// back. Runs under an X server without GLX. Allegro shows its message box through the xmessage
// program, so a stand-in first on the PATH records the text instead.
#include <gtest/gtest.h>

#include "render_harness.h"

#include "match/match_loop.h"
#include "match/world.h"
#include "render/match_display.h"

#include <allegro.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

TEST(RefusedMatchDisplay, ShowsTheErrorAndGivesTheMenusTheirModeBack) {
    const std::string bin = temp_path("bin");
    const std::string log = temp_path("message.txt");
    std::filesystem::create_directories(bin);
    std::ofstream(bin + "/xmessage")
        << "#!/bin/sh\nfor a; do last=$a; done\nprintf '%s' \"$last\" > '" << log << "'\n";
    std::filesystem::permissions(bin + "/xmessage", std::filesystem::perms::owner_all);
    setenv("PATH", (bin + ":" + std::getenv("PATH")).c_str(), 1);

    ASSERT_TRUE(start_allegro());
    clear_world(0);
    tanks[0].x = 1234.0f;
    EXPECT_EQ(play_match(0, match_display), -1);

    std::ifstream in(log);
    const std::string message{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(message.rfind("Error setting graphics mode:\n", 0), 0u) << message;
    EXPECT_GT(message.size(), 30u) << "no reason given: " << message;
    EXPECT_EQ(message.back(), '\n');
    EXPECT_EQ(tanks[0].x, 1234.0f) << "the world was set up";
    // The menus can draw again at once.
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(SCREEN_W, 640);
    EXPECT_EQ(SCREEN_H, 480);
    EXPECT_EQ(bitmap_color_depth(screen), 16);
    clear_to_color(screen, makecol(255, 0, 0));
    EXPECT_EQ(getpixel(screen, 10, 10), makecol(255, 0, 0));
    allegro_exit();
}
