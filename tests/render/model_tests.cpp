// The models' tables and the meshes made of them, checked without a display.
#include "render/model_data.h"
#include "render/model_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace {

using Point = std::array<double, 3>;

Point minus(const Point &a, const Point &b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point cross(const Point &u, const Point &v) {
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double dot(const Point &u, const Point &v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

Point corner(const Mesh &mesh, int index) {
    const MeshVertex &v = mesh.vertices[mesh.indices[index]];
    return {v.x, v.y, v.z};
}

} // namespace

TEST(ModelMeshes, ExtentsAndTheBarrelsTextureCoordinate) {
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
        const Mesh &mesh = model_mesh(static_cast<Model>(model));
        std::array<double, 6> got = {1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
        for (int i = 0; i < mesh.vertex_count; ++i) {
            const MeshVertex &v = mesh.vertices[i];
            const Point position = {v.x, v.y, v.z};
            for (int axis = 0; axis < 3; ++axis) {
                got[2 * axis] = std::min(got[2 * axis], position[axis]);
                got[2 * axis + 1] = std::max(got[2 * axis + 1], position[axis]);
            }
        }
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(got[i], extents[model][i], 1e-4) << "model " << model << " extent " << i;
        }
    }
    // The barrel gives no texture coordinate of its own: it keeps the turret's last one.
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
        // Closed: every edge run once each way.
        const bool closed = std::all_of(runs.begin(), runs.end(), [&](const auto &run) {
            const auto back = runs.find({run.first.second, run.first.first});
            return run.second == 1 && back != runs.end() && back->second == 1;
        });
        EXPECT_EQ(closed, mesh.closed) << "model " << model;
        if (closed) {
            EXPECT_GT(volume, 0.0) << "model " << model << " is turned inside out";
        }
    }
    EXPECT_FALSE(model_mesh(HULL_MODEL).closed);
    EXPECT_TRUE(model_mesh(HULL_MODEL).back_faces_hidden);
    // The hull is all strips, whose every second triangle OpenGL turns back; a vertex's normal
    // is the last one given before it.
    const ModelTable &hull = model_table(HULL_MODEL);
    Point normal{};
    int facing_away = 0;
    for (int p = 0, first = 0; p < hull.piece_count; first += hull.pieces[p++].vertex_count) {
        ASSERT_EQ(hull.pieces[p].kind, PRIMITIVE_TRIANGLE_STRIP);
        for (int i = 0; i < hull.pieces[p].vertex_count; ++i) {
            const ModelVertex *v = &hull.vertices[first + i];
            if (v->has_normal) {
                normal = {v->normal.x, v->normal.y, v->normal.z};
            }
            if (i < 2) {
                continue;
            }
            Point a = {v[-2].x, v[-2].y, v[-2].z};
            Point b = {v[-1].x, v[-1].y, v[-1].z};
            if ((i % 2 == 1) != (hull.pieces[p].front == FRONT_CW)) {
                std::swap(a, b);
            }
            facing_away += dot(cross(minus(b, a), minus({v->x, v->y, v->z}, a)), normal) < 0.0;
        }
    }
    EXPECT_EQ(facing_away, 0);
}
