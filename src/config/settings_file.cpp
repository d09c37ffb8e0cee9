#include "config/settings_file.h"

#include "config/packed_file.h"
#include "config/regular_file.h"
#include "config/settings_table.h"

#include <allegro.h>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstring>

namespace {

constexpr long SETTINGS_PAYLOAD_SIZE = SETTING_COUNT * PAYLOAD_FIELD_SIZE;

// The selector's path buffer: the path size it is given plus the terminating NUL.
constexpr int SETTINGS_PATH_BUFFER_SIZE = SETTINGS_PATH_SIZE + 1;
constexpr int SELECTOR_DEFAULT_SIZE = -1;
// Allegro's own size for its selector, drawn in its 8-pixel font; with a folder list on Windows.
constexpr int SELECTOR_FONT_HEIGHT = 8;
constexpr int SELECTOR_WIDTH = 305;
#ifdef _WIN32
constexpr int SELECTOR_HEIGHT = 161;
#else
constexpr int SELECTOR_HEIGHT = 189;
#endif
// The selector lists settings files only; the empty second entry keeps it from adding ".kmp"
// to a name typed without it.
constexpr const char *SELECTOR_FILTER = "kmp;";
// Room kept in a saved name for the temporary file's suffix (".tmp" and a digit).
constexpr int TEMP_SUFFIX_ROOM = 5;
constexpr int LAST_ASCII = 127;

// A datafile's payload starts with these bytes: such a file is never taken for settings.
constexpr std::array<unsigned char, PAYLOAD_FIELD_SIZE> DATAFILE_START = {'A', 'L', 'L', '.'};

// Set by the keyboard handler, on Allegro's own thread, while a selector is open.
std::atomic<bool> letter_dropped{false};

// The selector silently drops any letter outside ASCII; it is noted here to refuse the name.
int note_dropped_letter(int key, int *) {
    if (key > LAST_ASCII) {
        letter_dropped = true;
    }
    return key;
}

bool datafile_payload(const unsigned char *payload, long size) {
    return size >= PAYLOAD_FIELD_SIZE &&
           std::memcmp(payload, DATAFILE_START.data(), DATAFILE_START.size()) == 0;
}

// Only a file this game wrote is written over: a packed payload of exactly the settings.
bool holds_settings(const char *path) {
    std::array<unsigned char, SETTINGS_PAYLOAD_SIZE + 1> payload{};
    return read_packed_file(path, payload.data(), payload.size()) == SETTINGS_PAYLOAD_SIZE &&
           !datafile_payload(payload.data(), SETTINGS_PAYLOAD_SIZE);
}

// The selector, with `path` set to the current folder; the name that came back, or why not.
// `spare` bytes are kept free in the name for what a save adds to it.
SettingsFileResult select_file(const char *title, char *path, int spare) {
    ustrzcpy(path, SETTINGS_PATH_BUFFER_SIZE, "./");
    letter_dropped = false;
    int (*previous)(int, int *) = keyboard_ucallback;
    keyboard_ucallback = note_dropped_letter;
    // The selector grows with the font it is drawn in, magnified with the window.
    const int scale = text_height(font) / SELECTOR_FONT_HEIGHT;
    const int width = scale > 1 ? SELECTOR_WIDTH * scale : SELECTOR_DEFAULT_SIZE;
    const int height = scale > 1 ? SELECTOR_HEIGHT * scale : SELECTOR_DEFAULT_SIZE;
    const int chosen =
        file_select_ex(title, path, SELECTOR_FILTER, SETTINGS_PATH_SIZE, width, height);
    keyboard_ucallback = previous;
    if (chosen == 0) {
        return SETTINGS_CANCELLED;
    }
    if (letter_dropped) {
        return SETTINGS_NAME_UNTYPABLE;
    }
    // A path that fills the selector's own buffer may have been cut there.
    if (ustrsizez(path) >= SELECTOR_WORK_SIZE || !name_fits(path, spare)) {
        return SETTINGS_NAME_TOO_LONG;
    }
    return SETTINGS_DONE;
}

// The row's value as the file holds it: its four bytes as they lie in memory.
unsigned char *setting_field(const SettingRow &row) {
    return reinterpret_cast<unsigned char *>(&int_setting(row));
}

} // namespace

SettingsFileResult save_settings(const char *path) {
    if (file_exists(path, FA_ALL, nullptr) && !holds_settings(path)) {
        return SETTINGS_NOT_SETTINGS_FILE;
    }
    std::array<unsigned char, SETTINGS_PAYLOAD_SIZE> payload{};
    for (std::size_t i = 0; i < setting_rows.size(); ++i) {
        std::memcpy(&payload[i * PAYLOAD_FIELD_SIZE], setting_field(setting_rows[i]),
                    PAYLOAD_FIELD_SIZE);
    }
    return write_packed_file(path, payload.data(), SETTINGS_PAYLOAD_SIZE, PAYLOAD_FIELD_SIZE)
               ? SETTINGS_DONE
               : SETTINGS_WRITE_FAILED;
}

SettingsFileResult load_settings(const char *path) {
    if (!file_exists(path, FA_ALL, nullptr)) {
        return SETTINGS_MISSING;
    }
    std::array<unsigned char, SETTINGS_PAYLOAD_SIZE> payload{};
    const long got = read_packed_file(path, payload.data(), SETTINGS_PAYLOAD_SIZE);
    if (got < PAYLOAD_FIELD_SIZE || datafile_payload(payload.data(), got)) {
        return SETTINGS_NOT_SETTINGS_FILE;
    }
    // A short file fills the fields in file order as far as it goes; no range is checked here.
    const std::size_t fields = whole_field_bytes(got) / PAYLOAD_FIELD_SIZE;
    for (std::size_t i = 0; i < fields; ++i) {
        std::memcpy(setting_field(setting_rows[i]), &payload[i * PAYLOAD_FIELD_SIZE],
                    PAYLOAD_FIELD_SIZE);
    }
    return SETTINGS_DONE;
}

SettingsFileResult save_settings_dialog() {
    char path[SETTINGS_PATH_BUFFER_SIZE];
    const SettingsFileResult chosen = select_file("Save Config...", path, TEMP_SUFFIX_ROOM);
    return chosen == SETTINGS_DONE ? save_settings(path) : chosen;
}

SettingsFileResult load_settings_dialog() {
    char path[SETTINGS_PATH_BUFFER_SIZE];
    const SettingsFileResult chosen = select_file("Load Config...", path, 0);
    return chosen == SETTINGS_DONE ? load_settings(path) : chosen;
}
