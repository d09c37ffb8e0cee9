// The models as plain command tables: shade-model changes, primitives, normals, texture
// coordinates and vertices in drawing order. The match compiles them into display lists;
// nothing here needs OpenGL, so the tables can be checked without a display.
#pragma once

#include <cstdint>

enum ModelOp : uint8_t {
    MODEL_SHADE_FLAT,
    MODEL_SHADE_SMOOTH,
    MODEL_BEGIN,
    MODEL_END,
    MODEL_NORMAL,   // x, y, z
    MODEL_TEXCOORD, // s in x, t in y
    MODEL_VERTEX,   // x, y, z
};

enum PrimitiveKind : uint8_t {
    PRIMITIVE_NONE, // every command but MODEL_BEGIN
    PRIMITIVE_TRIANGLES,
    PRIMITIVE_TRIANGLE_STRIP,
    PRIMITIVE_TRIANGLE_FAN,
    PRIMITIVE_QUADS,
    PRIMITIVE_QUAD_STRIP,
};

struct ModelCommand {
    ModelOp op;
    PrimitiveKind kind;
    float x, y, z;
};

struct ModelCommandList {
    const ModelCommand *commands;
    int count;
};

// The commands of one display list, by its ModelList entry; empty for any other number.
ModelCommandList model_commands(int list);
