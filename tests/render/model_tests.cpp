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

// Each model's size, and what the renderer's back-face culling relies on: a model said to be
// closed is one, every triangle turned counter-clockwise seen from outside.
TEST(ModelMeshes, ExtentsAndSurfacesAreAsTheTablesSay) {
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
        SCOPED_TRACE(testing::Message() << "model " << model);
        const Mesh &mesh = model_mesh(static_cast<Model>(model));
        std::array<double, 6> got = {1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
        for (int i = 0; i < mesh.vertex_count; ++i) {
            const Point p = {mesh.vertices[i].x, mesh.vertices[i].y, mesh.vertices[i].z};
            for (int axis = 0; axis < 3; ++axis) {
                got[2 * axis] = std::min(got[2 * axis], p[axis]);
                got[2 * axis + 1] = std::max(got[2 * axis + 1], p[axis]);
            }
        }
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(got[i], extents[model][i], 1e-4) << "extent " << i;
        }
        // Each edge, by its corners' positions, with how often a triangle runs along it.
        EXPECT_GT(mesh.index_count, 0);
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
