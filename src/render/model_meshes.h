// The models as indexed triangles, for drawing many copies of one in a single call: each
// model's primitives split into the triangles OpenGL would make of them, every one turned
// counter-clockwise seen from outside, and every vertex carrying the texture coordinate that is
// current when it is given (the barrel, which gives none, keeps the turret's last one). Made
// on first use from the model tables, without OpenGL.
#pragma once

#include "render/model_data.h"

#include <array>
#include <cstdint>

// Laid out as OpenGL's GL_T2F_V3F.
struct MeshVertex {
    float s, t;
    float x, y, z;
};

constexpr int MAX_MESH_VERTICES = 160;
constexpr int MAX_MESH_INDICES = 512;

struct Mesh {
    std::array<MeshVertex, MAX_MESH_VERTICES> vertices;
    int vertex_count;
    std::array<uint16_t, MAX_MESH_INDICES> indices; // three per triangle
    int index_count;
    float radius; // of the smallest sphere around the model origin that holds it
    bool back_faces_hidden;
};

const Mesh &model_mesh(Model model);
