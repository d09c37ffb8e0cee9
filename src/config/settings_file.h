// Settings files: the eleven match parameters, saved and loaded on request.
#pragma once

// The file selector's path buffer in bytes: it takes as many characters as fit at the widest
// (four bytes each in UTF-8), and Allegro works on the path in a buffer of its own of
// SELECTOR_WORK_SIZE bytes, so the path buffer never cuts what the player typed.
constexpr int SETTINGS_PATH_SIZE = 4096;
constexpr int SELECTOR_WORK_SIZE = 1024;

// What became of a save or a load, for the options menu to tell the player.
enum SettingsFileResult {
    SETTINGS_DONE,
    SETTINGS_CANCELLED,
    // Save: a file of that name is something else, and it was left alone. Load: the file holds
    // no settings (not a packed file, a datafile, no whole field, or no regular file at all).
    SETTINGS_NOT_SETTINGS_FILE,
    SETTINGS_MISSING,        // Load: no file of that name
    SETTINGS_WRITE_FAILED,   // Save: no room, no permission, a size limit: the old file is whole
    SETTINGS_NAME_TOO_LONG,  // longer than the file system or the selector take
    SETTINGS_NAME_UNTYPABLE, // the selector drops letters outside ASCII as they are typed
};

// Writes the settings to `path`, replacing a settings file of that name but nothing else.
SettingsFileResult save_settings(const char *path);
// Reads settings from `path`; anything other than a settings file changes nothing.
SettingsFileResult load_settings(const char *path);

// Allegro's file selector, then save or load; a cancelled selector changes nothing.
SettingsFileResult save_settings_dialog();
SettingsFileResult load_settings_dialog();
