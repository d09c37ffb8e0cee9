#include "render/textures.h"

#include <allegro.h>
#include <alleggl.h>

std::array<uint32_t, NUM_TEXTURES> texture_ids{};

void load_textures(const char *filename, int count) {
    DATAFILE *data = load_datafile(filename);
    if (data != nullptr) {
        // A short datafile, or something other than a bitmap in a slot, leaves that slot
        // untextured instead of handing a stray pointer to AllegroGL.
        bool ended = false;
        for (int i = 0; i < count && i < NUM_TEXTURES; ++i) {
            ended = ended || data[i].type == DAT_END;
            if (!ended && data[i].type == DAT_BITMAP) {
                texture_ids[i] = allegro_gl_make_texture(static_cast<BITMAP *>(data[i].dat));
            } else {
                texture_ids[i] = 0;
            }
        }
    }
    unload_datafile(data);
}
