#include "render/model_data.h"

#include <array>
#include <cstddef>

namespace {

// ---- Building blocks ------------------------------------------------------------------

// A texture coordinate as a linear function of the model position.
struct PlanarMap {
    float s0, sx, sy, sz;
    float t0, tx, ty, tz;
};

constexpr ModelVertex plain(float x, float y, float z) {
    return ModelVertex{false, 0.0f, 0.0f, x, y, z};
}

constexpr ModelVertex mapped(const PlanarMap &map, float x, float y, float z) {
    ModelVertex v = plain(x, y, z);
    v.has_texcoord = true;
    v.s = map.s0 + map.sx * x + map.sy * y + map.sz * z;
    v.t = map.t0 + map.tx * x + map.ty * y + map.tz * z;
    return v;
}

// ---- Hull -------------------------------------------------------------------------------

// Side profile in x-z, front first, with the y of the band's right (-y) and left (+y)
// vertices at each point.
struct HullPoint {
    float x, z;
    float y_right, y_left;
};

constexpr int HULL_POINTS = 12;
constexpr std::array<HullPoint, HULL_POINTS> HULL_PROFILE = {{
    {2.82f, 0.716f, -0.877f, 0.878f},
    {2.8f, 0.829f, -0.876f, 0.878f},
    {2.57f, 0.99f, -0.877f, 0.877f},
    {2.17f, 1.01f, -0.877f, 0.877f},
    {1.76f, 1.13f, -0.877f, 0.877f},
    {-1.46f, 1.13f, -0.877f, 0.877f},
    {-2.9f, 1.24f, -0.877f, 0.877f},
    {-2.74f, 0.528f, -0.877f, 0.877f},
    {-1.62f, 0.0f, -0.877f, 0.877f},
    {1.81f, 0.0f, -0.877f, 0.877f},
    {2.61f, 0.408f, -0.877f, 0.877f},
    {2.68f, 0.684f, -0.877f, 0.877f},
}};

struct Box {
    float x_min, x_max;
    float y_min, y_max;
    float z_min, z_max;
};

// The two boxes behind the top of the hull's rear.
constexpr std::array<Box, 2> HULL_BOXES = {{
    {-3.08f, -2.82f, 0.367f, 0.686f, 1.07f, 1.17f},
    {-3.1f, -2.84f, -0.877f, -0.084f, 1.07f, 1.17f},
}};

// One top-down mapping for the whole hull.
constexpr PlanarMap HULL_TEXTURE_MAP = {1.3429f, -0.1436f, -0.3061f, 0.0f,
                                        1.302f,  0.3058f,  -0.1438f, 0.0f};

constexpr int HULL_BAND_VERTICES = 2 * (HULL_POINTS + 1);
constexpr int BOX_RING_VERTICES = 10;
constexpr int BOX_CAP_VERTICES = 4;
constexpr int HULL_VERTICES = HULL_BAND_VERTICES + 2 * (BOX_RING_VERTICES + BOX_CAP_VERTICES);

constexpr std::array<ModelPiece, 5> HULL_PIECES = {{
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, HULL_BAND_VERTICES},
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, BOX_RING_VERTICES},
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, BOX_CAP_VERTICES},
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, BOX_RING_VERTICES},
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, BOX_CAP_VERTICES},
}};

constexpr std::array<ModelVertex, HULL_VERTICES> hull_vertices() {
    std::array<ModelVertex, HULL_VERTICES> v{};
    int n = 0;
    for (int pair = 0; pair <= HULL_POINTS; ++pair) {
        const HullPoint &p = HULL_PROFILE[pair % HULL_POINTS];
        v[n++] = mapped(HULL_TEXTURE_MAP, p.x, p.y_right, p.z);
        v[n++] = mapped(HULL_TEXTURE_MAP, p.x, p.y_left, p.z);
    }
    for (const Box &box : HULL_BOXES) {
        // Four faces around the x axis: +y, +z, -y, -z; the +x end stays open.
        const std::array<std::array<float, 2>, 5> corners = {{
            {box.y_max, box.z_min},
            {box.y_max, box.z_max},
            {box.y_min, box.z_max},
            {box.y_min, box.z_min},
            {box.y_max, box.z_min},
        }};
        for (int pair = 0; pair < 5; ++pair) {
            float y = corners[pair][0];
            float z = corners[pair][1];
            v[n++] = mapped(HULL_TEXTURE_MAP, box.x_min, y, z);
            v[n++] = mapped(HULL_TEXTURE_MAP, box.x_max, y, z);
        }
        v[n++] = mapped(HULL_TEXTURE_MAP, box.x_min, box.y_min, box.z_min);
        v[n++] = mapped(HULL_TEXTURE_MAP, box.x_min, box.y_min, box.z_max);
        v[n++] = mapped(HULL_TEXTURE_MAP, box.x_min, box.y_max, box.z_min);
        v[n++] = mapped(HULL_TEXTURE_MAP, box.x_min, box.y_max, box.z_max);
    }
    return v;
}

// ---- Tracks -----------------------------------------------------------------------------

struct ProfilePoint {
    float x, z;
};

constexpr int TRACK_POINTS = 14;
constexpr std::array<ProfilePoint, TRACK_POINTS> TRACK_PROFILE = {{
    {3.0f, 0.77f},
    {2.98f, 0.883f},
    {2.86f, 0.956f},
    {2.75f, 1.08f},
    {2.35f, 1.1f},
    {1.94f, 1.31f},
    {-1.02f, 1.32f},
    {-1.46f, 1.4f},
    {-2.97f, 1.41f},
    {-2.74f, 0.528f},
    {-1.62f, 0.0f},
    {1.99f, 0.0f},
    {2.79f, 0.408f},
    {2.86f, 0.739f},
}};

// The side plates of each track as three fans of profile points (numbered from 1): rear,
// middle and front.
struct TrackFan {
    int count;
    std::array<int, 8> points;
};

constexpr std::array<TrackFan, 3> TRACK_FANS = {{
    {5, {10, 11, 7, 8, 9}},
    {8, {12, 13, 14, 4, 5, 6, 7, 11}},
    {5, {14, 1, 2, 3, 4}},
}};

struct TrackSide {
    float y_low, y_high;
    PlanarMap texture_map;
};

// Along the track s follows x; t rises with the height and a little across the tread.
constexpr TrackSide LEFT_TRACK = {
    0.877f, 1.4f, {0.332578f, 0.194807f, 0.0f, 0.0f, -0.115373f, 0.0f, 0.382409f, 0.624113f}};
constexpr TrackSide RIGHT_TRACK = {
    -1.4f, -0.875f, {0.149648f, 0.190117f, 0.0f, 0.0f, 0.250333f, 0.0f, 0.380952f, 0.694326f}};

constexpr int TRACK_BAND_VERTICES = 2 * (TRACK_POINTS + 1);
constexpr int REAR_FAN_VERTICES = 5;
constexpr int MIDDLE_FAN_VERTICES = 8;
constexpr int FRONT_FAN_VERTICES = 5;
constexpr int TRACK_VERTICES =
    TRACK_BAND_VERTICES + 2 * (REAR_FAN_VERTICES + MIDDLE_FAN_VERTICES + FRONT_FAN_VERTICES);

constexpr std::array<ModelPiece, 7> TRACK_PIECES = {{
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, TRACK_BAND_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, REAR_FAN_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, MIDDLE_FAN_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, FRONT_FAN_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, REAR_FAN_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, MIDDLE_FAN_VERTICES},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, FRONT_FAN_VERTICES},
}};

constexpr ModelVertex track_vertex(const TrackSide &side, int point_number, float y) {
    const ProfilePoint &p = TRACK_PROFILE[point_number - 1];
    return mapped(side.texture_map, p.x, y, p.z);
}

constexpr std::array<ModelVertex, TRACK_VERTICES> track_vertices(const TrackSide &side) {
    std::array<ModelVertex, TRACK_VERTICES> v{};
    int n = 0;
    for (int pair = 0; pair <= TRACK_POINTS; ++pair) {
        int point_number = pair % TRACK_POINTS + 1;
        v[n++] = track_vertex(side, point_number, side.y_low);
        v[n++] = track_vertex(side, point_number, side.y_high);
    }
    for (const TrackFan &fan : TRACK_FANS) {
        v[n++] = track_vertex(side, fan.points[0], side.y_low);
        for (int i = 1; i < fan.count; ++i) {
            v[n++] = track_vertex(side, fan.points[i], side.y_low);
        }
    }
    // The upper plate faces the other way, so its fans run backwards from the same hub.
    for (const TrackFan &fan : TRACK_FANS) {
        v[n++] = track_vertex(side, fan.points[0], side.y_high);
        for (int i = fan.count - 1; i >= 1; --i) {
            v[n++] = track_vertex(side, fan.points[i], side.y_high);
        }
    }
    return v;
}

// ---- Turret -----------------------------------------------------------------------------

constexpr std::array<ModelPiece, 14> TURRET_PIECES = {{
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},   // left wall of the rear bustle
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 4},  // right wall of the rear bustle
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},   // lower rear face of the body
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 16},  // band over the body, front to rear
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},   // rear face of the cupola rim
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 12},  // cupola lid
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 11},  // right flank of the body
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 11}, // left flank of the body
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 10},  // back of the bustle
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 8},   // lower right skirt
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 8},  // lower left skirt
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 24},  // cupola rim
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 7},     // bustle floor
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 7},     // bustle roof
}};

// Texture coordinate, position.
struct TurretRow {
    float s, t;
    float x, y, z;
};

constexpr int TURRET_VERTICES = 132;

// Most faces map the texture top-down, rotated a quarter turn; the bustle roof has a smaller
// mapping of its own whose last corner lands on the texel the barrel shows.
constexpr std::array<TurretRow, TURRET_VERTICES> TURRET_ROWS = {{
    // left wall
    {1.039f, 0.2916f, -0.946f, 0.8f, 1.51f},
    {1.039f, 0.2916f, -0.946f, 0.8f, 2.05f},
    {1.039f, 0.4244f, -1.37f, 0.8f, 1.541f},
    {1.039f, 0.4244f, -1.37f, 0.8f, 2.001f},
    // right wall
    {0.2582f, 0.2916f, -0.946f, -0.8f, 1.51f},
    {0.2582f, 0.2916f, -0.946f, -0.8f, 2.05f},
    {0.2582f, 0.4244f, -1.37f, -0.8f, 1.541f},
    {0.2582f, 0.4244f, -1.37f, -0.8f, 2.001f},
    // lower rear face
    {1.112f, 0.1382f, -0.456f, 0.95f, 1.03f},
    {1.039f, 0.2973f, -0.964f, 0.8f, 1.51f},
    {0.6485f, 0.1382f, -0.456f, 0.0f, 1.03f},
    {0.6485f, 0.2973f, -0.964f, 0.0f, 1.51f},
    {0.1851f, 0.1382f, -0.456f, -0.95f, 1.03f},
    {0.2582f, 0.2973f, -0.964f, -0.8f, 1.51f},
    // band
    {1.063f, -0.4682f, 1.48f, 0.85f, 1.03f},
    {0.2338f, -0.4682f, 1.48f, -0.85f, 1.03f},
    {1.136f, -0.4682f, 1.48f, 1.0f, 1.3f},
    {0.1607f, -0.4682f, 1.48f, -1.0f, 1.3f},
    {1.039f, -0.559f, 1.77f, 0.8f, 1.45f},
    {0.2582f, -0.559f, 1.77f, -0.8f, 1.45f},
    {1.039f, -0.512f, 1.62f, 0.8f, 1.7f},
    {0.2582f, -0.512f, 1.62f, -0.8f, 1.7f},
    {1.078f, -0.3805f, 1.2f, 0.88f, 1.85f},
    {0.2192f, -0.3805f, 1.2f, -0.88f, 1.85f},
    {1.112f, -0.1926f, 0.6f, 0.95f, 1.92f},
    {0.1851f, -0.1926f, 0.6f, -0.95f, 1.92f},
    {1.112f, 0.1206f, -0.4f, 0.95f, 1.94f},
    {0.1851f, 0.1206f, -0.4f, -0.95f, 1.94f},
    {1.039f, 0.2916f, -0.946f, 0.8f, 2.05f},
    {0.2582f, 0.2916f, -0.946f, -0.8f, 2.05f},
    // cupola rear face
    {0.707f, 0.167f, -0.548f, 0.12f, 1.92f},
    {0.707f, 0.167f, -0.548f, 0.12f, 2.08f},
    {0.2973f, 0.167f, -0.548f, -0.72f, 1.92f},
    {0.2973f, 0.167f, -0.548f, -0.72f, 2.08f},
    // cupola lid
    {0.2973f, 0.167f, -0.548f, -0.72f, 2.08f},
    {0.707f, 0.167f, -0.548f, 0.12f, 2.08f},
    {0.3056f, 0.1229f, -0.4071f, -0.703f, 2.08f},
    {0.6987f, 0.1229f, -0.4071f, 0.103f, 2.08f},
    {0.3298f, 0.08233f, -0.2777f, -0.6533f, 2.08f},
    {0.6745f, 0.08233f, -0.2777f, 0.05333f, 2.08f},
    {0.368f, 0.04864f, -0.1701f, -0.575f, 2.08f},
    {0.6363f, 0.04864f, -0.1701f, -0.02496f, 2.08f},
    {0.417f, 0.02454f, -0.09318f, -0.4745f, 2.08f},
    {0.5873f, 0.02454f, -0.09318f, -0.1255f, 2.08f},
    {0.473f, 0.01199f, -0.05309f, -0.3598f, 2.08f},
    {0.5313f, 0.01199f, -0.05309f, -0.2402f, 2.08f},
    // right flank
    {0.1607f, -0.4682f, 1.48f, -1.0f, 1.3f},
    {0.107f, -0.4118f, 1.3f, -1.11f, 1.31f},
    {0.2582f, -0.512f, 1.62f, -0.8f, 1.7f},
    {0.107f, -0.2552f, 0.8f, -1.11f, 1.31f},
    {0.2192f, -0.3805f, 1.2f, -0.88f, 1.85f},
    {0.107f, -0.03596f, 0.1f, -1.11f, 1.31f},
    {0.1851f, -0.1926f, 0.6f, -0.95f, 1.92f},
    {0.107f, 0.1382f, -0.456f, -1.11f, 1.31f},
    {0.1851f, 0.1206f, -0.4f, -0.95f, 1.94f},
    {0.2582f, 0.2916f, -0.946f, -0.8f, 1.51f},
    {0.2582f, 0.2916f, -0.946f, -0.8f, 2.05f},
    // left flank
    {1.136f, -0.4682f, 1.48f, 1.0f, 1.3f},
    {1.19f, -0.4118f, 1.3f, 1.11f, 1.31f},
    {1.039f, -0.512f, 1.62f, 0.8f, 1.7f},
    {1.19f, -0.2552f, 0.8f, 1.11f, 1.31f},
    {1.078f, -0.3805f, 1.2f, 0.88f, 1.85f},
    {1.19f, -0.03596f, 0.1f, 1.11f, 1.31f},
    {1.112f, -0.1926f, 0.6f, 0.95f, 1.92f},
    {1.19f, 0.1382f, -0.456f, 1.11f, 1.31f},
    {1.112f, 0.1206f, -0.4f, 0.95f, 1.94f},
    {1.039f, 0.2916f, -0.946f, 0.8f, 1.51f},
    {1.039f, 0.2916f, -0.946f, 0.8f, 2.05f},
    // bustle back
    {1.039f, 0.4244f, -1.37f, 0.8f, 1.541f},
    {1.039f, 0.4244f, -1.37f, 0.8f, 2.001f},
    {0.9022f, 0.4839f, -1.56f, 0.52f, 1.554f},
    {0.9022f, 0.4839f, -1.56f, 0.52f, 1.979f},
    {0.6485f, 0.509f, -1.64f, 0.0f, 1.56f},
    {0.6485f, 0.509f, -1.64f, 0.0f, 1.97f},
    {0.3948f, 0.4839f, -1.56f, -0.52f, 1.554f},
    {0.3948f, 0.4839f, -1.56f, -0.52f, 1.979f},
    {0.2582f, 0.4244f, -1.37f, -0.8f, 1.541f},
    {0.2582f, 0.4244f, -1.37f, -0.8f, 2.001f},
    // right skirt
    {0.1607f, -0.4682f, 1.48f, -1.0f, 1.31f},
    {0.2338f, -0.4682f, 1.48f, -0.85f, 1.03f},
    {0.107f, -0.4118f, 1.3f, -1.11f, 1.31f},
    {0.1851f, -0.4118f, 1.3f, -0.95f, 1.03f},
    {0.107f, -0.03596f, 0.1f, -1.11f, 1.31f},
    {0.1851f, -0.03596f, 0.1f, -0.95f, 1.03f},
    {0.107f, 0.1382f, -0.456f, -1.11f, 1.31f},
    {0.1851f, 0.1382f, -0.456f, -0.95f, 1.03f},
    // left skirt
    {1.136f, -0.4682f, 1.48f, 1.0f, 1.31f},
    {1.063f, -0.4682f, 1.48f, 0.85f, 1.03f},
    {1.19f, -0.4118f, 1.3f, 1.11f, 1.31f},
    {1.112f, -0.4118f, 1.3f, 0.95f, 1.03f},
    {1.19f, -0.03596f, 0.1f, 1.11f, 1.31f},
    {1.112f, -0.03596f, 0.1f, 0.95f, 1.03f},
    {1.19f, 0.1382f, -0.456f, 1.11f, 1.31f},
    {1.112f, 0.1382f, -0.456f, 0.95f, 1.03f},
    // cupola rim
    {0.2973f, 0.167f, -0.548f, -0.72f, 1.92f},
    {0.2973f, 0.167f, -0.548f, -0.72f, 2.08f},
    {0.3056f, 0.1229f, -0.4071f, -0.703f, 1.92f},
    {0.3056f, 0.1229f, -0.4071f, -0.703f, 2.08f},
    {0.3298f, 0.08233f, -0.2777f, -0.6533f, 1.92f},
    {0.3298f, 0.08233f, -0.2777f, -0.6533f, 2.08f},
    {0.368f, 0.04864f, -0.1701f, -0.575f, 1.92f},
    {0.368f, 0.04864f, -0.1701f, -0.575f, 2.08f},
    {0.417f, 0.02454f, -0.09318f, -0.4745f, 1.92f},
    {0.417f, 0.02454f, -0.09318f, -0.4745f, 2.08f},
    {0.473f, 0.01199f, -0.05309f, -0.3598f, 1.92f},
    {0.473f, 0.01199f, -0.05309f, -0.3598f, 2.08f},
    {0.5313f, 0.01199f, -0.05309f, -0.2402f, 1.92f},
    {0.5313f, 0.01199f, -0.05309f, -0.2402f, 2.08f},
    {0.5873f, 0.02454f, -0.09318f, -0.1255f, 1.92f},
    {0.5873f, 0.02454f, -0.09318f, -0.1255f, 2.08f},
    {0.6363f, 0.04864f, -0.1701f, -0.02496f, 1.92f},
    {0.6363f, 0.04864f, -0.1701f, -0.02496f, 2.08f},
    {0.6745f, 0.08233f, -0.2777f, 0.05333f, 1.92f},
    {0.6745f, 0.08233f, -0.2777f, 0.05333f, 2.08f},
    {0.6987f, 0.1229f, -0.4071f, 0.103f, 1.92f},
    {0.6987f, 0.1229f, -0.4071f, 0.103f, 2.08f},
    {0.707f, 0.167f, -0.548f, 0.12f, 1.92f},
    {0.707f, 0.167f, -0.548f, 0.12f, 2.08f},
    // bustle floor
    {1.039f, 0.2916f, -0.946f, 0.8f, 1.51f},
    {1.039f, 0.4244f, -1.37f, 0.8f, 1.541f},
    {0.9022f, 0.4839f, -1.56f, 0.52f, 1.554f},
    {0.6485f, 0.509f, -1.64f, 0.0f, 1.56f},
    {0.3948f, 0.4839f, -1.56f, -0.52f, 1.554f},
    {0.2582f, 0.4244f, -1.37f, -0.8f, 1.541f},
    {0.2582f, 0.2916f, -0.946f, -0.8f, 1.51f},
    // bustle roof
    {0.286f, 0.326f, -0.946f, -0.8f, 2.05f},
    {0.286f, 0.1988f, -1.37f, -0.8f, 2.001f},
    {0.37f, 0.1418f, -1.56f, -0.52f, 1.979f},
    {0.526f, 0.1178f, -1.64f, 0.0f, 1.97f},
    {0.682f, 0.1418f, -1.56f, 0.52f, 1.979f},
    {0.766f, 0.1988f, -1.37f, 0.8f, 2.001f},
    {0.766f, 0.326f, -0.946f, 0.8f, 2.05f},
}};

constexpr std::array<ModelVertex, TURRET_VERTICES> turret_vertices() {
    std::array<ModelVertex, TURRET_VERTICES> v{};
    for (int i = 0; i < TURRET_VERTICES; ++i) {
        const TurretRow &r = TURRET_ROWS[i];
        v[i] = ModelVertex{true, r.s, r.t, r.x, r.y, r.z};
    }
    return v;
}

// ---- Barrel -----------------------------------------------------------------------------

// An eight-sided tube along +x. It has no texture coordinates of its own: called right after
// the turret, all of it takes the turret's last one.
constexpr float BARREL_REAR_X = 1.57f;
constexpr float BARREL_MUZZLE_X = 4.94f;

constexpr int MUZZLE_VERTICES = 8;
constexpr std::array<std::array<float, 2>, MUZZLE_VERTICES> MUZZLE_CAP = {{
    {0.0f, 1.41f},
    {0.089f, 1.44f},
    {0.126f, 1.53f},
    {0.089f, 1.62f},
    {0.0f, 1.66f},
    {-0.09f, 1.62f},
    {-0.126f, 1.53f},
    {-0.09f, 1.44f},
}};

// Each pair of the tube: (y, z) of its rear vertex, then of its front vertex.
struct BarrelPair {
    float rear_y, rear_z;
    float front_y, front_z;
};

constexpr int BARREL_PAIRS = 9;
constexpr std::array<BarrelPair, BARREL_PAIRS> BARREL_TUBE = {{
    {-0.18f, 1.53f, -0.126f, 1.53f},
    {-0.128f, 1.66f, -0.09f, 1.62f},
    {0.0f, 1.71f, 0.0f, 1.66f},
    {0.126f, 1.66f, 0.089f, 1.62f},
    {0.18f, 1.53f, 0.126f, 1.53f},
    {0.126f, 1.4f, 0.089f, 1.44f},
    {0.0f, 1.35f, 0.0f, 1.41f},
    {-0.128f, 1.4f, -0.09f, 1.44f},
    {-0.18f, 1.53f, -0.126f, 1.53f},
}};

constexpr int BARREL_VERTICES = MUZZLE_VERTICES + 2 * BARREL_PAIRS;

constexpr std::array<ModelPiece, 2> BARREL_PIECES = {{
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, MUZZLE_VERTICES},
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 2 * BARREL_PAIRS},
}};

constexpr std::array<ModelVertex, BARREL_VERTICES> barrel_vertices() {
    std::array<ModelVertex, BARREL_VERTICES> v{};
    int n = 0;
    for (const auto &yz : MUZZLE_CAP) {
        v[n++] = plain(BARREL_MUZZLE_X, yz[0], yz[1]);
    }
    for (const BarrelPair &pair : BARREL_TUBE) {
        v[n++] = plain(BARREL_REAR_X, pair.rear_y, pair.rear_z);
        v[n++] = plain(BARREL_MUZZLE_X, pair.front_y, pair.front_z);
    }
    return v;
}

// ---- Shell ------------------------------------------------------------------------------

// A cube with bevelled edges and corners: every vertex is a permutation of (+-0.1, +-0.1,
// +-0.3).
constexpr float SHELL_NEAR = 0.1f;
constexpr float SHELL_FAR = 0.3f;

constexpr int SHELL_BAND_VERTICES = 18;
constexpr int SHELL_SIDE_VERTICES = 8;
constexpr int SHELL_EDGE_VERTICES = 16;
constexpr int SHELL_CORNER_VERTICES = 24;
constexpr int SHELL_VERTICES =
    SHELL_BAND_VERTICES + 2 * SHELL_SIDE_VERTICES + SHELL_EDGE_VERTICES + SHELL_CORNER_VERTICES;

constexpr std::array<ModelPiece, 5> SHELL_PIECES = {{
    {PRIMITIVE_QUAD_STRIP, FRONT_CCW, SHELL_BAND_VERTICES},
    {PRIMITIVE_QUAD_STRIP, FRONT_CW, SHELL_SIDE_VERTICES},
    {PRIMITIVE_QUAD_STRIP, FRONT_CW, SHELL_SIDE_VERTICES},
    {PRIMITIVE_QUADS, FRONT_CCW, SHELL_EDGE_VERTICES},
    {PRIMITIVE_TRIANGLES, FRONT_CCW, SHELL_CORNER_VERTICES},
}};

constexpr std::array<ModelVertex, SHELL_VERTICES> shell_vertices() {
    constexpr float N = SHELL_NEAR;
    constexpr float F = SHELL_FAR;
    std::array<ModelVertex, SHELL_VERTICES> v{};
    int n = 0;
    // The band of eight faces around the x axis.
    const std::array<std::array<float, 2>, 9> band = {{
        {-F, -N},
        {-F, N},
        {-N, F},
        {N, F},
        {F, N},
        {F, -N},
        {N, -F},
        {-N, -F},
        {-F, -N},
    }};
    for (const auto &yz : band) {
        v[n++] = plain(-N, yz[0], yz[1]);
        v[n++] = plain(N, yz[0], yz[1]);
    }
    // The three faces on the +x side, then the three on the -x side.
    const std::array<std::array<float, 2>, 4> plus_x = {{{N, -F}, {F, -N}, {F, N}, {N, F}}};
    const std::array<std::array<float, 2>, 4> minus_x = {{{-N, F}, {-F, N}, {-F, -N}, {-N, -F}}};
    for (const auto &xy : plus_x) {
        v[n++] = plain(xy[0], xy[1], -N);
        v[n++] = plain(xy[0], xy[1], N);
    }
    for (const auto &xy : minus_x) {
        v[n++] = plain(xy[0], xy[1], -N);
        v[n++] = plain(xy[0], xy[1], N);
    }
    // Rectangles joining an x side to a z face.
    const std::array<std::array<float, 2>, 4> edges = {{{1, -1}, {-1, -1}, {1, 1}, {-1, 1}}};
    for (const auto &e : edges) {
        float sx = e[0];
        float sz = e[1];
        // Mirrored in one axis a rectangle turns the other way: its corners then run backwards.
        const std::array<ModelVertex, 4> corners = {{
            plain(N * sx, N, F * sz),
            plain(N * sx, -N, F * sz),
            plain(F * sx, -N, N * sz),
            plain(F * sx, N, N * sz),
        }};
        const bool mirrored = sx * sz < 0.0f;
        v[n++] = corners[0];
        for (int k = 1; k < 4; ++k) {
            v[n++] = corners[mirrored ? 4 - k : k];
        }
    }
    // Corner triangles.
    const std::array<float, 2> signs = {1.0f, -1.0f};
    for (float sy : signs) {
        for (float sx : signs) {
            for (float sz : signs) {
                // Mirrored in one or three axes, a corner's last two points trade places.
                const bool mirrored = sx * sy * sz < 0.0f;
                const ModelVertex across = plain(N * sx, N * sy, F * sz);
                const ModelVertex forward = plain(F * sx, N * sy, N * sz);
                v[n++] = plain(N * sx, F * sy, N * sz);
                v[n++] = mirrored ? forward : across;
                v[n++] = mirrored ? across : forward;
            }
        }
    }
    return v;
}

// ---- Tree -------------------------------------------------------------------------------

// Two triangles crossing at right angles on the vertical axis.
constexpr std::array<ModelPiece, 1> TREE_PIECES = {{{PRIMITIVE_TRIANGLES, FRONT_CCW, 6}}};

constexpr std::array<ModelVertex, 6> TREE_VERTICES = {{
    plain(0.0f, 10.0f, 0.0f),
    plain(2.0f, 1.0f, 0.0f),
    plain(-2.0f, 1.0f, 0.0f),
    plain(0.0f, 10.0f, 0.0f),
    plain(0.0f, 1.0f, 2.0f),
    plain(0.0f, 1.0f, -2.0f),
}};

// ---- The seven models -------------------------------------------------------------------

// Pieces and vertices of each model, checked against each other when compiled.
template <std::size_t P, std::size_t V>
constexpr bool pieces_use_all(const std::array<ModelPiece, P> &pieces,
                              const std::array<ModelVertex, V> &) {
    std::size_t used = 0;
    for (const ModelPiece &piece : pieces) {
        used += static_cast<std::size_t>(piece.vertex_count);
    }
    return used == V;
}

constexpr auto HULL_VERTEX_DATA = hull_vertices();
constexpr auto LEFT_TRACK_VERTEX_DATA = track_vertices(LEFT_TRACK);
constexpr auto RIGHT_TRACK_VERTEX_DATA = track_vertices(RIGHT_TRACK);
constexpr auto TURRET_VERTEX_DATA = turret_vertices();
constexpr auto BARREL_VERTEX_DATA = barrel_vertices();
constexpr auto SHELL_VERTEX_DATA = shell_vertices();

static_assert(pieces_use_all(HULL_PIECES, HULL_VERTEX_DATA) &&
                  pieces_use_all(TRACK_PIECES, LEFT_TRACK_VERTEX_DATA) &&
                  pieces_use_all(TRACK_PIECES, RIGHT_TRACK_VERTEX_DATA) &&
                  pieces_use_all(TURRET_PIECES, TURRET_VERTEX_DATA) &&
                  pieces_use_all(BARREL_PIECES, BARREL_VERTEX_DATA) &&
                  pieces_use_all(SHELL_PIECES, SHELL_VERTEX_DATA) &&
                  pieces_use_all(TREE_PIECES, TREE_VERTICES),
              "every model's pieces use exactly its vertices");

template <std::size_t P, std::size_t V>
constexpr ModelTable table(const std::array<ModelPiece, P> &pieces,
                           const std::array<ModelVertex, V> &vertices, bool closed,
                           bool back_faces_hidden) {
    return ModelTable{pieces.data(),
                      static_cast<int>(P),
                      vertices.data(),
                      static_cast<int>(V),
                      closed,
                      back_faces_hidden,
                      0.0f};
}

// The turret and the barrel have gaps between their pieces, and the tree's two triangles are
// seen from both sides.
const std::array<ModelTable, NUM_FULL_MODELS> MODEL_TABLES = {{
    table(HULL_PIECES, HULL_VERTEX_DATA, false, true),
    table(TRACK_PIECES, LEFT_TRACK_VERTEX_DATA, true, true),
    table(TRACK_PIECES, RIGHT_TRACK_VERTEX_DATA, true, true),
    table(TURRET_PIECES, TURRET_VERTEX_DATA, false, false),
    table(BARREL_PIECES, BARREL_VERTEX_DATA, false, false),
    table(SHELL_PIECES, SHELL_VERTEX_DATA, true, true),
    table(TREE_PIECES, TREE_VERTICES, false, false),
}};

} // namespace

const ModelTable &model_table(Model model) {
    return model < NUM_FULL_MODELS ? MODEL_TABLES[model] : far_model_table(model);
}

static_assert(HULL_DISTANT_MODEL == HULL_FAR_MODEL + BARREL_MODEL + 1 &&
                  BARREL_DISTANT_MODEL == NUM_MODELS - 1,
              "each level's tank parts follow each other in the order of the full ones");

Model model_at_level(Model model, int level) {
    const bool tank_part = model <= BARREL_MODEL;
    if (!tank_part || level <= 0 || level >= DETAIL_LEVELS) {
        return model;
    }
    return static_cast<Model>(HULL_FAR_MODEL + (level - 1) * (BARREL_MODEL + 1) + model);
}
