// The models as tables: each one a run of primitives (strips, fans, quads, triangles) over its
// vertices in drawing order, with the facts about its surface that the renderer relies on.
// The frame's indexed meshes are made from these; nothing here needs OpenGL.
#pragma once

#include <cstdint>

enum Model : uint8_t {
    HULL_MODEL = 0,
    LEFT_TRACK_MODEL,
    RIGHT_TRACK_MODEL,
    TURRET_MODEL,
    BARREL_MODEL,
    SHELL_MODEL,
    TREE_MODEL,
    // Simpler tank parts for copies far enough away that nobody can tell them from the full
    // ones (the barrel's after the turret's, whose last texture coordinate it keeps).
    HULL_FAR_MODEL,
    LEFT_TRACK_FAR_MODEL,
    RIGHT_TRACK_FAR_MODEL,
    TURRET_FAR_MODEL,
    BARREL_FAR_MODEL,
    // Simpler still, for copies further away.
    HULL_DISTANT_MODEL,
    LEFT_TRACK_DISTANT_MODEL,
    RIGHT_TRACK_DISTANT_MODEL,
    TURRET_DISTANT_MODEL,
    BARREL_DISTANT_MODEL,
};
constexpr int NUM_FULL_MODELS = 7;
constexpr int NUM_MODELS = 17;

enum PrimitiveKind : uint8_t {
    PRIMITIVE_TRIANGLES,
    PRIMITIVE_TRIANGLE_STRIP,
    PRIMITIVE_TRIANGLE_FAN,
    PRIMITIVE_QUADS,
    PRIMITIVE_QUAD_STRIP,
};

// Which way a primitive's triangles turn, in the order OpenGL makes them, seen from outside
// the model: counter-clockwise (OpenGL's front faces) or clockwise.
enum FrontFace : uint8_t { FRONT_CCW, FRONT_CW };

struct ModelPiece {
    PrimitiveKind kind;
    FrontFace front;
    int vertex_count;
};

// A vertex, with the texture coordinate given just before it; one without a texture
// coordinate keeps the last one given, in this model or the one before it.
struct ModelVertex {
    bool has_texcoord;
    float s, t;
    float x, y, z;
};

struct ModelTable {
    const ModelPiece *pieces;
    int piece_count;
    const ModelVertex *vertices;
    int vertex_count;
    // Every edge shared by exactly two triangles: seen from outside, the triangles facing away
    // lie behind ones facing the eye.
    bool closed;
    // Seen from outside, the triangles facing away are hidden, by the model itself or by the
    // models drawn with it: a tank's hull is open at its sides, but each side lies inside a
    // track, so any sight line into the hull passes through a track's near side first.
    bool back_faces_hidden;
    // A far or distant model: how far at most (model units) any point of it lies from the full
    // model's surface, and any point of the full model's surface from it, faces turned straight
    // down (which no eye above the ground sees) left aside. 0 for the full models.
    float error;
};

const ModelTable &model_table(Model model);
// A tank part's model by level of detail: 0 the full one, 1 the far one, 2 the distant one; any
// other model is itself at every level.
constexpr int DETAIL_LEVELS = 3;
Model model_at_level(Model model, int level);
// The far and distant models, each a choice of the full model's vertices (far_model_data.cpp).
const ModelTable &far_model_table(Model model);
