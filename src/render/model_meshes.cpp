#include "render/model_meshes.h"

#include "render/model_data.h"

#include <cmath>
#include <utility>

namespace {

struct Meshes {
    std::array<Mesh, NUM_MODEL_LISTS> meshes{};
};

void add_triangle(Mesh &mesh, int a, int b, int c) {
    if (mesh.index_count + 3 > MAX_MESH_INDICES) {
        return;
    }
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(a);
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(b);
    mesh.indices[mesh.index_count++] = static_cast<uint16_t>(c);
}

// The triangles OpenGL makes of one primitive over the vertices first to end - 1.
void split_primitive(Mesh &mesh, PrimitiveKind kind, int first, int end) {
    const int n = end - first;
    switch (kind) {
    case PRIMITIVE_TRIANGLE_STRIP:
        for (int i = 0; i + 2 < n; ++i) {
            const int v = first + i;
            if (i % 2 == 0) {
                add_triangle(mesh, v, v + 1, v + 2);
            } else {
                add_triangle(mesh, v + 1, v, v + 2);
            }
        }
        break;
    case PRIMITIVE_TRIANGLE_FAN:
        for (int i = 1; i + 1 < n; ++i) {
            add_triangle(mesh, first, first + i, first + i + 1);
        }
        break;
    case PRIMITIVE_QUADS:
        for (int i = 0; i + 3 < n; i += 4) {
            const int v = first + i;
            add_triangle(mesh, v, v + 1, v + 3);
            add_triangle(mesh, v + 1, v + 2, v + 3);
        }
        break;
    case PRIMITIVE_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) {
            const int v = first + i;
            add_triangle(mesh, v, v + 1, v + 3);
            add_triangle(mesh, v, v + 3, v + 2);
        }
        break;
    case PRIMITIVE_TRIANGLES:
    case PRIMITIVE_NONE:
        for (int i = 0; i + 2 < n; i += 3) {
            add_triangle(mesh, first + i, first + i + 1, first + i + 2);
        }
        break;
    }
}

// s and t carry the current texture coordinate from one list to the next.
struct Normal {
    float x, y, z;
};
using VertexNormals = std::array<Normal, MAX_MESH_VERTICES>;

// normals[i]: the normal current when vertex i was given.
void make_mesh(Mesh &mesh, VertexNormals &normals, ModelCommandList commands, float &s, float &t) {
    Normal normal{0.0f, 0.0f, 0.0f};
    mesh.vertex_count = 0;
    mesh.index_count = 0;
    mesh.radius = 0.0f;
    mesh.final_shade = MESH_SHADE_KEEP;
    PrimitiveKind kind = PRIMITIVE_NONE;
    int first = 0;
    for (int i = 0; i < commands.count; ++i) {
        const ModelCommand &c = commands.commands[i];
        switch (c.op) {
        case MODEL_SHADE_FLAT:
            mesh.final_shade = MESH_SHADE_FLAT;
            break;
        case MODEL_SHADE_SMOOTH:
            mesh.final_shade = MESH_SHADE_SMOOTH;
            break;
        case MODEL_BEGIN:
            kind = c.kind;
            first = mesh.vertex_count;
            break;
        case MODEL_END:
            split_primitive(mesh, kind, first, mesh.vertex_count);
            break;
        case MODEL_NORMAL:
            normal = Normal{c.x, c.y, c.z};
            break;
        case MODEL_TEXCOORD:
            s = c.x;
            t = c.y;
            break;
        case MODEL_VERTEX:
            if (mesh.vertex_count < MAX_MESH_VERTICES) {
                normals[mesh.vertex_count] = normal;
                mesh.vertices[mesh.vertex_count++] = MeshVertex{s, t, c.x, c.y, c.z};
                mesh.radius = std::fmax(mesh.radius, std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z));
            }
            break;
        }
    }
}

constexpr int MAX_MESH_TRIANGLES = MAX_MESH_INDICES / 3;

// Vertices that share a position share an id, so that edges are found whatever the texture
// coordinates.
std::array<int, MAX_MESH_VERTICES> position_ids(const Mesh &mesh) {
    std::array<int, MAX_MESH_VERTICES> ids{};
    for (int i = 0; i < mesh.vertex_count; ++i) {
        ids[i] = i;
        for (int j = 0; j < i; ++j) {
            const MeshVertex &a = mesh.vertices[i];
            const MeshVertex &b = mesh.vertices[j];
            if (a.x == b.x && a.y == b.y && a.z == b.z) {
                ids[i] = ids[j];
                break;
            }
        }
    }
    return ids;
}

struct Corners {
    std::array<std::array<int, 3>, MAX_MESH_TRIANGLES> ids;
    int count;
};

// How triangle t runs along the edge a-b: +1 from a to b, -1 from b to a, 0 not at all.
int edge_direction(const std::array<int, 3> &t, int a, int b) {
    for (int k = 0; k < 3; ++k) {
        if (t[k] == a && t[(k + 1) % 3] == b) {
            return 1;
        }
        if (t[k] == b && t[(k + 1) % 3] == a) {
            return -1;
        }
    }
    return 0;
}

// Every edge shared by exactly two triangles; then each triangle is turned to run each edge
// against its neighbour, and each connected piece so that it encloses a positive volume.
bool orient_closed_surface(Mesh &mesh) {
    const std::array<int, MAX_MESH_VERTICES> ids = position_ids(mesh);
    Corners c{};
    c.count = mesh.index_count / 3;
    for (int t = 0; t < c.count; ++t) {
        c.ids[t] = {ids[mesh.indices[3 * t]], ids[mesh.indices[3 * t + 1]],
                    ids[mesh.indices[3 * t + 2]]};
        if (c.ids[t][0] == c.ids[t][1] || c.ids[t][1] == c.ids[t][2] ||
            c.ids[t][0] == c.ids[t][2]) {
            return false;
        }
    }
    // neighbour[t][k]: the other triangle on edge k of t.
    std::array<std::array<int, 3>, MAX_MESH_TRIANGLES> neighbour{};
    for (int t = 0; t < c.count; ++t) {
        for (int k = 0; k < 3; ++k) {
            const int a = c.ids[t][k];
            const int b = c.ids[t][(k + 1) % 3];
            int found = -1;
            for (int u = 0; u < c.count; ++u) {
                if (u != t && edge_direction(c.ids[u], a, b) != 0) {
                    if (found >= 0) {
                        return false;
                    }
                    found = u;
                }
            }
            if (found < 0) {
                return false;
            }
            neighbour[t][k] = found;
        }
    }
    std::array<int, MAX_MESH_TRIANGLES> piece;
    piece.fill(-1);
    std::array<int, MAX_MESH_TRIANGLES> queue{};
    int pieces = 0;
    for (int start = 0; start < c.count; ++start) {
        if (piece[start] >= 0) {
            continue;
        }
        int head = 0;
        int tail = 0;
        queue[tail++] = start;
        piece[start] = pieces;
        while (head < tail) {
            const int t = queue[head++];
            for (int k = 0; k < 3; ++k) {
                const int u = neighbour[t][k];
                const int a = c.ids[t][k];
                const int b = c.ids[t][(k + 1) % 3];
                const bool agrees = edge_direction(c.ids[u], a, b) < 0;
                if (piece[u] >= 0) {
                    if (!agrees) {
                        return false;
                    }
                    continue;
                }
                if (!agrees) {
                    // Turned over, its edges 0 and 2 trade places.
                    std::swap(c.ids[u][1], c.ids[u][2]);
                    std::swap(neighbour[u][0], neighbour[u][2]);
                    std::swap(mesh.indices[3 * u + 1], mesh.indices[3 * u + 2]);
                }
                piece[u] = pieces;
                queue[tail++] = u;
            }
        }
        ++pieces;
    }
    for (int p = 0; p < pieces; ++p) {
        double volume = 0.0;
        for (int t = 0; t < c.count; ++t) {
            if (piece[t] != p) {
                continue;
            }
            const MeshVertex &a = mesh.vertices[mesh.indices[3 * t]];
            const MeshVertex &b = mesh.vertices[mesh.indices[3 * t + 1]];
            const MeshVertex &d = mesh.vertices[mesh.indices[3 * t + 2]];
            volume += static_cast<double>(a.x) * (b.y * d.z - b.z * d.y) +
                      static_cast<double>(a.y) * (b.z * d.x - b.x * d.z) +
                      static_cast<double>(a.z) * (b.x * d.y - b.y * d.x);
        }
        for (int t = 0; t < c.count && volume < 0.0; ++t) {
            if (piece[t] == p) {
                std::swap(mesh.indices[3 * t + 1], mesh.indices[3 * t + 2]);
            }
        }
    }
    return true;
}

// Each triangle turned counter-clockwise seen from the side its normal points to (the normal
// of its last vertex, the one flat shading takes); false when a triangle has no normal that
// tells.
bool orient_by_normals(Mesh &mesh, const VertexNormals &normals) {
    for (int i = 0; i < mesh.index_count; i += 3) {
        const MeshVertex &a = mesh.vertices[mesh.indices[i]];
        const MeshVertex &b = mesh.vertices[mesh.indices[i + 1]];
        const MeshVertex &c = mesh.vertices[mesh.indices[i + 2]];
        const Normal &n = normals[mesh.indices[i + 2]];
        const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const float facing =
            n.x * (uy * vz - uz * vy) + n.y * (uz * vx - ux * vz) + n.z * (ux * vy - uy * vx);
        if (facing == 0.0f) {
            return false;
        }
        if (facing < 0.0f) {
            std::swap(mesh.indices[i + 1], mesh.indices[i + 2]);
        }
    }
    return true;
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

Meshes make_meshes() {
    Meshes made;
    // The tank lists in the order a tank calls them, so the barrel inherits the turret's last
    // texture coordinate.
    float s = 0.0f;
    float t = 0.0f;
    for (int list = 0; list < NUM_MODEL_LISTS; ++list) {
        Mesh &mesh = made.meshes[list];
        VertexNormals normals{};
        make_mesh(mesh, normals, model_commands(list), s, t);
        mesh.closed = orient_closed_surface(mesh);
        mesh.faces_outward = mesh.closed || orient_by_normals(mesh, normals);
        weld_vertices(mesh);
    }
    return made;
}

} // namespace

const Mesh &model_mesh(ModelList list) {
    static const Meshes made = make_meshes();
    return made.meshes[list];
}
