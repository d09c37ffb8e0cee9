#include "frontend/dialog_font.h"

#include <algorithm>
#include <allegro.h>

#include "render/display.h"
#include "render/presentation.h"

namespace {
constexpr int FIRST_GLYPH = ' ';
constexpr int LAST_GLYPH = '~';
constexpr int GLYPHS_PER_ROW = 16;
// The layout grab_font_from_bitmap reads from an 8-bit picture: glyphs in boxes of colour 255,
// their pixels 1 on a ground of 0.
constexpr int BOX_COLOUR = 255;
constexpr int GLYPH_COLOUR = 1;
constexpr int GLYPH_GROUND = 0;
constexpr int COLOUR_DEPTH = 8;

FONT *menu_font = nullptr;
FONT *magnified_font = nullptr;

FONT *magnify(FONT *source, int scale) {
    const int glyph_h = text_height(source);
    int widest = 0;
    for (int ch = FIRST_GLYPH; ch <= LAST_GLYPH; ++ch) {
        const char text[2] = {static_cast<char>(ch), '\0'};
        widest = std::max(widest, text_length(source, text));
    }
    const int rows = (LAST_GLYPH - FIRST_GLYPH + GLYPHS_PER_ROW) / GLYPHS_PER_ROW;
    BITMAP *sheet = create_bitmap_ex(COLOUR_DEPTH, 1 + GLYPHS_PER_ROW * (widest * scale + 1),
                                     1 + rows * (glyph_h * scale + 1));
    BITMAP *glyph = create_bitmap_ex(COLOUR_DEPTH, widest, glyph_h);
    FONT *made = nullptr;
    if (sheet != nullptr && glyph != nullptr) {
        clear_to_color(sheet, BOX_COLOUR);
        int x = 1;
        int y = 1;
        for (int ch = FIRST_GLYPH; ch <= LAST_GLYPH; ++ch) {
            const char text[2] = {static_cast<char>(ch), '\0'};
            const int w = text_length(source, text);
            clear_to_color(glyph, GLYPH_GROUND);
            textout_ex(glyph, source, text, 0, 0, GLYPH_COLOUR, -1);
            stretch_blit(glyph, sheet, 0, 0, w, glyph_h, x, y, w * scale, glyph_h * scale);
            x += w * scale + 1;
            if ((ch - FIRST_GLYPH + 1) % GLYPHS_PER_ROW == 0) {
                x = 1;
                y += glyph_h * scale + 1;
            }
        }
        made = grab_font_from_bitmap(sheet);
    }
    destroy_bitmap(glyph);
    destroy_bitmap(sheet);
    return made;
}
} // namespace

void begin_magnified_dialog() {
    // A full screen showing the picture 2.25 times as large has its boxes twice as large.
    const int scale = presentation.height / SCREEN_HEIGHT;
    if (scale <= 1 || menu_font != nullptr) {
        return;
    }
    magnified_font = magnify(font, scale);
    if (magnified_font != nullptr) {
        menu_font = font;
        font = magnified_font;
    }
}

void end_magnified_dialog() {
    if (menu_font == nullptr) {
        return;
    }
    font = menu_font;
    menu_font = nullptr;
    destroy_font(magnified_font);
    magnified_font = nullptr;
}
