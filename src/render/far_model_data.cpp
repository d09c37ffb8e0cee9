// The tank parts as drawn far away, and further away still: each one the full model's primitives
// over fewer of its vertices, chosen so that every point of the simpler surface lies close to the
// full one and the other way round. A profile point is left out where it lies close to the line
// through its neighbours (the hull's and the tracks' noses and tops), a curve keeps every third or
// so of its points (the cupola, the bustle, the barrel's eight sides become four), points in line
// with their neighbours go (along the turret's skirts and flanks), and so do the boxes' floors,
// which face straight down. The vertices keep their texture coordinates, so what is left
// shows the same texels as before.
#include "render/model_data.h"

#include <array>
#include <cstdint>

namespace {

// A far model: its pieces, each over the full model's vertices at these indices in turn.
template <std::size_t P, std::size_t V> struct FarChoice {
    Model full;
    std::array<ModelPiece, P> pieces;
    std::array<uint8_t, V> picked;
    bool closed;
    bool back_faces_hidden;
    float error;
};

// Hull: the band without profile points 2 and 4 (0.061 from the lines through their
// neighbours), the rear boxes without their floors.
constexpr FarChoice<5, 46> HULL_FAR = {
    HULL_MODEL,
    {{{PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 22},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 8},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 8},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 4}}},
    {{0,  1,  4,  5,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
      27, 28, 29, 30, 31, 32, 33, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 50, 51, 52, 53}},
    false,
    true,
    0.07f,
};

// A track without profile points 2, 4 and 8 (at most 0.089 off); the side plates are three
// fans over the points left, closed as before.
constexpr std::array<ModelPiece, 7> TRACK_FAR_PIECES = {{
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 24},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 4},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 7},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 4},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 4},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 7},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 4},
}};
// The band's pairs, then the lower plate's fans (points 10 11 7 9; 12 13 14 5 6 7 11; 14 1 3
// 5), then the upper plate's, each from the same hub the other way round.
constexpr std::array<uint8_t, 54> TRACK_FAR_PICKED = {{
    0,  1,  4,  5,  8,  9,  10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 26, 27, 28, 29, 30, 31, 32, 34, 35, 36, 37, 39, 40, 41, 42, 43,
    44, 46, 39, 48, 49, 51, 52, 53, 54, 55, 56, 57, 59, 60, 61, 57, 63, 65,
}};
constexpr FarChoice<7, 54> LEFT_TRACK_FAR = {
    LEFT_TRACK_MODEL, TRACK_FAR_PIECES, TRACK_FAR_PICKED, true, true, 0.1f,
};
constexpr FarChoice<7, 54> RIGHT_TRACK_FAR = {
    RIGHT_TRACK_MODEL, TRACK_FAR_PIECES, TRACK_FAR_PICKED, true, true, 0.1f,
};

// Turret: the band and the flanks without the top's point at x 0.6 (0.057 off), the skirts
// and flanks without their points in line along the bottom edge, the bustle's back, floor and
// roof without the points at y +-0.52 (0.091 off), the cupola with four of its twelve rim
// points (0.07 off). Two triangles close the holes at the front corners between the band and
// the flanks, through which the full turret shows its inside: with them, every opening left
// is hidden in the hull (the bottom) or the body (the cupola's foot), or narrower than 0.02,
// so its back faces are hidden as the barrel's are, whose open end lies inside the turret.
// The roof's last corner stays last: the barrel keeps its texel.
constexpr FarChoice<15, 96> TURRET_FAR = {
    TURRET_MODEL,
    {{{PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 14},
      {PRIMITIVE_TRIANGLES, FRONT_CCW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 9},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 9},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 8},
      {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 5},
      {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 5}}},
    {{0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15, 16, 17, 18, 19,
      20,  21,  22,  23,  26,  27,  28,  29,  17,  19,  21,  16,  20,  18,  30,  31, 32, 33, 34, 35,
      42,  43,  46,  47,  48,  49,  50,  53,  54,  55,  56,  57,  58,  59,  60,  61, 64, 65, 66, 67,
      68,  69,  72,  73,  76,  77,  78,  79,  80,  81,  84,  85,  86,  87,  88,  89, 92, 93, 94, 95,
      102, 103, 108, 109, 116, 117, 118, 119, 121, 123, 124, 125, 126, 128, 130, 131}},
    false,
    true,
    0.1f,
};

// Barrel: four of the eight sides, every other corner of the muzzle and both rings (0.055
// off).
constexpr FarChoice<2, 14> BARREL_FAR = {
    BARREL_MODEL,
    {{{PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 4}, {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 10}}},
    {{0, 2, 4, 6, 8, 9, 12, 13, 16, 17, 20, 21, 24, 25}},
    false,
    true,
    0.06f,
};

// ---- Distant: simpler still, each point within 0.17

// Hull: the band over profile points 1 and 5 to 10 (0.164 off), of the boxes only their tops.
constexpr FarChoice<3, 24> HULL_DISTANT = {
    HULL_MODEL,
    {{{PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 16},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4}}},
    {{0, 1, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 24, 25, 28, 29, 30, 31, 42, 43, 44, 45}},
    false,
    true,
    0.17f,
};

// A track over profile points 1, 6 and 9 to 12, a convex hexagon: each side plate is one fan.
constexpr std::array<ModelPiece, 3> TRACK_DISTANT_PIECES = {{
    {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 14},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 6},
    {PRIMITIVE_TRIANGLE_FAN, FRONT_CCW, 6},
}};
constexpr std::array<uint8_t, 26> TRACK_DISTANT_PICKED = {{
    0,  1,  10, 11, 16, 17, 18, 19, 20, 21, 22, 23, 28,
    29, 35, 44, 40, 34, 30, 31, 53, 54, 48, 49, 56, 65,
}};
constexpr FarChoice<3, 26> LEFT_TRACK_DISTANT = {
    LEFT_TRACK_MODEL, TRACK_DISTANT_PIECES, TRACK_DISTANT_PICKED, true, true, 0.17f,
};
constexpr FarChoice<3, 26> RIGHT_TRACK_DISTANT = {
    RIGHT_TRACK_MODEL, TRACK_DISTANT_PIECES, TRACK_DISTANT_PICKED, true, true, 0.17f,
};

// Turret: the far one without the cupola, which stands 0.16 above the top.
constexpr FarChoice<12, 80> TURRET_DISTANT = {
    TURRET_MODEL,
    {{{PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 4},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 14},
      {PRIMITIVE_TRIANGLES, FRONT_CCW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 9},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 9},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CW, 6},
      {PRIMITIVE_TRIANGLE_STRIP, FRONT_CCW, 6},
      {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 5},
      {PRIMITIVE_TRIANGLE_FAN, FRONT_CW, 5}}},
    {{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,  14,  15,  16,  17,  18,  19,
      20, 21, 22, 23, 26, 27, 28, 29, 17, 19, 21,  16,  20,  18,  46,  47,  48,  49,  50,  53,
      54, 55, 56, 57, 58, 59, 60, 61, 64, 65, 66,  67,  68,  69,  72,  73,  76,  77,  78,  79,
      80, 81, 84, 85, 86, 87, 88, 89, 92, 93, 118, 119, 121, 123, 124, 125, 126, 128, 130, 131}},
    false,
    true,
    0.17f,
};

// Barrel: as far away.
constexpr FarChoice<2, 14> BARREL_DISTANT = BARREL_FAR;

template <std::size_t P, std::size_t V> constexpr bool pieces_use_all(const FarChoice<P, V> &c) {
    std::size_t used = 0;
    for (const ModelPiece &piece : c.pieces) {
        used += static_cast<std::size_t>(piece.vertex_count);
    }
    return used == V;
}
static_assert(pieces_use_all(HULL_FAR) && pieces_use_all(LEFT_TRACK_FAR) &&
                  pieces_use_all(TURRET_FAR) && pieces_use_all(BARREL_FAR) &&
                  pieces_use_all(HULL_DISTANT) && pieces_use_all(LEFT_TRACK_DISTANT) &&
                  pieces_use_all(TURRET_DISTANT),
              "every far model's pieces use exactly its vertices");

template <std::size_t P, std::size_t V> struct FarModel {
    std::array<ModelVertex, V> vertices;
    ModelTable table;
};

template <std::size_t P, std::size_t V> void make(const FarChoice<P, V> &c, FarModel<P, V> &far) {
    const ModelTable &full = model_table(c.full);
    for (std::size_t i = 0; i < V; ++i) {
        far.vertices[i] = full.vertices[c.picked[i]];
    }
    far.table = ModelTable{c.pieces.data(),
                           static_cast<int>(P),
                           far.vertices.data(),
                           static_cast<int>(V),
                           c.closed,
                           c.back_faces_hidden,
                           c.error};
}

struct FarModels {
    FarModel<5, 46> hull;
    FarModel<7, 54> left_track, right_track;
    FarModel<15, 96> turret;
    FarModel<2, 14> barrel;
    FarModel<3, 24> distant_hull;
    FarModel<3, 26> distant_left_track, distant_right_track;
    FarModel<12, 80> distant_turret;
    FarModel<2, 14> distant_barrel;
    FarModels() {
        make(HULL_FAR, hull);
        make(LEFT_TRACK_FAR, left_track);
        make(RIGHT_TRACK_FAR, right_track);
        make(TURRET_FAR, turret);
        make(BARREL_FAR, barrel);
        make(HULL_DISTANT, distant_hull);
        make(LEFT_TRACK_DISTANT, distant_left_track);
        make(RIGHT_TRACK_DISTANT, distant_right_track);
        make(TURRET_DISTANT, distant_turret);
        make(BARREL_DISTANT, distant_barrel);
    }
};

} // namespace

const ModelTable &far_model_table(Model model) {
    static const FarModels made;
    switch (model) {
    case HULL_FAR_MODEL:
        return made.hull.table;
    case LEFT_TRACK_FAR_MODEL:
        return made.left_track.table;
    case RIGHT_TRACK_FAR_MODEL:
        return made.right_track.table;
    case TURRET_FAR_MODEL:
        return made.turret.table;
    case BARREL_FAR_MODEL:
        return made.barrel.table;
    case HULL_DISTANT_MODEL:
        return made.distant_hull.table;
    case LEFT_TRACK_DISTANT_MODEL:
        return made.distant_left_track.table;
    case RIGHT_TRACK_DISTANT_MODEL:
        return made.distant_right_track.table;
    case TURRET_DISTANT_MODEL:
        return made.distant_turret.table;
    case BARREL_DISTANT_MODEL:
        return made.distant_barrel.table;
    default:
        return model_table(model);
    }
}
