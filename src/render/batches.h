// Many copies of one model, or many plain-coloured triangles, gathered in fixed tables already
// placed in the world and sent to OpenGL in a few draws instead of one call per object. The
// model-view matrix stays the bare camera throughout. A batch binds its texture and enables
// its vertex arrays from begin to end; no other drawing may come in between.
//
// Objects that reach across the edge of the view go into a lane of their own with small draws:
// Mesa clips a draw that needs any clipping by a path whose cost grows with the square of the
// draw's size, so one such object must not drag a large draw onto it.
#pragma once

#include "render/models.h"
#include "render/view_volume.h"

#include <array>
#include <cstdint>

// Model space to world: world = rotation_scale * model + position.
struct Placement {
    std::array<std::array<float, 3>, 3> rotation_scale;
    float x, y, z;
};

struct Colour {
    float red, green, blue;
};

// Copies of one display list's model with one texture bound (0: untextured, in white), and
// how a copy lies in the view. Sifted, the copy's triangles that cover no pixel centre are
// left out (worth it for copies that look small). With `hidden_back_faces`, the caller knows
// that the model's triangles facing away from the eye are hidden whenever a copy is seen from
// outside (a closed model, or one closed by others drawn with it); they are then left out of
// copies whole in view.
void begin_mesh_batch(ModelList list, uint32_t texture, bool hidden_back_faces);
void add_mesh_copy(const Placement &placement, const ViewVolume &view, SphereView lies, bool sift);
// Draws what is left and flushes the batch to the rasteriser.
void end_mesh_batch();

// Triangles of one colour each, drawn untextured in the order they are added within each lane
// (whole in view, across its edge); sifted, those that cover no pixel centre are left out.
void begin_colour_batch();
void add_coloured_triangle(const std::array<std::array<float, 3>, 3> &corners, Colour colour,
                           const ViewVolume &view, SphereView lies);
// A display list's model moved to (x, y, z), unrotated, in one colour.
void add_coloured_mesh(ModelList list, float x, float y, float z, Colour colour,
                       const ViewVolume &view, SphereView lies, bool sift);
// Draws what is left, flushes the batch to the rasteriser and leaves the current colour white.
void end_colour_batch();
