#include "render/textures.h"

#include "config/datafile_check.h"

#include <allegro.h>
#include <alleggl.h>

std::array<uint32_t, NUM_TEXTURES> texture_ids{};

namespace {

// Every texture is clamped at its edges, so that a face whose coordinates run past the image
// shows the image's edge there; only the ground is switched to repeat, before each ground quad.
// Some AllegroGL versions leave OpenGL's default (repeat) on a new texture. Plain GL_CLAMP
// blends the black border colour into that edge under linear filtering on conforming drivers
// (Mesa among them), darkening tanks and walls to half or a quarter, so edge clamping is used
// wherever the driver has it.
void clamp_texture(GLuint name) {
    const GLint wrap =
        allegro_gl_extensions_GL.SGIS_texture_edge_clamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

void load_textures(const char *filename, int count) {
    // A cut-short datafile would crash Allegro's loader: it is walked first.
    DATAFILE *data = load_intact_datafile(filename);
    if (data != nullptr) {
        // A short datafile, or something other than a bitmap in a slot, leaves that slot
        // untextured instead of handing a stray pointer to AllegroGL.
        bool ended = false;
        for (int i = 0; i < count && i < NUM_TEXTURES; ++i) {
            ended = ended || data[i].type == DAT_END;
            texture_ids[i] = 0;
            if (!ended && data[i].type == DAT_BITMAP) {
                texture_ids[i] = allegro_gl_make_texture(static_cast<BITMAP *>(data[i].dat));
            }
            if (texture_ids[i] != 0) {
                clamp_texture(texture_ids[i]);
            }
        }
    }
    unload_datafile(data);
}
