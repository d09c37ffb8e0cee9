// Settings files: the eleven match parameters, saved and loaded on request.
#pragma once

constexpr int SETTINGS_PATH_SIZE = 255;

void save_settings(const char *path);
void load_settings(const char *path);

// Allegro's file selector, then save or load; a cancelled selector changes nothing.
void save_settings_dialog();
void load_settings_dialog();
