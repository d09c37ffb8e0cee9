#include "render/model_meshes.h"

#include <cmath>
#include <utility>

namespace {

struct Meshes {
    std::array<Mesh, NUM_MODELS> meshes{};
};

void add_triangle(Mesh &mesh, FrontFace front, int a, int b, int c) {
    if (mesh.index_count + 3 > MAX_MESH_INDICES) {
        return;
    }
    if (front == FRONT_CW) {
        std::swap(b, c);
    }
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(a);
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(b);
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(c);
}

// The triangles OpenGL makes of one primitive over the vertices first to first + n - 1, each
// turned the way OpenGL turns it.
void split_piece(Mesh &mesh, const ModelPiece &piece, int first) {
    const int n = piece.vertex_count;
    const FrontFace f = piece.front;
    switch (piece.kind) {
    case PRIMITIVE_TRIANGLE_STRIP:
        for (int i = 0; i + 2 < n; ++i) {
            const int v = first + i;
            if (i % 2 == 0) {
                add_triangle(mesh, f, v, v + 1, v + 2);
            } else {
                add_triangle(mesh, f, v + 1, v, v + 2);
            }
        }
        break;
    case PRIMITIVE_TRIANGLE_FAN:
        for (int i = 1; i + 1 < n; ++i) {
            add_triangle(mesh, f, first, first + i, first + i + 1);
        }
        break;
    case PRIMITIVE_QUADS:
        for (int i = 0; i + 3 < n; i += 4) {
            const int v = first + i;
            add_triangle(mesh, f, v, v + 1, v + 3);
            add_triangle(mesh, f, v + 1, v + 2, v + 3);
        }
        break;
    case PRIMITIVE_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) {
            const int v = first + i;
            add_triangle(mesh, f, v, v + 1, v + 3);
            add_triangle(mesh, f, v, v + 3, v + 2);
        }
        break;
    case PRIMITIVE_TRIANGLES:
        for (int i = 0; i + 2 < n; i += 3) {
            add_triangle(mesh, f, first + i, first + i + 1, first + i + 2);
        }
        break;
    }
}

// Vertices that agree in position and texture coordinate become one, so that each is moved
// and transformed once however many triangles share it.
void weld_vertices(Mesh &mesh) {
    std::array<uint16_t, MAX_MESH_VERTICES> new_index{};
    int kept = 0;
    for (int i = 0; i < mesh.vertex_count; ++i) {
        const MeshVertex &v = mesh.vertices[i];
        int same = kept;
        for (int j = 0; j < kept; ++j) {
            const MeshVertex &w = mesh.vertices[j];
            if (v.x == w.x && v.y == w.y && v.z == w.z && v.s == w.s && v.t == w.t) {
                same = j;
                break;
            }
        }
        if (same == kept) {
            mesh.vertices[kept++] = v;
        }
        new_index[i] = static_cast<uint16_t>(same);
    }
    for (int i = 0; i < mesh.index_count; ++i) {
        mesh.indices[i] = new_index[mesh.indices[i]];
    }
    mesh.vertex_count = kept;
}

// s and t carry the current texture coordinate from one model to the next.
void make_mesh(Mesh &mesh, const ModelTable &table, float &s, float &t) {
    mesh.vertex_count = 0;
    mesh.index_count = 0;
    mesh.radius = 0.0f;
    mesh.back_faces_hidden = table.back_faces_hidden;
    for (int i = 0; i < table.vertex_count && i < MAX_MESH_VERTICES; ++i) {
        const ModelVertex &v = table.vertices[i];
        if (v.has_texcoord) {
            s = v.s;
            t = v.t;
        }
        mesh.vertices[mesh.vertex_count++] = MeshVertex{s, t, v.x, v.y, v.z};
        mesh.radius = std::fmax(mesh.radius, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
    }
    int first = 0;
    for (int p = 0; p < table.piece_count; ++p) {
        split_piece(mesh, table.pieces[p], first);
        first += table.pieces[p].vertex_count;
    }
    weld_vertices(mesh);
}

Meshes make_meshes() {
    Meshes made;
    // The tank's models in the order a tank is drawn, so the barrel inherits the turret's last
    // texture coordinate.
    float s = 0.0f;
    float t = 0.0f;
    for (int model = 0; model < NUM_MODELS; ++model) {
        make_mesh(made.meshes[model], model_table(static_cast<Model>(model)), s, t);
    }
    return made;
}

} // namespace

const Mesh &model_mesh(Model model) {
    static const Meshes made = make_meshes();
    return made.meshes[model];
}
