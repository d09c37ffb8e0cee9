// The model tables, checked without a display.
#include "render/model_data.h"
#include "render/models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Vertex {
    std::array<double, 3> position;
    bool textured;
    double s, t;
};

struct Primitive {
    PrimitiveKind kind;
    char shade; // in force when drawn: f flat, s smooth, - the caller's
    std::vector<Vertex> vertices;
};

// Replays a list as OpenGL would: texture coordinates stay current until replaced.
std::vector<Primitive> replay(int list) {
    std::vector<Primitive> primitives;
    char shade = '-';
    Vertex current{};
    const ModelCommandList commands = model_commands(list);
    for (int i = 0; i < commands.count; ++i) {
        const ModelCommand &c = commands.commands[i];
        if (c.op == MODEL_SHADE_FLAT || c.op == MODEL_SHADE_SMOOTH) {
            shade = c.op == MODEL_SHADE_FLAT ? 'f' : 's';
        } else if (c.op == MODEL_BEGIN) {
            primitives.push_back({c.kind, shade, {}});
        } else if (c.op == MODEL_NORMAL) {
            EXPECT_NEAR(std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z), 1.0, 1e-3) << "list " << list;
        } else if (c.op == MODEL_TEXCOORD) {
            current = {{}, true, c.x, c.y};
        } else if (c.op == MODEL_VERTEX) {
            current.position = {c.x, c.y, c.z};
            primitives.back().vertices.push_back(current);
        }
    }
    return primitives;
}

// Each primitive as its kind (T triangles, S strip, F fan, Q quads, P quad strip), its vertex
// count and its shade model.
std::string shapes(int list) {
    std::string out;
    for (const Primitive &p : replay(list)) {
        out += std::string(out.empty() ? "" : " ") + " TSFQP"[p.kind] +
               std::to_string(p.vertices.size()) + p.shade;
    }
    return out;
}

} // namespace

TEST(ModelTables, PrimitivesExtentsAndTextureCoordinates) {
    EXPECT_EQ(shapes(HULL_LIST), "S26f S10f S4f S10f S4f");
    EXPECT_EQ(shapes(LEFT_TRACK_LIST), "S30f F5f F8f F5f F5f F8f F5f");
    EXPECT_EQ(shapes(RIGHT_TRACK_LIST), "S30f F5f F8f F5f F5f F8f F5f");
    EXPECT_EQ(shapes(TURRET_LIST), "S4f S4f S6f S16f S4f S12f S11s S11s S10s S8s S8s S24s F7s F7s");
    EXPECT_EQ(shapes(BARREL_LIST), "F8f S18s");
    EXPECT_EQ(shapes(SHELL_LIST), "P18- P8- P8- Q16- T24-");
    EXPECT_EQ(shapes(TREE_LIST), "T6-");
    EXPECT_EQ(model_commands(-1).count + model_commands(NUM_MODEL_LISTS).count, 0);

    // Least and greatest x, y and z of each list.
    const std::array<std::array<double, 6>, NUM_MODEL_LISTS> extents = {{
        {-3.1, 2.82, -0.877, 0.878, 0.0, 1.24},
        {-2.97, 3.0, 0.877, 1.4, 0.0, 1.41},
        {-2.97, 3.0, -1.4, -0.875, 0.0, 1.41},
        {-1.64, 1.77, -1.11, 1.11, 1.03, 2.08},
        {1.57, 4.94, -0.18, 0.18, 1.35, 1.71},
        {-0.3, 0.3, -0.3, 0.3, -0.3, 0.3},
        {-2.0, 2.0, 1.0, 10.0, -2.0, 2.0}, // the tree rises from 1 to 10 above its origin
    }};
    for (int list = 0; list < NUM_MODEL_LISTS; ++list) {
        std::array<double, 6> got = {1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
        for (const Primitive &p : replay(list)) {
            for (const Vertex &v : p.vertices) {
                for (int axis = 0; axis < 3; ++axis) {
                    got[2 * axis] = std::min(got[2 * axis], v.position[axis]);
                    got[2 * axis + 1] = std::max(got[2 * axis + 1], v.position[axis]);
                }
            }
        }
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(got[i], extents[list][i], 1e-4) << "list " << list << " extent " << i;
        }
    }

    // The barrel has no coordinates of its own: it shows the turret's last one.
    const Vertex last = replay(TURRET_LIST).back().vertices.back();
    EXPECT_NEAR(last.s, 0.766, 1e-6);
    EXPECT_NEAR(last.t, 0.326, 1e-6);
    for (const Primitive &p : replay(BARREL_LIST)) {
        for (const Vertex &v : p.vertices) {
            EXPECT_FALSE(v.textured);
        }
    }
}
