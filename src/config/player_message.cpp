#include "config/player_message.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <winalleg.h>
#endif

void tell_player(const char *message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
#ifdef _WIN32
    // Allegro's own box needs its system driver, which may be what failed to start.
    if (system_driver != nullptr) {
        allegro_message("%s\n", message);
    } else {
        MessageBoxA(nullptr, message, "Tank Arena", MB_OK | MB_ICONERROR);
    }
#endif
}

void fit_message_lines(const char *message, char *out, int size) {
    int used = 0;
    auto put = [&](const char *from, int count) {
        for (int i = 0; i < count && used < size - 1; ++i) {
            out[used++] = from[i];
        }
    };
    const char *line = message;
    while (*line != '\0') {
        const char *end = std::strchr(line, '\n');
        int length =
            end != nullptr ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
        while (length > MESSAGE_LINE_LENGTH) {
            int cut = MESSAGE_LINE_LENGTH;
            int skip = 0;
            for (int i = MESSAGE_LINE_LENGTH; i > 0; --i) {
                if (line[i] == ' ') {
                    cut = i;
                    skip = 1;
                    break;
                }
                if (i > 1 && line[i - 1] == '/') {
                    cut = i;
                    break;
                }
            }
            put(line, cut);
            put("\n", 1);
            line += cut + skip;
            length -= cut + skip;
        }
        put(line, length);
        line += length;
        if (*line == '\n') {
            put("\n", 1);
            ++line;
        }
    }
    out[used] = '\0';
}
