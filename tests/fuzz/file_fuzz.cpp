// Fuzz target for keyboard.cfg (FUZZ_CONTROLS) or a settings file: an input read as the game reads
// it saves and loads back bit for bit, then four players play it, bounded, a few ticks.
#define ALLEGRO_NO_MAGIC_MAIN
#include "config/controls.h"
#include "config/settings_bounds.h"
#include "config/settings_file.h"
#include "match/setup.h"
#include "match/tick.h"
#include "match/world.h"

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {
std::filesystem::path work_folder;

#ifdef FUZZ_CONTROLS
constexpr const char *INPUT_NAME = CONTROLS_FILE, *SAVED_NAME = CONTROLS_FILE;
auto &loaded = player_controls;
constexpr auto load = [](const char *) { load_controls(); };
constexpr auto save = [](const char *) { save_controls(); };
#else
// A settings file that is not one is never written over, so the save goes to a new name.
constexpr const char *INPUT_NAME = "input.kmp", *SAVED_NAME = "saved.kmp";
auto &loaded = game_settings;
constexpr auto load = [](const char *path) { load_settings(path); };
constexpr auto save = [](const char *path) { save_settings(path); };
#endif
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    // keyboard.cfg is read from the working directory: a folder of this process's own.
    work_folder = std::filesystem::temp_directory_path() /
                  ("tankarena-fuzz-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(work_folder);
    std::filesystem::current_path(work_folder);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(work_folder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    game_settings = GameSettings{};
    player_controls = {};
    match_over = 0;
    // The stream is closed, and the input whole on disk, at the end of the statement.
    const bool written = static_cast<bool>(
        std::ofstream(INPUT_NAME, std::ios::binary)
            .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size)));
    load(INPUT_NAME);
    const auto read = loaded;
    save(SAVED_NAME);
    loaded = {};
    load(SAVED_NAME);
    if (!written || std::memcmp(&read, &loaded, sizeof read) != 0) {
        std::fprintf(stderr, "%s was not written, or did not load back as saved\n", INPUT_NAME);
        std::abort();
    }
#ifndef FUZZ_CONTROLS
    // Four keyboard players on keys 1 to 28.
    for (int p = 0; p < MAX_PLAYERS; ++p)
        for (int a = 0; a < NUM_ACTIONS; ++a)
            player_controls[p].keys[a] = KEY_A + NUM_ACTIONS * p + a;
#endif
    keep_settings_in_bounds();
    last_human_player = MAX_PLAYERS - 1;
    set_up_world(last_human_player);
    // The keys start released and end so.
    for (int tick = 0; tick < 4; ++tick) {
        std::fill(key, key + KEY_MAX, tick % 2 == 0);
        simulate_tick();
    }
    return 0;
}
