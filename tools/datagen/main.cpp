// Draws the menu images and match textures and synthesises the match sounds into a scratch
// folder, one subfolder per datafile, ready for packing; the program's icons go beside them.
#include "datagen.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: datagen SCRATCH_FOLDER\n");
        return EXIT_FAILURE;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro\n");
        return EXIT_FAILURE;
    }
    set_color_depth(24);
    const std::filesystem::path scratch = argv[1];
    const std::filesystem::path menus = scratch / "menus";
    const std::filesystem::path textures = scratch / "textures";
    const std::filesystem::path sounds = scratch / "sounds";
    const std::filesystem::path icons = scratch / "icons";
    std::error_code error;
    for (const auto &folder : {menus, textures, sounds, icons}) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "cannot make %s\n", folder.string().c_str());
            return EXIT_FAILURE;
        }
    }
    bool ok = write_menu_images(menus.string()) && write_textures(textures.string()) &&
              write_sounds(sounds.string()) && write_icon((scratch / "tankarena.ico").string()) &&
              write_icon_pngs(icons.string()) &&
              write_icon_xpm((scratch / "tankarena.xpm").string());
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
END_OF_MAIN()
