// The small-triangle cull: triangles that surely cover no pixel centre, and triangles that
// surely face away from the eye, found on the CPU for copies that look small, whose triangles
// are mostly smaller than a pixel. OpenGL would rasterise nothing for them, so leaving them
// out changes no pixel. The margins allow for every difference between the window position
// worked out here and the one OpenGL works out for the same point.
#pragma once

#include "render/view_volume.h"

#include <cstdint>

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
