// The player view's speed tricks, each of which can be turned off: with all of them off the
// view draws the plain way, every object in range on its own, which the tricks but the levels
// of detail must agree with pixel for pixel but for rounding; one at a time off, the frame
// benchmark shows what each buys.
#pragma once

struct ViewTricks {
    bool frustum_cull = true;        // objects wholly outside the view are left out
    bool small_triangle_cull = true; // triangles of small copies that cover no pixel centre
    bool back_face_cull = true;      // triangles facing away, where the model hides them
    // Many copies placed in the world on the CPU and sent in one draw; off, a draw per object,
    // placed by a matrix of its own (the small-triangle cull then sifts only tank parts).
    bool batching = true;
    // Tank parts far enough away drawn from their simpler models. The one trick that changes
    // the picture: only where a part's outline moves by well under a pixel, and never for
    // objects nearer than a third of the draw range.
    bool level_of_detail = true;
};

// Every trick off: the plain view.
constexpr ViewTricks PLAIN_VIEW = {false, false, false, false, false};
// The tricks that must not change the picture.
constexpr ViewTricks EXACT_VIEW = {true, true, true, true, false};

extern ViewTricks view_tricks;
