// Slots grouped by the square cell of the ground they stand in, the cells hashed into a
// fixed number of buckets, so that a search near one point visits a few buckets instead of a
// whole table. A bucket may also hold slots of other cells, so callers still test every slot
// they are given with the exact test they would use on the whole table.
#pragma once

#include <array>
#include <cstdint>

constexpr int CELL_BUCKETS = 1024;
constexpr int CELL_INDEX_CAPACITY = 512;
constexpr int16_t NO_BUCKET = -1;
// A cell is CELL_SIZE units square: the cell of a coordinate c is floor(c) >> CELL_SHIFT.
constexpr int CELL_SHIFT = 3;
// Coordinates at or beyond this magnitude (and NaN) are not indexed: callers then fall back to
// the plain scan.
constexpr double CELL_COORDINATE_LIMIT = 1099511627776.0; // 2^40

struct CellIndex {
    // The slots of bucket b are slots[first[b]] to slots[first[b + 1] - 1], in ascending order.
    std::array<uint16_t, CELL_BUCKETS + 1> first;
    std::array<uint16_t, CELL_INDEX_CAPACITY> slots;
};

// With this off, the world update scans every tree and every tank instead of asking the
// indexes. The world comes out the same bit for bit: the tests compare the two ways, and the
// tick benchmark measures the indexes against the plain scans.
extern bool cell_indexes_on;

// At most two cells a side, so at most four buckets.
constexpr int MAX_WINDOW_BUCKETS = 4;
using WindowBuckets = std::array<int, MAX_WINDOW_BUCKETS>;

// Whether both coordinates are below CELL_COORDINATE_LIMIT in magnitude (so neither is NaN).
bool indexable(double x, double z);
// The bucket of the cell of an indexable point.
int bucket_of_point(double x, double z);

// Fills the index from the buckets of slots 0 to count - 1; a slot with NO_BUCKET is left out.
void build_cell_index(CellIndex &index, const std::array<int16_t, CELL_INDEX_CAPACITY> &buckets,
                      int count);

// The distinct buckets of the cells that the rectangle [x_lo, x_hi] x [z_lo, z_hi] touches;
// -1 when a corner is not indexable or the rectangle spans more than two cells a side.
int window_buckets(double x_lo, double x_hi, double z_lo, double z_hi, WindowBuckets &out);
