// Letter tiles of the settings items, the keyboard's shift key and the
// run screen's manual/automatic button.
#include <cairo.h>

#include <cmath>
#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

void draw_letter_tile(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 9, ink::navy);
    char letter[2] = {static_cast<char>('A' + variant % 26), '\0'};
    set_ink(cr, ink::white);
    centred_text(cr, letter, 24, 24.5, 30, 33);
}

void draw_shift_key(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 9, ink::navy);
    cairo_move_to(cr, 24, 8);
    cairo_line_to(cr, 40, 25);
    cairo_line_to(cr, 31, 25);
    cairo_line_to(cr, 31, 39);
    cairo_line_to(cr, 17, 39);
    cairo_line_to(cr, 17, 25);
    cairo_line_to(cr, 8, 25);
    cairo_close_path(cr);
    if (variant == key_shift) {
        fill_and_edge(cr, ink::white, ink::white, 2.5);
    } else {
        stroke_ink(cr, ink::white, 4);
    }
}

void draw_mode(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    if (variant == mode_manual) {
        badge_tile(cr, 1, 1, 46, 46, 10, ink::amber);
        place_glyph(cr, 5.5, 4.5, 38);
        glyph::hand(cr, ink::deep, ink::amber);
        return;
    }
    badge_tile(cr, 1, 1, 46, 46, 10, ink::green);
    // "A" inside an arrow going round: runs by itself.
    const double pi = 3.14159265358979323846;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 24, 15.5, -0.35 * pi, 1.25 * pi);
    stroke_ink(cr, ink::white, 3.5);
    double a = 1.25 * pi;
    double px = 24 + 15.5 * std::cos(a), py = 24 + 15.5 * std::sin(a);
    double tx = -std::sin(a), ty = std::cos(a);
    double nx = std::cos(a), ny = std::sin(a);
    cairo_move_to(cr, px + tx * 7, py + ty * 7);
    cairo_line_to(cr, px + nx * 5.5 - tx * 1, py + ny * 5.5 - ty * 1);
    cairo_line_to(cr, px - nx * 5.5 - tx * 1, py - ny * 5.5 - ty * 1);
    cairo_close_path(cr);
    fill_ink(cr, ink::white);
    set_ink(cr, ink::white);
    centred_text(cr, "A", 24, 25, 19);
}

}  // namespace pictures
