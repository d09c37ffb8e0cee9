// Conversions that stay defined whatever a settings file put in the world.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// A float turned into an int is truncated toward zero and held to the int range;
// NaN becomes 0.
inline int32_t trunc_to_int(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

// |trunc(v)| < limit, without overflowing on the most negative int.
inline bool trunc_within(double v, int32_t limit) {
    int64_t t = trunc_to_int(v);
    return (t < 0 ? -t : t) < limit;
}
