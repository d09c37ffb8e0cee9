// Fuzz target for the files a player keeps beside the game. Each input is written as the file and
// read as the game reads it, and what was read must save and load back bit for bit; then the
// options menu's bounds apply and a four-player match plays a few ticks with every key held and
// then none. Built twice: with FUZZ_CONTROLS the input is keyboard.cfg, otherwise a settings file.
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
#include <random>
#include <string>

namespace {
std::filesystem::path work_folder;

void remove_work_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(work_folder, ignored);
}

#ifdef FUZZ_CONTROLS
constexpr const char *INPUT_NAME = CONTROLS_FILE;

bool loads_back_as_read() {
    load_controls();
    const auto read = player_controls;
    save_controls();
    player_controls.fill(PlayerControls{});
    load_controls();
    return std::memcmp(&read, &player_controls, sizeof read) == 0;
}
#else
constexpr const char *INPUT_NAME = "input.kmp";

bool loads_back_as_read() {
    load_settings(INPUT_NAME);
    const GameSettings read = game_settings;
    save_settings("saved.kmp");
    game_settings = GameSettings{};
    load_settings("saved.kmp");
    // Four keyboard players on keys 1 to 28.
    for (int p = 0; p < MAX_PLAYERS; ++p)
        for (int a = 0; a < NUM_ACTIONS; ++a)
            player_controls[p].keys[a] = KEY_A + NUM_ACTIONS * p + a;
    return std::memcmp(&read, &game_settings, sizeof read) == 0;
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
    FILE *file = std::fopen(INPUT_NAME, "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write the input to %s\n", INPUT_NAME);
        std::abort();
    }
    if (!loads_back_as_read()) {
        std::fprintf(stderr, "%s did not load back as saved\n", INPUT_NAME);
        std::abort();
    }
    keep_settings_in_bounds();
    last_human_player = MAX_PLAYERS - 1;
    set_up_world(last_human_player);
    for (int tick = 0; tick < 4; ++tick) {
        std::fill(key, key + KEY_MAX, tick % 2 == 0);
        simulate_tick();
    }
    return 0;
}
