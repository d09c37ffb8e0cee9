// The part of the world a player's view can show: the camera's eye transform, the projection's
// frustum and the view's viewport. Used to leave out objects that lie wholly outside the
// picture (frustum culling), which OpenGL would clip away, so no pixel changes.
#pragma once

#include "match/world.h"

#include <array>

// A point projected on the CPU lands within a small fraction of a pixel of where OpenGL puts
// it when the point and the camera's translation are within this on every axis.
constexpr double EXACT_PROJECTION_LIMIT = 1000.0;

struct ViewVolume {
    // World point to eye space: rows of a 3 x 4 matrix, in double and in float.
    std::array<std::array<double, 4>, 3> eye;
    std::array<std::array<float, 4>, 3> eye_float;
    double eye_scale; // eye units per world unit
    // Window coordinates of normalised device coordinates (0, 0) and the scale to them.
    float centre_x, centre_y, half_width, half_height;
    float half_size; // the larger of the two
    // Whether the camera's translation is within EXACT_PROJECTION_LIMIT.
    bool projects_exactly;
};

// The camera as set_player_camera loads it (its pitch and yaw, the world scale and its
// translation) and the view's viewport.
ViewVolume view_volume(const PlayerCamera &camera, double world_scale,
                       const std::array<int, 4> &viewport);

// Where a sphere (world units) lies: wholly outside the frustum, wholly inside it (so OpenGL
// clips none of it), or across its edge, which is also the answer for NaN.
enum SphereView { SPHERE_OUTSIDE, SPHERE_INSIDE, SPHERE_INTERSECTING };
SphereView sphere_view(const ViewVolume &volume, double x, double y, double z, double radius);

// Whether all `count` points (x, y and z following each other, `stride` floats apart) lie
// inside the frustum by a margin, so that OpenGL clips nothing of a triangle through them.
bool all_inside(const ViewVolume &volume, const float *xyz, int stride, int count);

// How far in front of the eye a world point lies, in eye units.
double eye_depth(const ViewVolume &volume, double x, double y, double z);

// At most how many pixels any point of a sphere (world units) moves on the screen when moved by
// `distance` (world units) any way: infinite for a sphere reaching the eye's plane.
double pixels_moved(const ViewVolume &volume, double x, double y, double z, double radius,
                    double distance);

// Whether a sphere (world units) in front of the eye spans only a few pixels on the screen.
bool looks_small(const ViewVolume &volume, double x, double y, double z, double radius);
