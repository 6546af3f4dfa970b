// The desktop station's application icon: the front of a washer-extractor
// (control panel with its display, the door with water behind the glass)
// on the brand's navy tile, with a small formula sheet so it reads as the
// programming station rather than the machine. Drawn on a 48-unit grid so
// every size of the icon theme comes from the same shapes.
#include <cairo.h>

#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

void draw_app_icon(cairo_t* cr, int width, int height, int)
{
    cairo_save(cr);
    use_grid(cr, width, height, 48);

    // Tile, with a lighter top for depth.
    rounded_rect(cr, 1, 1, 46, 46, 10);
    fill_ink(cr, ink::navy);
    rounded_rect(cr, 1, 1, 46, 23, 10);
    fill_ink(cr, rgb(0xffffff, 0.06));

    // Machine body and control panel.
    rounded_rect(cr, 9, 6, 30, 36, 4);
    fill_and_edge(cr, ink::mist, ink::outline, 1);
    rounded_rect(cr, 9.5, 6.5, 29, 8, 3.5);
    fill_ink(cr, ink::slate);
    rounded_rect(cr, 12, 8.5, 11, 4, 1);
    fill_ink(cr, ink::teal);
    circle(cr, 32, 10.5, 2.2);
    fill_ink(cr, ink::white);

    // Door: steel ring, glass, water.
    circle(cr, 24, 28, 10);
    fill_ink(cr, ink::steel);
    circle(cr, 24, 28, 7.6);
    fill_ink(cr, ink::deep);
    cairo_save(cr);
    circle(cr, 24, 28, 7.6);
    cairo_clip(cr);
    cairo_move_to(cr, 15, 29);
    cairo_curve_to(cr, 19, 26, 22, 32, 26, 28.5);
    cairo_curve_to(cr, 29, 26, 31, 30, 34, 28);
    cairo_line_to(cr, 34, 37);
    cairo_line_to(cr, 15, 37);
    cairo_close_path(cr);
    fill_ink(cr, ink::water);
    cairo_restore(cr);
    circle(cr, 21, 25, 1.2);
    fill_ink(cr, rgb(0xffffff, 0.8));

    // Formula sheet in front of the lower right corner.
    rounded_rect(cr, 31, 30, 13, 15, 2);
    fill_and_edge(cr, ink::white, ink::outline, 1);
    for (double y : {34.0, 37.5, 41.0}) {
        cairo_move_to(cr, 34, y);
        cairo_line_to(cr, 41, y);
    }
    stroke_ink(cr, ink::amber, 1.6);

    cairo_restore(cr);
}

}  // namespace pictures
