#include "config/settings_file.h"

#include "config/packed_file.h"
#include "match/world.h"

#include <allegro.h>
#include <array>
#include <cstddef>
#include <cstring>

namespace {

// Where each field of the file lies in GameSettings, in file order: the options menu's rows,
// which put the number of trees last although it is the third field of the record.
constexpr std::array<std::size_t, 11> SETTINGS_FILE_FIELDS = {
    offsetof(GameSettings, arena_width),         offsetof(GameSettings, arena_height),
    offsetof(GameSettings, number_of_tanks),     offsetof(GameSettings, tank_speed),
    offsetof(GameSettings, tank_rotation_speed), offsetof(GameSettings, tank_fire_speed),
    offsetof(GameSettings, normal_tank_life),    offsetof(GameSettings, human_tank_life),
    offsetof(GameSettings, bullet_life),         offsetof(GameSettings, bullet_speed),
    offsetof(GameSettings, number_of_trees),
};
constexpr long SETTINGS_PAYLOAD_SIZE = SETTINGS_FILE_FIELDS.size() * PAYLOAD_FIELD_SIZE;
static_assert(sizeof(GameSettings) == SETTINGS_PAYLOAD_SIZE, "every setting is a 4-byte field");

// The selector's path buffer: the path size it is given plus the terminating NUL.
constexpr int SETTINGS_PATH_BUFFER_SIZE = SETTINGS_PATH_SIZE + 1;
constexpr int SELECTOR_DEFAULT_SIZE = -1;

unsigned char *settings_field(std::size_t offset) {
    return reinterpret_cast<unsigned char *>(&game_settings) + offset;
}

} // namespace

void save_settings(const char *path) {
    std::array<unsigned char, SETTINGS_PAYLOAD_SIZE> payload{};
    for (std::size_t i = 0; i < SETTINGS_FILE_FIELDS.size(); ++i) {
        std::memcpy(&payload[i * PAYLOAD_FIELD_SIZE], settings_field(SETTINGS_FILE_FIELDS[i]),
                    PAYLOAD_FIELD_SIZE);
    }
    write_packed_file(path, payload.data(), SETTINGS_PAYLOAD_SIZE, PAYLOAD_FIELD_SIZE);
}

void load_settings(const char *path) {
    std::array<unsigned char, SETTINGS_PAYLOAD_SIZE> payload{};
    const long got = read_packed_file(path, payload.data(), SETTINGS_PAYLOAD_SIZE);
    if (got < 0) {
        return;
    }
    // A short file fills the fields in file order as far as it goes; no range is checked here.
    const std::size_t fields = whole_field_bytes(got) / PAYLOAD_FIELD_SIZE;
    for (std::size_t i = 0; i < fields; ++i) {
        std::memcpy(settings_field(SETTINGS_FILE_FIELDS[i]), &payload[i * PAYLOAD_FIELD_SIZE],
                    PAYLOAD_FIELD_SIZE);
    }
}

void save_settings_dialog() {
    char path[SETTINGS_PATH_BUFFER_SIZE] = "./";
    if (file_select_ex("Save Config...", path, "kmp", SETTINGS_PATH_SIZE, SELECTOR_DEFAULT_SIZE,
                       SELECTOR_DEFAULT_SIZE) != 0) {
        save_settings(path);
    }
}

void load_settings_dialog() {
    char path[SETTINGS_PATH_BUFFER_SIZE] = "./";
    if (file_select_ex("Load Config...", path, "kmp", SETTINGS_PATH_SIZE, SELECTOR_DEFAULT_SIZE,
                       SELECTOR_DEFAULT_SIZE) != 0) {
        load_settings(path);
    }
}
