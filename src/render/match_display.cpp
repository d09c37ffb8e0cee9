#include "render/match_display.h"

#include <array>

#include "config/datafile_path.h"
#include "match/world.h"
#include "render/display.h"
#include "render/textures.h"
#include "render/view.h"

namespace {

constexpr const char *TEXTURE_FILE = "textures.dat";

int open_display() {
    if (const int opened = open_match_display(); opened < 0) {
        return opened;
    }
    std::array<char, DATAFILE_PATH_SIZE> path{};
    find_datafile(TEXTURE_FILE, path.data(), DATAFILE_PATH_SIZE);
    load_textures(path.data(), NUM_TEXTURES);
    set_projection();
    return 0;
}

void draw_frame() {
    clear_frame();
    for (int p = 0; p <= last_human_player; ++p) {
        draw_player_view(p);
    }
    show_frame();
}

} // namespace

const MatchDisplay match_display = {open_display, draw_frame, close_match_display};
