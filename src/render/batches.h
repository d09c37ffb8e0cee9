// Many copies of one model, or many plain-coloured triangles, gathered in fixed tables already
// placed in the world (the transform is done here, on the CPU) and sent to OpenGL in a few
// draws instead of one call per object; with batching turned off, in a draw per object. The
// model-view matrix stays the bare camera throughout. A batch binds its texture and enables
// its vertex arrays from begin to end; no other drawing may come in between.
//
// A batch is not flushed when it ends: the frame goes to the rasteriser once, at its end.
// Mesa's software renderer (llvmpipe, as of Mesa 22.3) frees a flushed batch's fence as soon as
// it reads the fence's count as complete, without its lock, while the rasteriser thread that
// completed it may still be inside the signalling call, which then writes into freed memory. A
// flush per batch made a fence per batch that nothing waited for, freed within microseconds
// when the next batch reused its scene: on a busy machine a preempted rasteriser thread then
// corrupted the heap. A frame's fence is freed a whole frame after it is complete.
//
// Objects that reach across the edge of the view go into a lane of their own with small draws:
// Mesa clips a draw that needs any clipping by a path whose cost grows with the square of the
// draw's size, so one such object must not drag a large draw onto it.
#pragma once

#include "render/model_data.h"
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

// Copies of one model with one texture bound (0: untextured, in white), and how a copy lies in
// the view. With `cull_small_triangles`, the copy's triangles that cover no pixel centre are
// left out (worth it for copies that look small). Where the model hides its back faces, they
// are left out of copies wholly inside the view, which are seen from outside and not cut by
// the near plane.
void begin_mesh_batch(Model model, uint32_t texture);
void add_mesh_copy(const Placement &placement, const ViewVolume &view, SphereView lies,
                   bool cull_small_triangles);
// Draws what is left.
void end_mesh_batch();

// Triangles of one colour each, drawn untextured in the order they are added within each lane
// (inside the view, intersecting its edge); with `cull_small_triangles`, those that cover no
// pixel centre are left out.
void begin_colour_batch();
void add_coloured_triangle(const std::array<std::array<float, 3>, 3> &corners, Colour colour,
                           const ViewVolume &view, SphereView lies, bool cull_small_triangles);
// A model moved to (x, y, z), unrotated, in one colour.
void add_coloured_mesh(Model model, float x, float y, float z, Colour colour,
                       const ViewVolume &view, SphereView lies, bool cull_small_triangles);
// Draws what is left and leaves the current colour white.
void end_colour_batch();
