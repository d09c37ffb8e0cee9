#include "config/packed_file.h"

#include "config/regular_file.h"
#include "config/replace_file.h"

#include <allegro.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

// The payloads are memory images of the records, and the files are little-endian.
#ifndef ALLEGRO_LITTLE_ENDIAN
#error "The configuration files need a little-endian machine"
#endif

namespace {

constexpr int TEMP_PATH_SIZE = 4096;
// How many names beside the target are tried for the new file before giving up.
constexpr int TEMP_NAME_TRIES = 10;

// A name beside `path` that no file or folder uses yet.
bool make_temp_path(const char *path, char *temp) {
    for (int i = 0; i < TEMP_NAME_TRIES; ++i) {
        const int length = i == 0 ? std::snprintf(temp, TEMP_PATH_SIZE, "%s.tmp", path)
                                  : std::snprintf(temp, TEMP_PATH_SIZE, "%s.tmp%d", path, i);
        if (length < 0 || length >= TEMP_PATH_SIZE) {
            return false;
        }
        if (!file_exists(temp, FA_ALL, nullptr)) {
            return true;
        }
    }
    return false;
}

bool write_payload(const char *path, const unsigned char *payload, long size, long chunk) {
    PACKFILE *file = create_new_file(path, "pw");
    if (file == nullptr) {
        return false;
    }
    bool written = true;
    for (long done = 0; written && done < size; done += chunk) {
        const long part = std::min(chunk, size - done);
        written = pack_fwrite(payload + done, part, file) == part;
    }
    written = written && pack_ferror(file) == 0;
    const bool closed = pack_fclose(file) == 0;
    return written && closed;
}

// Allegro reports a packed file closed fine even when the disk refused its last bytes, so a new
// file is trusted only once it reads back exactly the payload.
bool reads_back(const char *path, const unsigned char *payload, long size) {
    std::array<unsigned char, MAX_PACKED_PAYLOAD + 1> back{};
    return read_packed_file(path, back.data(), size + 1) == size &&
           std::memcmp(back.data(), payload, size) == 0;
}

} // namespace

long read_packed_file(const char *path, unsigned char *buffer, long size) {
    PACKFILE *file = open_regular_for_reading(path, "pr");
    if (file == nullptr) {
        return -1;
    }
    const long got = pack_fread(buffer, size, file);
    const bool failed = got < 0 || pack_ferror(file) != 0;
    pack_fclose(file);
    return failed ? -1 : got;
}

bool write_packed_file(const char *path, const unsigned char *payload, long size, long chunk) {
    if (size < 0 || size > MAX_PACKED_PAYLOAD || chunk <= 0) {
        return false;
    }
    // A link stays a link: the file it names is the one replaced.
    char target[TEMP_PATH_SIZE];
    if (!follow_links(path, target, TEMP_PATH_SIZE)) {
        return false;
    }
    // A folder, a FIFO, a device or a read-only file of that name would refuse a direct write:
    // leave it alone.
    int attributes = 0;
    if (taken_by_other_kind(target)) {
        return false;
    }
    if (file_exists(target, FA_ALL, &attributes) && (attributes & FA_RDONLY) != 0) {
        errno = EACCES;
        return false;
    }
    char temp[TEMP_PATH_SIZE];
    if (!make_temp_path(target, temp)) {
        return false;
    }
    if (write_payload(temp, payload, size, chunk) && reads_back(temp, payload, size) &&
        replace_file(temp, target)) {
        return true;
    }
    // The reason the write failed outlasts the clean-up.
    const int why = errno;
    delete_file(temp);
    errno = why;
    return false;
}
