#include "render/view_volume.h"

#include "render/display.h"
#include "render/rotation.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double NEAR_PLANE = FRUSTUM_NEAR;
constexpr double FAR_PLANE = FRUSTUM_FAR;
constexpr double SLOPE = FRUSTUM_HALF_SIZE / FRUSTUM_NEAR;
// sqrt(1 + SLOPE^2): the length of the side planes' normals.
constexpr double SIDE_NORMAL_LENGTH = 1.4142135623730951;
// Added to every radius, in world units, so that rounding (OpenGL works in float) can never
// leave out an object that reaches into the picture.
constexpr double SAFETY_MARGIN = 0.5;
// Objects whose bounding sphere spans less than this radius on the screen have most of their
// triangles smaller than a pixel; larger ones are not worth sifting.
constexpr double SMALL_OBJECT_PIXELS = 48.0;

// Points inside the frustum by this much, in eye units, are clipped by nothing whatever the
// rounding.
constexpr double INSIDE_MARGIN = 1e-3;

} // namespace

ViewVolume view_volume(const PlayerCamera &camera, double world_scale,
                       const std::array<int, 4> &viewport) {
    const Matrix3<double> r =
        multiply(rotation_about<double>(0, camera.pitch), rotation_about<double>(1, camera.yaw));
    const double t[3] = {camera.translate_x, camera.translate_y, camera.translate_z};
    ViewVolume v{};
    for (int row = 0; row < 3; ++row) {
        v.eye[row][3] = 0.0;
        for (int c = 0; c < 3; ++c) {
            v.eye[row][c] = r[row][c] * world_scale;
            v.eye[row][3] += r[row][c] * world_scale * t[c];
        }
        for (int c = 0; c < 4; ++c) {
            v.eye_float[row][c] = static_cast<float>(v.eye[row][c]);
        }
    }
    v.eye_scale = world_scale;
    v.half_width = static_cast<float>(viewport[2]) / 2.0f;
    v.half_height = static_cast<float>(viewport[3]) / 2.0f;
    v.half_size = std::max(v.half_width, v.half_height);
    v.centre_x = static_cast<float>(viewport[0]) + v.half_width;
    v.centre_y = static_cast<float>(viewport[1]) + v.half_height;
    v.projects_exactly = std::fabs(t[0]) <= EXACT_PROJECTION_LIMIT &&
                         std::fabs(t[1]) <= EXACT_PROJECTION_LIMIT &&
                         std::fabs(t[2]) <= EXACT_PROJECTION_LIMIT;
    return v;
}

SphereView sphere_view(const ViewVolume &volume, double x, double y, double z, double radius) {
    const auto &m = volume.eye;
    const double r = (radius + SAFETY_MARGIN) * volume.eye_scale;
    const double side_r = r * SIDE_NORMAL_LENGTH;
    const double ex = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
    const double ey = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
    const double depth = -(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
    // How far outside each plane the centre lies (negative inside): near, far, and the sides
    // |x| = SLOPE * depth and |y| = SLOPE * depth, those scaled by their normals' length.
    const double near = NEAR_PLANE - depth;
    const double far = depth - FAR_PLANE;
    const double right = ex - SLOPE * depth;
    const double left = -ex - SLOPE * depth;
    const double top = ey - SLOPE * depth;
    const double bottom = -ey - SLOPE * depth;
    if (near > r || far > r || right > side_r || left > side_r || top > side_r || bottom > side_r) {
        return SPHERE_OUTSIDE;
    }
    const bool whole = near < -r && far < -r && right < -side_r && left < -side_r &&
                       top < -side_r && bottom < -side_r;
    return whole ? SPHERE_INSIDE : SPHERE_INTERSECTING;
}

bool all_inside(const ViewVolume &volume, const float *xyz, int stride, int count) {
    const auto &m = volume.eye;
    for (int i = 0; i < count; ++i, xyz += stride) {
        const double x = xyz[0];
        const double y = xyz[1];
        const double z = xyz[2];
        const double ex = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
        const double ey = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
        const double depth = -(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
        const double reach = SLOPE * depth - INSIDE_MARGIN;
        // Written so that NaN counts as outside.
        if (!(depth > NEAR_PLANE + INSIDE_MARGIN && depth < FAR_PLANE - INSIDE_MARGIN &&
              std::fabs(ex) < reach && std::fabs(ey) < reach)) {
            return false;
        }
    }
    return true;
}

double eye_depth(const ViewVolume &volume, double x, double y, double z) {
    const auto &m = volume.eye;
    return -(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
}

double pixels_moved(const ViewVolume &volume, double x, double y, double z, double radius,
                    double distance) {
    // Inside the frustum a point at eye depth d lies at most SLOPE * d off the axis; moved by
    // e, it lands at most sqrt(1 + SLOPE^2) * e / d further off (in units of the near plane's
    // half size, which the viewport's larger half spans), whichever way it is moved.
    const double nearest = eye_depth(volume, x, y, z) - (radius + distance) * volume.eye_scale;
    if (!(nearest > 0.0)) {
        return HUGE_VAL;
    }
    const double pixels_per_unit = volume.half_size * FRUSTUM_NEAR / FRUSTUM_HALF_SIZE;
    return SIDE_NORMAL_LENGTH * distance * volume.eye_scale / nearest * pixels_per_unit;
}

bool looks_small(const ViewVolume &volume, double x, double y, double z, double radius) {
    const double r = radius * volume.eye_scale;
    const double depth = eye_depth(volume, x, y, z);
    const double pixels_per_unit = std::max(volume.half_width, volume.half_height) / SLOPE;
    return depth > r && r / (depth - r) * pixels_per_unit < SMALL_OBJECT_PIXELS;
}
