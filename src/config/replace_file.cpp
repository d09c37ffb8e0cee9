#include "config/replace_file.h"

#include <allegro.h>
#ifdef _WIN32
#include <winalleg.h>
#else
#include <cstdio>
#endif

namespace {
// Room for a name converted to the file system's encoding; a longer one is refused.
constexpr int NAME_BUFFER_SIZE = 4096;
} // namespace

bool replace_file(const char *from, const char *to) {
    // Name the files as Allegro names them when it opens them.
    const int encoding = get_filename_encoding();
    if (ustrsizez(from) * 2 > NAME_BUFFER_SIZE || ustrsizez(to) * 2 > NAME_BUFFER_SIZE) {
        return false;
    }
    char from_buffer[NAME_BUFFER_SIZE];
    char to_buffer[NAME_BUFFER_SIZE];
    const char *from_name = uconvert(from, U_CURRENT, from_buffer, encoding, NAME_BUFFER_SIZE);
    const char *to_name = uconvert(to, U_CURRENT, to_buffer, encoding, NAME_BUFFER_SIZE);
#ifdef _WIN32
    // rename() there refuses to replace an existing file.
    constexpr DWORD FLAGS = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (encoding == U_UNICODE) {
        return MoveFileExW(reinterpret_cast<LPCWSTR>(from_name), reinterpret_cast<LPCWSTR>(to_name),
                           FLAGS) != 0;
    }
    return MoveFileExA(from_name, to_name, FLAGS) != 0;
#else
    return std::rename(from_name, to_name) == 0;
#endif
}
