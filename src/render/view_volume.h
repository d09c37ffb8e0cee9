// The part of the world a player's view can show, and where on the screen a point of it lands:
// the camera's eye transform, the projection's frustum and the view's viewport. Used to leave
// out objects that lie wholly outside the picture and triangles that cover no pixel centre;
// OpenGL would clip the one and rasterise nothing for the other, so no pixel changes.
#pragma once

#include "match/world.h"

#include <array>
#include <cstdint>

struct ViewVolume {
    // World point to eye space: rows of a 3 x 4 matrix, in double and in float.
    std::array<std::array<double, 4>, 3> eye;
    std::array<std::array<float, 4>, 3> eye_float;
    double eye_scale; // eye units per world unit
    // Window coordinates of normalised device coordinates (0, 0) and the scale to them.
    float centre_x, centre_y, half_width, half_height;
    float half_size; // the larger of the two
    // Whether the world near the camera is small enough in coordinates that a point projected
    // here lands within a small fraction of a pixel of where OpenGL puts it.
    bool projects_exactly;
};

// The camera as set_player_camera loads it (the fixed pitch, the camera's yaw and roll, the
// world scale and the camera's translation) and the view's viewport.
ViewVolume view_volume(const PlayerCamera &camera, double pitch, double world_scale,
                       const std::array<int, 4> &viewport);

// Where a sphere (world units) lies: wholly outside the frustum, wholly inside it (so OpenGL
// clips none of it), or across its edge, which is also the answer for NaN.
enum SphereView { SPHERE_OUTSIDE, SPHERE_WHOLE, SPHERE_ACROSS };
SphereView sphere_view(const ViewVolume &volume, double x, double y, double z, double radius);

// Whether all `count` points (x, y and z following each other, `stride` floats apart) lie
// inside the frustum by a margin, so that OpenGL clips nothing of a triangle through them.
bool all_inside(const ViewVolume &volume, const float *xyz, int stride, int count);

// How far in front of the eye a world point lies, in eye units.
double eye_depth(const ViewVolume &volume, double x, double y, double z);

// Whether a sphere (world units) in front of the eye spans only a few pixels on the screen.
bool looks_small(const ViewVolume &volume, double x, double y, double z, double radius);

// A world point in window coordinates; not `in_front` when it lies at or behind the near
// plane (or anything is NaN or far off the screen), where a triangle's pixels cannot be
// foretold this simply. With it, how far (in pixels) OpenGL may put it from here, and the
// pixel centres that bracket it on each axis (centre k lies at k + 0.5), widened by that
// margin: the last one at or below it and the first one at or above it.
struct WindowPoint {
    float x, y;
    bool in_front;
    float margin;
    int32_t centre_below_x, centre_above_x, centre_below_y, centre_above_y;
};
WindowPoint to_window(const ViewVolume &volume, float x, float y, float z);
// The same for `count` points whose x, y and z follow each other, `stride` floats apart.
void to_window(const ViewVolume &volume, const float *xyz, int stride, int count, WindowPoint *out);

// True only when a triangle through these points, all in front, surely covers no pixel centre:
// its bounding box, widened by a margin for rounding, holds none.
bool covers_no_pixel(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c);
// True only when a triangle through these points, all in front, surely turns clockwise on the
// screen, so that face culling would drop it.
bool faces_away(const WindowPoint &a, const WindowPoint &b, const WindowPoint &c);
// Copies the triangles (three indices each) that may cover a pixel centre, and that may face
// the eye unless `drop_facing_away` is false; returns how many indices it wrote.
int keep_covering_triangles(const WindowPoint *window, const uint16_t *indices, int index_count,
                            bool drop_facing_away, uint16_t *out);
