// Big lettering made from Allegro's 8-pixel font, scaled up with smooth edges.
#pragma once

#include "image.h"

struct LabelStyle {
    Colour fill_top;
    Colour fill_bottom;
    Colour outline;
    float outline_width;
    float shadow_offset;
    float shadow_alpha;
};

// Coverage (in `alpha`) of the text scaled by (sx, sy); one blank pixel column and row around it.
Image text_mask(const char *text, float sx, float sy);
// Draws the text centred on (cx, cy): shadow, outline, then a top-to-bottom gradient fill.
void draw_label(Image &img, const char *text, float cx, float cy, float sx, float sy,
                const LabelStyle &style);
