// A display without OpenGL: the match is refused with a message and the menus get their mode
// back. Runs under an X server started without its GLX extension. Allegro shows its message
// box through the xmessage program, so a stand-in on the PATH records the text instead.
#include <gtest/gtest.h>

#include "render_harness.h"

#include "match/match_loop.h"
#include "match/world.h"
#include "render/display.h"

#include <allegro.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string MESSAGE_PREFIX = "Error setting graphics mode:\n";

// A stand-in xmessage that writes its last argument (the message) to a file.
std::string install_message_recorder() {
    const std::string bin = temp_path("bin");
    std::filesystem::create_directories(bin);
    const std::string log = temp_path("message.txt");
    const std::string script = bin + "/xmessage";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\nfor a; do last=$a; done\nprintf '%s' \"$last\" >> '" << log
            << "'\nexit 0\n";
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const char *path = std::getenv("PATH");
    const std::string new_path = bin + ":" + (path != nullptr ? path : "");
    setenv("PATH", new_path.c_str(), 1);
    return log;
}

std::string read_file(const std::string &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RefusedMatchDisplay, ShowsTheErrorAndGivesTheMenusTheirModeBack) {
    const std::string log = install_message_recorder();
    ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
    install_keyboard();
    install_timer();
    set_color_depth(16);
    ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT, 640, 480, 0, 0), 0);

    clear_world(0);
    tanks[0].x = 1234.0f;
    TickCounter = 0;
    EXPECT_EQ(play_match(0), -1);

    // The message names the failure and carries Allegro's text.
    const std::string message = read_file(log);
    ASSERT_EQ(message.compare(0, MESSAGE_PREFIX.size(), MESSAGE_PREFIX), 0) << message;
    EXPECT_GT(message.size(), MESSAGE_PREFIX.size() + 1);
    EXPECT_EQ(message.back(), '\n');

    // Nothing of the match ran: no world set-up, no timer.
    EXPECT_EQ(tanks[0].x, 1234.0f);
    rest(100);
    EXPECT_EQ(TickCounter.load(), 0);

    // The menus can draw again at once.
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(SCREEN_W, 640);
    EXPECT_EQ(SCREEN_H, 480);
    EXPECT_EQ(bitmap_color_depth(screen), 16);
    const int red = makecol(255, 0, 0);
    clear_to_color(screen, red);
    EXPECT_EQ(getpixel(screen, 10, 10), red);

    // A later match is refused the same way.
    EXPECT_EQ(open_match_display(), -1);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(SCREEN_W, 640);
    allegro_exit();
}

} // namespace
