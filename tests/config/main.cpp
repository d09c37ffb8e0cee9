#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

// The packed-file routines need Allegro, but no display, keyboard or sound.
int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    return RUN_ALL_TESTS();
}
END_OF_MAIN()
