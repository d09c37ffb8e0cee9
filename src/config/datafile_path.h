// Where the datafiles are found: the working directory first, then the program's own folder,
// then the data folder of an installed game, which lies at a fixed place beside the program's.
#pragma once

#include <array>

constexpr int DATAFILE_PATH_SIZE = 1024;
constexpr int MAX_DATAFILE_FOLDERS = 3;

struct DatafileFolders {
    std::array<std::array<char, DATAFILE_PATH_SIZE>, MAX_DATAFILE_FOLDERS> folder;
    int count;
};

// The folders looked in, in order, each once, as absolute paths.
DatafileFolders datafile_folders();

// The path of `name` in the first folder that holds it; false, and `name` itself, when none does.
bool find_datafile(const char *name, char *path, int size);

// What the player is told when `name` (which holds `what`) cannot be loaded: found nowhere
// (`found` false, with the folders looked in), or found at `path` but unreadable.
void datafile_trouble(const char *name, const char *what, bool found, const char *path,
                      char *message, int size);
