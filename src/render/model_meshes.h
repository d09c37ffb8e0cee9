// The models as indexed triangles, for drawing many copies of one in a single call. Each
// display list's strips, fans and quads are split into triangles, and every vertex carries the
// texture coordinate that is current when the list draws it as part of a tank (the barrel,
// which sets none, keeps the turret's last one). Made on first use from the command tables,
// without OpenGL.
#pragma once

#include "render/models.h"

#include <array>
#include <cstdint>

// Laid out as OpenGL's GL_T2F_V3F.
struct MeshVertex {
    float s, t;
    float x, y, z;
};

constexpr int MAX_MESH_VERTICES = 160;
constexpr int MAX_MESH_INDICES = 512;

enum MeshShade : uint8_t { MESH_SHADE_KEEP, MESH_SHADE_FLAT, MESH_SHADE_SMOOTH };

struct Mesh {
    std::array<MeshVertex, MAX_MESH_VERTICES> vertices;
    int vertex_count;
    std::array<uint16_t, MAX_MESH_INDICES> indices; // three per triangle
    int index_count;
    float radius;          // of the smallest sphere around the model origin that holds it
    MeshShade final_shade; // the shade model the list leaves current
    // A closed surface, its triangles turned counter-clockwise seen from outside: from any
    // point outside it, its triangles that face away lie behind ones that face the eye.
    bool closed;
    // Every triangle turned counter-clockwise seen from outside, going by the surface's own
    // normals where it is not closed.
    bool faces_outward;
};

const Mesh &model_mesh(ModelList list);
