#include "config/datafile_path.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>

namespace {
void add_folder(DatafileFolders &folders, const char *path) {
    std::array<char, DATAFILE_PATH_SIZE> folder{};
    canonicalize_filename(folder.data(), path, DATAFILE_PATH_SIZE);
    put_backslash(folder.data());
    for (int i = 0; i < folders.count; ++i) {
        if (std::strcmp(folders.folder[i].data(), folder.data()) == 0) {
            return;
        }
    }
    folders.folder[folders.count++] = folder;
}

void append(char *message, int size, const char *text) {
    const std::size_t used = std::strlen(message);
    std::snprintf(message + used, static_cast<std::size_t>(size) - used, "%s", text);
}
} // namespace

DatafileFolders datafile_folders() {
    DatafileFolders folders{};
    add_folder(folders, "./");
    // Allegro finds the program's own path on every system it runs on.
    std::array<char, DATAFILE_PATH_SIZE> program{};
    get_executable_name(program.data(), DATAFILE_PATH_SIZE);
    std::array<char, DATAFILE_PATH_SIZE> folder{};
    replace_filename(folder.data(), program.data(), "", DATAFILE_PATH_SIZE);
    add_folder(folders, folder.data());
#ifdef TANKARENA_INSTALLED_DATA
    // The installed tree may be moved as a whole: its data folder is found from the program's.
    std::array<char, DATAFILE_PATH_SIZE> data{};
    append_filename(data.data(), folder.data(), TANKARENA_INSTALLED_DATA, DATAFILE_PATH_SIZE);
    add_folder(folders, data.data());
#endif
    return folders;
}

bool find_datafile(const char *name, char *path, int size) {
    const DatafileFolders folders = datafile_folders();
    for (int i = 0; i < folders.count; ++i) {
        append_filename(path, folders.folder[i].data(), name, size);
        if (file_exists(path, FA_ALL & ~FA_DIREC, nullptr)) {
            return true;
        }
    }
    ustrzcpy(path, size, name);
    return false;
}

void datafile_trouble(const char *name, const char *what, bool found, const char *path,
                      char *message, int size) {
    std::snprintf(message, static_cast<std::size_t>(size), "Couldn't load \"%s\".\n", name);
    if (found) {
        append(message, size, "The ");
        append(message, size, what);
        append(message, size, " in\n");
        append(message, size, path);
        append(message, size, "\nare unreadable or incomplete.");
        return;
    }
    append(message, size, "Looked for the ");
    append(message, size, what);
    append(message, size, " in:");
    const DatafileFolders folders = datafile_folders();
    for (int i = 0; i < folders.count; ++i) {
        append(message, size, "\n");
        append(message, size, folders.folder[i].data());
    }
}
