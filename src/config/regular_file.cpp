#include "config/regular_file.h"

#include <allegro.h>
#include <cstring>

#ifdef _WIN32
#include <winalleg.h>
#else
#include <allegro/internal/aintern.h>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Room for a name converted to the file system's encoding; a longer one is refused.
constexpr int NAME_BUFFER_SIZE = 4096;
// Links followed before a chain of them is taken for a loop.
constexpr int MAX_LINKS = 40;

#ifdef _WIN32
constexpr int MAX_NAME_BYTES = 255;
constexpr int MAX_PATH_BYTES = MAX_PATH - 1;

bool is_folder(const char *path) {
    int attributes = 0;
    return file_exists(path, FA_ALL, &attributes) && (attributes & FA_DIREC) != 0;
}
#else
constexpr int MAX_NAME_BYTES = NAME_MAX;
constexpr int MAX_PATH_BYTES = PATH_MAX - 1;
constexpr mode_t NEW_FILE_MODE = 0666; // less the user's umask, as for any other program

// The name as the file system spells it, in `buffer`; null when it does not fit.
const char *system_name(const char *path, char *buffer) {
    if (ustrsizez(path) * 2 > NAME_BUFFER_SIZE) {
        return nullptr;
    }
    return uconvert(path, U_CURRENT, buffer, get_filename_encoding(), NAME_BUFFER_SIZE);
}

int open_name(const char *path, int flags) {
    char buffer[NAME_BUFFER_SIZE];
    const char *name = system_name(path, buffer);
    // A terminal opened by mistake never becomes the game's own.
    return name == nullptr ? -1 : open(name, flags | O_CLOEXEC | O_NOCTTY, NEW_FILE_MODE);
}

// `fd` when it is open on a regular file, else -1 with `fd` closed. The descriptor was opened
// without waiting, which changes nothing for a regular file's reads and writes.
int regular_only(int fd) {
    struct stat status {};
    if (fd >= 0 && (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(fd);
        return -1;
    }
    return fd;
}

// Allegro's packed file over an open regular file. When that fails Allegro has closed the
// descriptor itself, or kept it only when it ran out of memory.
PACKFILE *packfile_over(int fd, const char *mode) {
    return fd < 0 ? nullptr : _pack_fdopen(fd, mode);
}
#endif
} // namespace

PACKFILE *open_regular_for_reading(const char *path, const char *mode) {
#ifdef _WIN32
    return is_folder(path) ? nullptr : pack_fopen(path, mode);
#else
    return packfile_over(regular_only(open_name(path, O_RDONLY | O_NONBLOCK)), mode);
#endif
}

PACKFILE *open_regular_for_writing(const char *path, const char *mode) {
#ifdef _WIN32
    return is_folder(path) ? nullptr : pack_fopen(path, mode);
#else
    // Emptied only once it is known to be a regular file: O_TRUNC would act before the check.
    const int fd = regular_only(open_name(path, O_WRONLY | O_CREAT | O_NONBLOCK));
    if (fd >= 0 && ftruncate(fd, 0) != 0) {
        close(fd);
        return nullptr;
    }
    return packfile_over(fd, mode);
#endif
}

bool taken_by_other_kind(const char *path) {
#ifdef _WIN32
    return is_folder(path);
#else
    char buffer[NAME_BUFFER_SIZE];
    const char *name = system_name(path, buffer);
    struct stat status {};
    return name != nullptr && stat(name, &status) == 0 && !S_ISREG(status.st_mode);
#endif
}

PACKFILE *create_new_file(const char *path, const char *mode) {
#ifdef _WIN32
    return file_exists(path, FA_ALL, nullptr) ? nullptr : pack_fopen(path, mode);
#else
    return packfile_over(regular_only(open_name(path, O_WRONLY | O_CREAT | O_EXCL)), mode);
#endif
}

bool follow_links(const char *path, char *target, int size) {
#ifdef _WIN32
    if (ustrsizez(path) > size) {
        return false;
    }
    ustrzcpy(target, size, path);
    return true;
#else
    char name[NAME_BUFFER_SIZE];
    const char *converted = system_name(path, name);
    if (converted == nullptr) {
        return false;
    }
    std::memmove(name, converted, std::strlen(converted) + 1);
    for (int links = 0; links <= MAX_LINKS; ++links) {
        struct stat status {};
        if (lstat(name, &status) != 0 || !S_ISLNK(status.st_mode)) {
            const int encoding = get_filename_encoding();
            if (uconvert_size(name, encoding, U_CURRENT) > size) {
                return false;
            }
            ustrzcpy(target, size, uconvert(name, encoding, target, U_CURRENT, size));
            return true;
        }
        char link[NAME_BUFFER_SIZE];
        const ssize_t length = readlink(name, link, sizeof link - 1);
        if (length < 0) {
            return false;
        }
        link[length] = '\0';
        // A relative link names a file in the link's own folder.
        const char *slash = std::strrchr(name, '/');
        const long folder = link[0] == '/' || slash == nullptr ? 0 : slash - name + 1;
        if (folder + length >= NAME_BUFFER_SIZE) {
            return false;
        }
        std::memcpy(name + folder, link, length + 1);
    }
    return false;
#endif
}

bool name_fits(const char *path, int spare) {
    char buffer[NAME_BUFFER_SIZE];
    if (ustrsizez(path) * 2 > NAME_BUFFER_SIZE) {
        return false;
    }
    const char *name = uconvert(path, U_CURRENT, buffer, get_filename_encoding(), sizeof buffer);
    const char *last = std::strrchr(name, '/');
#ifdef _WIN32
    const char *last_backslash = std::strrchr(name, '\\');
    if (last_backslash != nullptr && (last == nullptr || last_backslash > last)) {
        last = last_backslash;
    }
#endif
    const int name_bytes = static_cast<int>(std::strlen(last == nullptr ? name : last + 1));
    return name_bytes + spare <= MAX_NAME_BYTES &&
           static_cast<int>(std::strlen(name)) + spare <= MAX_PATH_BYTES;
}
