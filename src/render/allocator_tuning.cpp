#include "render/allocator_tuning.h"

// Any header of the C library tells whether it is glibc.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

#if defined(__GLIBC__)
// Blocks below this come from the heap rather than from a mapping of their own (the C
// library's largest allowed value), and the heap keeps this much free memory at its top.
constexpr int MAPPING_THRESHOLD = 32 * 1024 * 1024;
constexpr int TRIM_THRESHOLD = 64 * 1024 * 1024;
#endif

} // namespace

void keep_freed_memory_for_reuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, MAPPING_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
#endif
}
