// The 3 x 3 matrices of glRotatef about one axis, and their product, for placing models on the
// processor: in float to give OpenGL's own numbers, in double where precision matters more.
#pragma once

#include <array>
#include <cmath>

template <typename Real> using Matrix3 = std::array<std::array<Real, 3>, 3>;

// The pi glRotatef turns degrees with.
constexpr double GL_PI = 3.14159265358979323846;

// Like Mesa's glRotatef: the angle turned to radians in double, its sine and cosine taken in Real.
template <typename Real> Matrix3<Real> rotation_about(int axis, double degrees) {
    const Real radians = static_cast<Real>(degrees * GL_PI / 180.0);
    const Real s = std::sin(radians);
    const Real c = std::cos(radians);
    if (axis == 0) {
        return Matrix3<Real>{{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    }
    if (axis == 1) {
        return Matrix3<Real>{{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    }
    return Matrix3<Real>{{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

template <typename Real> Matrix3<Real> multiply(const Matrix3<Real> &a, const Matrix3<Real> &b) {
    Matrix3<Real> m{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            m[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
        }
    }
    return m;
}
