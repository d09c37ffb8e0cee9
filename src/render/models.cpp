#include "render/models.h"

#include "render/model_data.h"

#include <allegro.h>
#include <alleggl.h>

std::array<uint32_t, NUM_MODEL_LISTS> model_lists{};

namespace {

GLenum primitive_mode(PrimitiveKind kind) {
    switch (kind) {
    case PRIMITIVE_TRIANGLE_STRIP:
        return GL_TRIANGLE_STRIP;
    case PRIMITIVE_TRIANGLE_FAN:
        return GL_TRIANGLE_FAN;
    case PRIMITIVE_QUADS:
        return GL_QUADS;
    case PRIMITIVE_QUAD_STRIP:
        return GL_QUAD_STRIP;
    case PRIMITIVE_TRIANGLES:
    case PRIMITIVE_NONE:
        break;
    }
    return GL_TRIANGLES;
}

void emit_commands(const ModelCommandList &list) {
    for (int i = 0; i < list.count; ++i) {
        const ModelCommand &c = list.commands[i];
        switch (c.op) {
        case MODEL_SHADE_FLAT:
            glShadeModel(GL_FLAT);
            break;
        case MODEL_SHADE_SMOOTH:
            glShadeModel(GL_SMOOTH);
            break;
        case MODEL_BEGIN:
            glBegin(primitive_mode(c.kind));
            break;
        case MODEL_END:
            glEnd();
            break;
        case MODEL_NORMAL:
            glNormal3f(c.x, c.y, c.z);
            break;
        case MODEL_TEXCOORD:
            glTexCoord2f(c.x, c.y);
            break;
        case MODEL_VERTEX:
            glVertex3f(c.x, c.y, c.z);
            break;
        }
    }
}

} // namespace

void build_model_lists() {
    GLuint first = glGenLists(NUM_MODEL_LISTS);
    if (first == 0) {
        // No run of names to be had: the views draw no models this match.
        model_lists.fill(0);
        return;
    }
    for (int i = 0; i < NUM_MODEL_LISTS; ++i) {
        model_lists[i] = first + static_cast<GLuint>(i);
    }
    for (int i = 0; i < NUM_MODEL_LISTS; ++i) {
        glNewList(model_lists[i], GL_COMPILE);
        emit_commands(model_commands(i));
        glEndList();
    }
}
