#include "config/datafile_check.h"

#include "config/regular_file.h"

#include <allegro.h>
#include <array>
#include <cstdint>

namespace {
// Nested datafiles deeper than this are not expected in the game's files.
constexpr int MAX_NESTING = 8;
constexpr int SKIP_BLOCK = 4096;
constexpr int LONG_BYTES = 4;

struct DatafileReader {
    PACKFILE *file;
    long consumed; // bytes of the unpacked stream read so far
    bool cut_short;
};

// Big-endian, as datafiles store their numbers.
long read_long(DatafileReader &reader) {
    std::array<unsigned char, LONG_BYTES> bytes{};
    if (pack_fread(bytes.data(), LONG_BYTES, reader.file) != LONG_BYTES) {
        reader.cut_short = true;
        return -1;
    }
    reader.consumed += LONG_BYTES;
    const unsigned long value = (static_cast<unsigned long>(bytes[0]) << 24) |
                                (static_cast<unsigned long>(bytes[1]) << 16) |
                                (static_cast<unsigned long>(bytes[2]) << 8) | bytes[3];
    return static_cast<long>(static_cast<int32_t>(value));
}

bool skip_bytes(DatafileReader &reader, long count) {
    std::array<char, SKIP_BLOCK> block{};
    while (count > 0) {
        const long wanted = count < SKIP_BLOCK ? count : SKIP_BLOCK;
        if (pack_fread(block.data(), wanted, reader.file) != wanted) {
            reader.cut_short = true;
            return false;
        }
        reader.consumed += wanted;
        count -= wanted;
    }
    return true;
}

bool objects_intact(DatafileReader &reader, int nesting);

// One object: its properties, its type and its data, which for a nested datafile must hold
// all of that datafile's objects.
bool object_intact(DatafileReader &reader, int nesting) {
    long type = read_long(reader);
    while (type == DAT_PROPERTY) {
        read_long(reader); // the property's own type
        const long size = read_long(reader);
        if (reader.cut_short || size < 0 || !skip_bytes(reader, size)) {
            return false;
        }
        type = read_long(reader);
    }
    const long raw_size = read_long(reader);
    const long unpacked_size = read_long(reader);
    // The loader has no reader for the end marker: a type of -1 is where it would crash.
    if (reader.cut_short || type == DAT_END || raw_size < 0) {
        return false;
    }
    if (type != DAT_FILE) {
        return skip_bytes(reader, raw_size);
    }
    // A compressed nested datafile cannot be walked here, so it is not trusted.
    if (unpacked_size < 0 || nesting >= MAX_NESTING) {
        return false;
    }
    const long start = reader.consumed;
    if (!objects_intact(reader, nesting + 1)) {
        return false;
    }
    const long used = reader.consumed - start;
    return used <= raw_size && skip_bytes(reader, raw_size - used);
}

bool objects_intact(DatafileReader &reader, int nesting) {
    const long count = read_long(reader);
    if (reader.cut_short || count < 0) {
        return false;
    }
    for (long i = 0; i < count; ++i) {
        if (!object_intact(reader, nesting)) {
            return false;
        }
    }
    return true;
}

// True when the file at `path` is an Allegro datafile that holds every object it announces,
// nested datafiles included, so that load_datafile can read it to its end.
bool datafile_intact(const char *path) {
    PACKFILE *file = open_regular_for_reading(path, F_READ_PACKED);
    if (file == nullptr) {
        return false;
    }
    DatafileReader reader{file, 0, false};
    const bool intact = read_long(reader) == DAT_MAGIC && objects_intact(reader, 0);
    pack_fclose(file);
    return intact;
}

} // namespace

// Only a regular file is walked, so a FIFO or a device never reaches Allegro's loader.
DATAFILE *load_intact_datafile(const char *path) {
    return datafile_intact(path) ? load_datafile(path) : nullptr;
}
