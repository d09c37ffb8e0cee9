// Fuzz target for the files a player keeps beside the game. Each input is written as the file and
// read as the game reads it, the options menu's bounds are applied, and a four-player match is
// set up and played for a few ticks with every key held and then none. Whatever was read must
// also save and load back bit for bit. Built twice: with FUZZ_CONTROLS the input is
// keyboard.cfg, otherwise a settings file.
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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int TICKS = 4;

std::filesystem::path work_folder;

void remove_work_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(work_folder, ignored);
}

void write_file(const char *name, const uint8_t *data, size_t size) {
    FILE *file = std::fopen(name, "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write the input to %s\n", name);
        std::abort();
    }
}

#ifdef FUZZ_CONTROLS
constexpr const char *INPUT_NAME = CONTROLS_FILE;

void read_input() {
    load_controls();
    // What was read must survive a save and a load unchanged.
    const auto read = player_controls;
    save_controls();
    player_controls.fill(PlayerControls{});
    load_controls();
    if (std::memcmp(&read, &player_controls, sizeof(read)) != 0) {
        std::fprintf(stderr, "keyboard.cfg did not load back as saved\n");
        std::abort();
    }
}
#else
constexpr const char *INPUT_NAME = "input.kmp";
constexpr const char *SAVED_SETTINGS_NAME = "saved.kmp";

void read_input() {
    load_settings(INPUT_NAME);
    const GameSettings read = game_settings;
    save_settings(SAVED_SETTINGS_NAME);
    game_settings = GameSettings{};
    load_settings(SAVED_SETTINGS_NAME);
    if (std::memcmp(&read, &game_settings, sizeof(read)) != 0) {
        std::fprintf(stderr, "the settings did not load back as saved\n");
        std::abort();
    }
    // Four keyboard players on keys 1 to 28.
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        for (int a = 0; a < NUM_ACTIONS; ++a) {
            player_controls[p].keys[a] = KEY_A + NUM_ACTIONS * p + a;
        }
    }
}
#endif

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    // keyboard.cfg is read from the working directory: a folder of this process's own.
    work_folder = std::filesystem::temp_directory_path() /
                  ("tankarena-fuzz-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(work_folder);
    std::filesystem::current_path(work_folder);
    std::atexit(remove_work_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    game_settings = GameSettings{};
    player_controls.fill(PlayerControls{});
    std::fill(key, key + KEY_MAX, 0);
    match_over = 0;
    write_file(INPUT_NAME, data, size);
    read_input();
    keep_settings_in_bounds();
    last_human_player = MAX_PLAYERS - 1;
    set_up_world(last_human_player);
    for (int tick = 0; tick < TICKS; ++tick) {
        std::fill(key, key + KEY_MAX, tick % 2 == 0);
        simulate_tick();
    }
    return 0;
}
