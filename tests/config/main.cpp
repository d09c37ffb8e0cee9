#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // The packed-file routines need Allegro, but no display, keyboard or sound.
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        return EXIT_FAILURE;
    }
    return RUN_ALL_TESTS();
}
END_OF_MAIN()
