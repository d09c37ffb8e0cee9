#include "match/random.h"

#include <cstdlib>

namespace {

int random_draw() {
    return std::rand() % RANDOM_RANGE;
}

} // namespace

int64_t random_below(int64_t n) {
    if (n < 1) {
        n = 1;
    }
    return random_draw() % n;
}
