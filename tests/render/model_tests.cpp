// The model tables, checked without a display.
#include "render/model_data.h"
#include "render/models.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct Vec {
    double x, y, z;
};

Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec a) {
    return std::sqrt(dot(a, a));
}

struct Vertex {
    Vec position;
    Vec normal;
    bool has_normal;
    bool has_texcoord;
    double s, t;
};

enum Shade { SHADE_UNSET, SHADE_IS_FLAT, SHADE_IS_SMOOTH };

struct Primitive {
    PrimitiveKind kind;
    Shade shade; // the shade model in force when it is drawn
    std::vector<Vertex> vertices;
};

// Replays a list the way OpenGL would: normals and texture coordinates stay current until
// replaced. Malformed command sequences fail the test.
std::vector<Primitive> replay(int list) {
    std::vector<Primitive> primitives;
    ModelCommandList commands = model_commands(list);
    Shade shade = SHADE_UNSET;
    bool inside = false;
    bool has_normal = false;
    bool has_texcoord = false;
    Vec normal{0, 0, 1};
    double s = 0;
    double t = 0;
    for (int i = 0; i < commands.count; ++i) {
        const ModelCommand &c = commands.commands[i];
        switch (c.op) {
        case MODEL_SHADE_FLAT:
        case MODEL_SHADE_SMOOTH:
            EXPECT_FALSE(inside) << "shade model change inside a primitive of list " << list;
            shade = c.op == MODEL_SHADE_FLAT ? SHADE_IS_FLAT : SHADE_IS_SMOOTH;
            break;
        case MODEL_BEGIN:
            EXPECT_FALSE(inside) << "nested primitive in list " << list;
            inside = true;
            primitives.push_back(Primitive{c.kind, shade, {}});
            break;
        case MODEL_END:
            EXPECT_TRUE(inside);
            inside = false;
            break;
        case MODEL_NORMAL:
            has_normal = true;
            normal = {c.x, c.y, c.z};
            break;
        case MODEL_TEXCOORD:
            has_texcoord = true;
            s = c.x;
            t = c.y;
            break;
        case MODEL_VERTEX:
            EXPECT_TRUE(inside) << "vertex outside a primitive in list " << list;
            if (inside) {
                primitives.back().vertices.push_back(
                    Vertex{{c.x, c.y, c.z}, normal, has_normal, has_texcoord, s, t});
            }
            break;
        }
    }
    EXPECT_FALSE(inside) << "list " << list << " ends inside a primitive";
    return primitives;
}

std::vector<Vertex> all_vertices(int list) {
    std::vector<Vertex> out;
    for (const Primitive &p : replay(list)) {
        out.insert(out.end(), p.vertices.begin(), p.vertices.end());
    }
    return out;
}

struct Extent {
    double min_x, max_x, min_y, max_y, min_z, max_z;
};

Extent extent_of(int list) {
    Extent e{1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
    for (const Vertex &v : all_vertices(list)) {
        e.min_x = std::min(e.min_x, v.position.x);
        e.max_x = std::max(e.max_x, v.position.x);
        e.min_y = std::min(e.min_y, v.position.y);
        e.max_y = std::max(e.max_y, v.position.y);
        e.min_z = std::min(e.min_z, v.position.z);
        e.max_z = std::max(e.max_z, v.position.z);
    }
    return e;
}

struct TexSpan {
    double min_s, max_s, min_t, max_t;
};

TexSpan texcoord_span(int list) {
    TexSpan span{1e9, -1e9, 1e9, -1e9};
    for (const Vertex &v : all_vertices(list)) {
        EXPECT_TRUE(v.has_texcoord) << "list " << list << " has a vertex without texcoord";
        span.min_s = std::min(span.min_s, v.s);
        span.max_s = std::max(span.max_s, v.s);
        span.min_t = std::min(span.min_t, v.t);
        span.max_t = std::max(span.max_t, v.t);
    }
    return span;
}

constexpr double EXTENT_TOLERANCE = 1e-4;
constexpr double TEXCOORD_TOLERANCE = 0.005;

void expect_extent(int list, Extent want) {
    Extent got = extent_of(list);
    EXPECT_NEAR(got.min_x, want.min_x, EXTENT_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.max_x, want.max_x, EXTENT_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.min_y, want.min_y, EXTENT_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.max_y, want.max_y, EXTENT_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.min_z, want.min_z, EXTENT_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.max_z, want.max_z, EXTENT_TOLERANCE) << "list " << list;
}

void expect_span(int list, TexSpan want) {
    TexSpan got = texcoord_span(list);
    EXPECT_NEAR(got.min_s, want.min_s, TEXCOORD_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.max_s, want.max_s, TEXCOORD_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.min_t, want.min_t, TEXCOORD_TOLERANCE) << "list " << list;
    EXPECT_NEAR(got.max_t, want.max_t, TEXCOORD_TOLERANCE) << "list " << list;
}

struct Shape {
    PrimitiveKind kind;
    int vertices;
    Shade shade;
};

void expect_shapes(int list, const std::vector<Shape> &want) {
    std::vector<Primitive> got = replay(list);
    ASSERT_EQ(got.size(), want.size()) << "primitives in list " << list;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].kind, want[i].kind) << "list " << list << " primitive " << i + 1;
        EXPECT_EQ(static_cast<int>(got[i].vertices.size()), want[i].vertices)
            << "list " << list << " primitive " << i + 1;
        EXPECT_EQ(got[i].shade, want[i].shade) << "list " << list << " primitive " << i + 1;
    }
}

// The triangles of a strip or fan, as vertex indices, with the provoking (last) vertex last.
std::vector<std::array<size_t, 3>> triangles_of(const Primitive &p) {
    std::vector<std::array<size_t, 3>> out;
    for (size_t i = 2; i < p.vertices.size(); ++i) {
        if (p.kind == PRIMITIVE_TRIANGLE_STRIP) {
            out.push_back({i - 2, i - 1, i});
        } else if (p.kind == PRIMITIVE_TRIANGLE_FAN) {
            out.push_back({0, i - 1, i});
        }
    }
    return out;
}

double triangle_area(const Primitive &p, const std::array<size_t, 3> &tri) {
    Vec a = p.vertices[tri[0]].position;
    Vec b = p.vertices[tri[1]].position;
    Vec c = p.vertices[tri[2]].position;
    return 0.5 * length(cross(b - a, c - a));
}

// Under flat shading each triangle shows the normal in force at its last vertex: that normal
// must be the triangle's own (perpendicular to it) and point away from the solid's centre.
void expect_flat_normals_fit(int list, size_t primitive, Vec centre) {
    std::vector<Primitive> prims = replay(list);
    ASSERT_LT(primitive, prims.size());
    const Primitive &p = prims[primitive];
    int checked = 0;
    for (const auto &tri : triangles_of(p)) {
        if (triangle_area(p, tri) < 1e-4) {
            continue;
        }
        Vec a = p.vertices[tri[0]].position;
        Vec b = p.vertices[tri[1]].position;
        Vec c = p.vertices[tri[2]].position;
        Vec n = p.vertices[tri[2]].normal;
        Vec face = cross(b - a, c - a);
        double cosine = std::fabs(dot(face, n)) / (length(face) * length(n));
        EXPECT_GT(cosine, 0.999) << "list " << list << " primitive " << primitive + 1
                                 << " triangle ending at vertex " << tri[2];
        Vec middle{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
        EXPECT_GT(dot(n, middle - centre), 0.0)
            << "list " << list << " primitive " << primitive + 1 << " normal points inwards";
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

constexpr PrimitiveKind STRIP = PRIMITIVE_TRIANGLE_STRIP;
constexpr PrimitiveKind FAN = PRIMITIVE_TRIANGLE_FAN;

TEST(ModelTables, PrimitivesVertexCountsAndShadeModels) {
    const std::array<int, NUM_MODEL_LISTS> vertex_counts = {54, 66, 66, 132, 26, 74, 6};
    for (int list = 0; list < NUM_MODEL_LISTS; ++list) {
        EXPECT_EQ(static_cast<int>(all_vertices(list).size()), vertex_counts[list])
            << "list " << list;
    }

    const Shade F = SHADE_IS_FLAT;
    const Shade S = SHADE_IS_SMOOTH;
    const Shade N = SHADE_UNSET;
    expect_shapes(HULL_LIST,
                  {{STRIP, 26, F}, {STRIP, 10, F}, {STRIP, 4, F}, {STRIP, 10, F}, {STRIP, 4, F}});
    for (int track : {LEFT_TRACK_LIST, RIGHT_TRACK_LIST}) {
        expect_shapes(track, {{STRIP, 30, F},
                              {FAN, 5, F},
                              {FAN, 8, F},
                              {FAN, 5, F},
                              {FAN, 5, F},
                              {FAN, 8, F},
                              {FAN, 5, F}});
    }
    expect_shapes(TURRET_LIST, {{STRIP, 4, F},
                                {STRIP, 4, F},
                                {STRIP, 6, F},
                                {STRIP, 16, F},
                                {STRIP, 4, F},
                                {STRIP, 12, F},
                                {STRIP, 11, S},
                                {STRIP, 11, S},
                                {STRIP, 10, S},
                                {STRIP, 8, S},
                                {STRIP, 8, S},
                                {STRIP, 24, S},
                                {FAN, 7, S},
                                {FAN, 7, S}});
    expect_shapes(BARREL_LIST, {{FAN, 8, F}, {STRIP, 18, S}});
    expect_shapes(SHELL_LIST, {{PRIMITIVE_QUAD_STRIP, 18, N},
                               {PRIMITIVE_QUAD_STRIP, 8, N},
                               {PRIMITIVE_QUAD_STRIP, 8, N},
                               {PRIMITIVE_QUADS, 16, N},
                               {PRIMITIVE_TRIANGLES, 24, N}});
    expect_shapes(TREE_LIST, {{PRIMITIVE_TRIANGLES, 6, N}});

    // Shell and tree inherit the caller's shade model and carry no normals or texcoords.
    for (int list : {SHELL_LIST, TREE_LIST}) {
        ModelCommandList commands = model_commands(list);
        for (int i = 0; i < commands.count; ++i) {
            ModelOp op = commands.commands[i].op;
            EXPECT_TRUE(op == MODEL_BEGIN || op == MODEL_END || op == MODEL_VERTEX)
                << "list " << list << " command " << i;
        }
    }

    EXPECT_EQ(model_commands(NUM_MODEL_LISTS).count, 0);
    EXPECT_EQ(model_commands(-1).count, 0);
}

TEST(ModelTables, ExtentsAndTextureCoordinates) {
    expect_extent(HULL_LIST, {-3.1, 2.82, -0.877, 0.878, 0.0, 1.24});
    expect_span(HULL_LIST, {0.669, 2.06, 0.261, 2.29});
    // Every hull vertex follows the one top-down mapping.
    for (const Vertex &v : all_vertices(HULL_LIST)) {
        double s = -0.1436 * v.position.x - 0.3061 * v.position.y + 1.3429;
        double t = 0.3058 * v.position.x - 0.1438 * v.position.y + 1.302;
        EXPECT_NEAR(v.s, s, TEXCOORD_TOLERANCE);
        EXPECT_NEAR(v.t, t, TEXCOORD_TOLERANCE);
    }

    expect_extent(LEFT_TRACK_LIST, {-2.97, 3.0, 0.877, 1.4, 0.0, 1.41});
    expect_extent(RIGHT_TRACK_LIST, {-2.97, 3.0, -1.4, -0.875, 0.0, 1.41});
    expect_span(LEFT_TRACK_LIST, {-0.246, 0.917, 0.22, 1.3});
    expect_span(RIGHT_TRACK_LIST, {-0.415, 0.72, -0.283, 0.896});

    expect_extent(TURRET_LIST, {-1.64, 1.77, -1.11, 1.11, 1.03, 2.08});
    expect_span(TURRET_LIST, {0.107, 1.19, -0.559, 0.509});
    std::vector<Vertex> turret = all_vertices(TURRET_LIST);
    ASSERT_FALSE(turret.empty());
    EXPECT_NEAR(turret.back().s, 0.766, 1e-6);
    EXPECT_NEAR(turret.back().t, 0.326, 1e-6);

    expect_extent(BARREL_LIST, {1.57, 4.94, -0.18, 0.18, 1.35, 1.71});
    for (const Vertex &v : all_vertices(BARREL_LIST)) {
        EXPECT_FALSE(v.has_texcoord) << "the barrel must take the turret's last texcoord";
    }

    // The shell: a bevelled cube whose every corner is a permutation of (0.1, 0.1, 0.3).
    expect_extent(SHELL_LIST, {-0.3, 0.3, -0.3, 0.3, -0.3, 0.3});
    for (const Vertex &v : all_vertices(SHELL_LIST)) {
        std::array<double, 3> a = {std::fabs(v.position.x), std::fabs(v.position.y),
                                   std::fabs(v.position.z)};
        int far = 0;
        int near = 0;
        for (double c : a) {
            far += std::fabs(c - 0.3) < 1e-6 ? 1 : 0;
            near += std::fabs(c - 0.1) < 1e-6 ? 1 : 0;
        }
        EXPECT_EQ(far, 1);
        EXPECT_EQ(near, 2);
    }

    // The tree rises from 1 to 10 above its origin and is 4 wide at the bottom.
    expect_extent(TREE_LIST, {-2.0, 2.0, 1.0, 10.0, -2.0, 2.0});
}

TEST(ModelTables, NormalsAreUnitLengthAndFitTheirFaces) {
    for (int list = 0; list < NUM_MODEL_LISTS; ++list) {
        ModelCommandList commands = model_commands(list);
        for (int i = 0; i < commands.count; ++i) {
            const ModelCommand &c = commands.commands[i];
            if (c.op == MODEL_NORMAL) {
                EXPECT_NEAR(length({c.x, c.y, c.z}), 1.0, 1e-3)
                    << "list " << list << " command " << i;
            }
        }
    }
    // Every vertex of the tank models has a normal in force.
    for (int list : {HULL_LIST, LEFT_TRACK_LIST, RIGHT_TRACK_LIST, TURRET_LIST, BARREL_LIST}) {
        for (const Vertex &v : all_vertices(list)) {
            EXPECT_TRUE(v.has_normal) << "list " << list;
        }
    }

    // Flat faces get their own outward normal through the provoking vertex.
    const Vec hull_centre{0.0, 0.0, 0.6};
    for (size_t primitive = 0; primitive < 5; ++primitive) {
        Vec centre = hull_centre;
        if (primitive == 1 || primitive == 2) {
            centre = {-2.9, 0.5265, 1.12}; // first box
        } else if (primitive == 3 || primitive == 4) {
            centre = {-2.9, -0.48, 1.12}; // second box
        }
        expect_flat_normals_fit(HULL_LIST, primitive, centre);
    }
    for (size_t primitive = 0; primitive < 7; ++primitive) {
        expect_flat_normals_fit(LEFT_TRACK_LIST, primitive, {0.0, 1.1385, 0.7});
        expect_flat_normals_fit(RIGHT_TRACK_LIST, primitive, {0.0, -1.1375, 0.7});
    }
    expect_flat_normals_fit(BARREL_LIST, 0, {3.0, 0.0, 1.53});
}

TEST(ModelTables, TrackPlatesCoverTheWholeProfile) {
    // Shoelace area of the track's side profile.
    const std::array<std::array<double, 2>, 14> profile = {{{3, 0.77},
                                                            {2.98, 0.883},
                                                            {2.86, 0.956},
                                                            {2.75, 1.08},
                                                            {2.35, 1.1},
                                                            {1.94, 1.31},
                                                            {-1.02, 1.32},
                                                            {-1.46, 1.4},
                                                            {-2.97, 1.41},
                                                            {-2.74, 0.528},
                                                            {-1.62, 0},
                                                            {1.99, 0},
                                                            {2.79, 0.408},
                                                            {2.86, 0.739}}};
    double area = 0;
    for (size_t i = 0; i < profile.size(); ++i) {
        const auto &a = profile[i];
        const auto &b = profile[(i + 1) % profile.size()];
        area += a[0] * b[1] - b[0] * a[1];
    }
    area = std::fabs(area) / 2;

    for (int track : {LEFT_TRACK_LIST, RIGHT_TRACK_LIST}) {
        std::vector<Primitive> prims = replay(track);
        ASSERT_EQ(prims.size(), 7u);
        for (size_t plate : {1u, 4u}) {
            double covered = 0;
            for (size_t fan = plate; fan < plate + 3; ++fan) {
                for (const auto &tri : triangles_of(prims[fan])) {
                    covered += triangle_area(prims[fan], tri);
                }
            }
            EXPECT_NEAR(covered, area, 1e-3) << "track " << track << " plate " << plate;
        }
    }
}

} // namespace
