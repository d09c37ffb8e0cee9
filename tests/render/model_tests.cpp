// The model tables, checked without a display.
#include "render/model_data.h"
#include "render/model_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

struct Vertex {
    std::array<double, 3> position;
    bool textured;
    double s, t;
    std::array<double, 3> normal; // the one current when the vertex is given
};

struct Primitive {
    PrimitiveKind kind;
    FrontFace front;
    std::vector<Vertex> vertices;
};

// Replays a model as OpenGL would: normals and texture coordinates stay current until replaced.
std::vector<Primitive> replay(Model model) {
    std::vector<Primitive> primitives;
    const ModelTable &table = model_table(model);
    Vertex current{};
    int next = 0;
    for (int p = 0; p < table.piece_count; ++p) {
        primitives.push_back({table.pieces[p].kind, table.pieces[p].front, {}});
        for (int i = 0; i < table.pieces[p].vertex_count; ++i) {
            const ModelVertex &v = table.vertices[next++];
            if (v.has_normal) {
                const Normal &n = v.normal;
                EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-3)
                    << "model " << model;
                current.normal = {n.x, n.y, n.z};
            }
            if (v.has_texcoord) {
                current.textured = true;
                current.s = v.s;
                current.t = v.t;
            } else {
                current.textured = false;
            }
            current.position = {v.x, v.y, v.z};
            primitives.back().vertices.push_back(current);
        }
    }
    EXPECT_EQ(next, table.vertex_count);
    return primitives;
}

// Each primitive as its kind (T triangles, S strip, F fan, Q quads, P quad strip), its vertex
// count, and w where it winds clockwise seen from outside.
std::string shapes(Model model) {
    std::string out;
    for (const Primitive &p : replay(model)) {
        out += std::string(out.empty() ? "" : " ") + "TSFQP"[p.kind] +
               std::to_string(p.vertices.size()) + (p.front == FRONT_CW ? "w" : "");
    }
    return out;
}

using Point = std::array<double, 3>;

Point corner(const Mesh &mesh, int index) {
    const MeshVertex &v = mesh.vertices[mesh.indices[index]];
    return {v.x, v.y, v.z};
}

Point minus(const Point &a, const Point &b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point cross(const Point &u, const Point &v) {
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double dot(const Point &u, const Point &v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

} // namespace

TEST(ModelTables, PrimitivesExtentsAndTextureCoordinates) {
    EXPECT_EQ(shapes(HULL_MODEL), "S26 S10w S4 S10w S4");
    EXPECT_EQ(shapes(LEFT_TRACK_MODEL), "S30 F5 F8 F5 F5 F8 F5");
    EXPECT_EQ(shapes(RIGHT_TRACK_MODEL), "S30 F5 F8 F5 F5 F8 F5");
    EXPECT_EQ(shapes(TURRET_MODEL), "S4w S4 S6w S16w S4w S12w S11w S11 S10w S8w S8 S24w F7w F7w");
    EXPECT_EQ(shapes(BARREL_MODEL), "F8 S18");
    EXPECT_EQ(shapes(SHELL_MODEL), "P18 P8w P8w Q16 T24");
    EXPECT_EQ(shapes(TREE_MODEL), "T6");

    // Least and greatest x, y and z of each model.
    const std::array<std::array<double, 6>, NUM_MODELS> extents = {{
        {-3.1, 2.82, -0.877, 0.878, 0.0, 1.24},
        {-2.97, 3.0, 0.877, 1.4, 0.0, 1.41},
        {-2.97, 3.0, -1.4, -0.875, 0.0, 1.41},
        {-1.64, 1.77, -1.11, 1.11, 1.03, 2.08},
        {1.57, 4.94, -0.18, 0.18, 1.35, 1.71},
        {-0.3, 0.3, -0.3, 0.3, -0.3, 0.3},
        {-2.0, 2.0, 1.0, 10.0, -2.0, 2.0}, // the tree rises from 1 to 10 above its origin
    }};
    for (int model = 0; model < NUM_MODELS; ++model) {
        std::array<double, 6> got = {1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
        for (const Primitive &p : replay(static_cast<Model>(model))) {
            for (const Vertex &v : p.vertices) {
                for (int axis = 0; axis < 3; ++axis) {
                    got[2 * axis] = std::min(got[2 * axis], v.position[axis]);
                    got[2 * axis + 1] = std::max(got[2 * axis + 1], v.position[axis]);
                }
            }
        }
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(got[i], extents[model][i], 1e-4) << "model " << model << " extent " << i;
        }
    }

    // The barrel has no coordinates of its own: it shows the turret's last one.
    const Vertex last = replay(TURRET_MODEL).back().vertices.back();
    EXPECT_NEAR(last.s, 0.766, 1e-6);
    EXPECT_NEAR(last.t, 0.326, 1e-6);
    for (const Primitive &p : replay(BARREL_MODEL)) {
        for (const Vertex &v : p.vertices) {
            EXPECT_FALSE(v.textured);
        }
    }
    const Mesh &barrel = model_mesh(BARREL_MODEL);
    for (int i = 0; i < barrel.vertex_count; ++i) {
        EXPECT_FLOAT_EQ(barrel.vertices[i].s, 0.766f);
        EXPECT_FLOAT_EQ(barrel.vertices[i].t, 0.326f);
    }
}

// What the renderer's back-face culling relies on, checked on the meshes it draws: a model
// said to be closed is one, every triangle turned counter-clockwise seen from outside; the
// hull, open at its sides, has every triangle facing the way its face's normal points.
TEST(ModelMeshes, SurfacesAreClosedAndTurnedAsTheTablesSay) {
    for (int model = 0; model < NUM_MODELS; ++model) {
        const Mesh &mesh = model_mesh(static_cast<Model>(model));
        EXPECT_EQ(mesh.closed, model_table(static_cast<Model>(model)).closed);
        EXPECT_GT(mesh.index_count, 0) << "model " << model;
        // Each edge, by its corners' positions, with how often a triangle runs along it.
        std::map<std::pair<Point, Point>, int> runs;
        double volume = 0.0;
        for (int i = 0; i < mesh.index_count; i += 3) {
            const Point a = corner(mesh, i);
            const Point b = corner(mesh, i + 1);
            const Point c = corner(mesh, i + 2);
            ++runs[{a, b}];
            ++runs[{b, c}];
            ++runs[{c, a}];
            volume += dot(a, cross(b, c));
        }
        bool closed = true;
        for (const auto &[edge, count] : runs) {
            closed = closed && count == 1 && runs.count({edge.second, edge.first}) == 1 &&
                     runs.at({edge.second, edge.first}) == 1;
        }
        EXPECT_EQ(closed, mesh.closed) << "model " << model;
        if (mesh.closed) {
            EXPECT_GT(volume, 0.0) << "model " << model << " is turned inside out";
        }
    }
    EXPECT_FALSE(model_mesh(HULL_MODEL).closed);
    EXPECT_TRUE(model_mesh(HULL_MODEL).back_faces_hidden);
    // The hull is all strips: OpenGL turns every second triangle of a strip back.
    int facing_away = 0;
    for (const Primitive &p : replay(HULL_MODEL)) {
        ASSERT_EQ(p.kind, PRIMITIVE_TRIANGLE_STRIP);
        for (size_t i = 2; i < p.vertices.size(); ++i) {
            Point a = p.vertices[i - 2].position;
            Point b = p.vertices[i - 1].position;
            if ((i % 2 == 1) != (p.front == FRONT_CW)) {
                std::swap(a, b);
            }
            const Point &c = p.vertices[i].position;
            facing_away += dot(cross(minus(b, a), minus(c, a)), p.vertices[i].normal) < 0.0;
        }
    }
    EXPECT_EQ(facing_away, 0);
}
