#include "match/tree_index.h"

#include "match/cell_index.h"
#include "match/numeric.h"
#include "match/world.h"

#include <cstring>

namespace {

// A tree blocks the open square -TREE_HALF_SIZE < d < TREE_HALF_SIZE around it, after
// truncating the difference toward zero.
constexpr int32_t TREE_HALF_SIZE = 2;
// A blocking tree lies less than TREE_HALF_SIZE from the point on each axis (rounding the
// difference cannot carry it across +-2, which are exact), so a search this far out, with
// room to spare for the rounding of the search bounds, finds every tree that can block.
constexpr double TREE_REACH = 3.0;

static_assert(MAX_TREES <= CELL_INDEX_CAPACITY, "every tree slot fits the index");

CellIndex tree_cells;
// The table as it was indexed; a count of -1 means never indexed.
std::array<Tree, MAX_TREES> indexed_trees;
int indexed_count = -1;

bool blocked_by_tree(float x, float z, const Tree &tree) {
    return trunc_within(static_cast<double>(x) - tree.x, TREE_HALF_SIZE) &&
           trunc_within(static_cast<double>(z) - tree.z, TREE_HALF_SIZE);
}

// NaN, infinite and huge points, where the index does not help, and every point while the
// indexes are off.
bool blocked_by_scan(float x, float z) {
    const int count = trees_in_play();
    for (int i = 0; i < count; ++i) {
        if (blocked_by_tree(x, z, trees[i])) {
            return true;
        }
    }
    return false;
}

} // namespace

void refresh_tree_index() {
    const int count = trees_in_play();
    if (count == indexed_count &&
        std::memcmp(trees.data(), indexed_trees.data(), sizeof(Tree) * count) == 0) {
        return;
    }
    std::array<int16_t, CELL_INDEX_CAPACITY> buckets{};
    for (int i = 0; i < count; ++i) {
        buckets[i] = static_cast<int16_t>(bucket_of_point(trees[i].x, trees[i].z));
    }
    build_cell_index(tree_cells, buckets, count);
    std::memcpy(indexed_trees.data(), trees.data(), sizeof(Tree) * count);
    indexed_count = count;
}

bool blocked_by_any_tree(float x, float z) {
    WindowBuckets buckets;
    const int n = cell_indexes_on ? window_buckets(x - TREE_REACH, x + TREE_REACH, z - TREE_REACH,
                                                   z + TREE_REACH, buckets)
                                  : -1;
    if (n < 0) {
        return blocked_by_scan(x, z);
    }
    for (int b = 0; b < n; ++b) {
        for (int i = tree_cells.first[buckets[b]]; i < tree_cells.first[buckets[b] + 1]; ++i) {
            if (blocked_by_tree(x, z, trees[tree_cells.slots[i]])) {
                return true;
            }
        }
    }
    return false;
}
