#include "match/cell_index.h"

#include <cmath>

bool cell_indexes_on = true;

namespace {

constexpr int BUCKET_BITS = 10;
static_assert(CELL_BUCKETS == 1 << BUCKET_BITS, "the hash keeps BUCKET_BITS bits");
constexpr uint64_t HASH_X = 0x9E3779B97F4A7C15ULL;
constexpr uint64_t HASH_Z = 0xC2B2AE3D27D4EB4FULL;
constexpr int64_t MAX_CELL_SPAN = 1;

int64_t cell_of_checked(double coordinate) {
    return static_cast<int64_t>(std::floor(coordinate)) >> CELL_SHIFT;
}

int bucket_of_cell(int64_t cell_x, int64_t cell_z) {
    const uint64_t h =
        static_cast<uint64_t>(cell_x) * HASH_X + static_cast<uint64_t>(cell_z) * HASH_Z;
    return static_cast<int>(h >> (64 - BUCKET_BITS));
}

} // namespace

bool indexable(double x, double z) {
    return std::fabs(x) < CELL_COORDINATE_LIMIT && std::fabs(z) < CELL_COORDINATE_LIMIT;
}

int bucket_of_point(double x, double z) {
    return bucket_of_cell(cell_of_checked(x), cell_of_checked(z));
}

void build_cell_index(CellIndex &index, const std::array<int16_t, CELL_INDEX_CAPACITY> &buckets,
                      int count) {
    // A counting sort by bucket: slots keep their ascending order within each bucket.
    std::array<uint16_t, CELL_BUCKETS + 1> next{};
    for (int i = 0; i < count; ++i) {
        if (buckets[i] != NO_BUCKET) {
            ++next[buckets[i] + 1];
        }
    }
    for (int b = 0; b < CELL_BUCKETS; ++b) {
        next[b + 1] = static_cast<uint16_t>(next[b + 1] + next[b]);
    }
    index.first = next;
    for (int i = 0; i < count; ++i) {
        if (buckets[i] != NO_BUCKET) {
            index.slots[next[buckets[i]]++] = static_cast<uint16_t>(i);
        }
    }
}

int window_buckets(double x_lo, double x_hi, double z_lo, double z_hi, WindowBuckets &out) {
    if (!indexable(x_lo, z_lo) || !indexable(x_hi, z_hi)) {
        return -1;
    }
    const int64_t x0 = cell_of_checked(x_lo);
    const int64_t x1 = cell_of_checked(x_hi);
    const int64_t z0 = cell_of_checked(z_lo);
    const int64_t z1 = cell_of_checked(z_hi);
    if (x1 - x0 > MAX_CELL_SPAN || z1 - z0 > MAX_CELL_SPAN || x1 < x0 || z1 < z0) {
        return -1;
    }
    int n = 0;
    for (int64_t cx = x0; cx <= x1; ++cx) {
        for (int64_t cz = z0; cz <= z1; ++cz) {
            const int b = bucket_of_cell(cx, cz);
            bool seen = false;
            for (int i = 0; i < n; ++i) {
                seen = seen || out[i] == b;
            }
            if (!seen) {
                out[n++] = b;
            }
        }
    }
    return n;
}
