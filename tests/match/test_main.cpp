// The tests run without a display: Allegro is brought up with no system driver, only so
// that its globals and the sound and mouse entry points are ready.
#define ALLEGRO_NO_MAGIC_MAIN
#include <allegro.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

int main(int argc, char **argv) {
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
