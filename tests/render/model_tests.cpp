// The meshes the renderer draws, made from the model tables, checked without a display.
#include "render/model_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace {

using Point = std::array<double, 3>;

Point corner(const Mesh &mesh, int index) {
    const MeshVertex &v = mesh.vertices[mesh.indices[index]];
    return {v.x, v.y, v.z};
}

// a . (b x c): six times the volume of the tetrahedron from the origin, positive when a, b, c
// turn counter-clockwise seen from outside.
double triple_product(const Point &a, const Point &b, const Point &c) {
    return a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) +
           a[2] * (b[0] * c[1] - b[1] * c[0]);
}

} // namespace

// What the renderer's back-face culling relies on: a model said to be closed is one, every
// triangle turned counter-clockwise seen from outside.
TEST(ModelMeshes, ClosedSurfacesAreClosedAndTurnedOutwards) {
    for (int model = 0; model < NUM_MODELS; ++model) {
        SCOPED_TRACE(testing::Message() << "model " << model);
        const Mesh &mesh = model_mesh(static_cast<Model>(model));
        EXPECT_GT(mesh.index_count, 0);
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
            volume += triple_product(a, b, c);
        }
        // Closed: every edge run once each way.
        const bool closed = std::all_of(runs.begin(), runs.end(), [&](const auto &run) {
            const auto back = runs.find({run.first.second, run.first.first});
            return run.second == 1 && back != runs.end() && back->second == 1;
        });
        EXPECT_EQ(closed, mesh.closed);
        if (closed) {
            EXPECT_GT(volume, 0.0) << "turned inside out";
        }
    }
    // The barrel gives no texture coordinate of its own: it keeps the turret's last one.
    const Mesh &barrel = model_mesh(BARREL_MODEL);
    for (int i = 0; i < barrel.vertex_count; ++i) {
        EXPECT_FLOAT_EQ(barrel.vertices[i].s, 0.766f);
        EXPECT_FLOAT_EQ(barrel.vertices[i].t, 0.326f);
    }
}
