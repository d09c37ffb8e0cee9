// Payloads of Allegro packed files: read as far as they go, written whole or not at all.
#pragma once

// The longest payload these routines handle: the four control records.
constexpr long MAX_PACKED_PAYLOAD = 128;

// Both files are made of 4-byte fields; a field the file ends inside is not taken.
constexpr long PAYLOAD_FIELD_SIZE = 4;

inline long whole_field_bytes(long bytes) {
    return bytes - bytes % PAYLOAD_FIELD_SIZE;
}

// Reads up to `size` payload bytes of the packed file `path` into `buffer` and returns how many
// arrived, or -1 when the file cannot be opened as a packed file or a read fails.
long read_packed_file(const char *path, unsigned char *buffer, long size);

// Writes the `size` bytes of `payload` (at most MAX_PACKED_PAYLOAD) as the packed file `path`,
// one write of `chunk` bytes at a time. The bytes go to a new file beside `path`, which must read
// back the same before it takes the place of `path`. On any failure that new file is removed,
// `path` is left as it was, and the result is false.
bool write_packed_file(const char *path, const unsigned char *payload, long size, long chunk);
