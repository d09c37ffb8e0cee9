#include "frontend/pad_presence.h"

#ifdef _WIN32

// Allegro's DirectInput driver gives no sign of a lost pad: it stays as it last was.
bool pad_connected(int) {
    return true;
}

#else

#include <cstdio>
#include <initializer_list>
#include <unistd.h>

// Allegro opens pad n as /dev/input/jsN, or as /dev/jsN on older systems; the device goes when
// the pad is pulled out.
bool pad_connected(int pad) {
    for (const char *format : {"/dev/input/js%d", "/dev/js%d"}) {
        char path[32];
        std::snprintf(path, sizeof path, format, pad);
        if (access(path, F_OK) == 0) {
            return true;
        }
    }
    return false;
}

#endif
