#include "frontend/console.h"

#include <cstdio>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
#if !defined(_WIN32)
constexpr int STANDARD_ERROR = 2;
int saved_standard_error = -1;
#endif
} // namespace

// A program without a console on Windows has nothing to hide there, and its sound library
// prints nothing: only the other systems redirect the descriptor.
void mute_standard_error() {
#if !defined(_WIN32)
    if (saved_standard_error >= 0) {
        return;
    }
    std::fflush(stderr);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere < 0) {
        return;
    }
    saved_standard_error = dup(STANDARD_ERROR);
    if (saved_standard_error >= 0) {
        dup2(nowhere, STANDARD_ERROR);
    }
    close(nowhere);
#endif
}

void unmute_standard_error() {
#if !defined(_WIN32)
    if (saved_standard_error < 0) {
        return;
    }
    std::fflush(stderr);
    dup2(saved_standard_error, STANDARD_ERROR);
    close(saved_standard_error);
    saved_standard_error = -1;
#endif
}
