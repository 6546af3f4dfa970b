// Pictures of the file screen: the small icons of the list rows, the big
// picture of the chosen source (folder, hard disk, USB drive) and the
// mount button.
#include <cairo.h>

#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

void edge(cairo_t* cr, double width) { stroke_ink(cr, rgb(0x0e1722, 0.75), width); }

void vertical_gradient(cairo_t* cr, double y0, double y1, colour top, colour bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(g, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);
}

void folder_picture(cairo_t* cr)
{
    // Back with its tab, a sheet of paper, then the front flap.
    rounded_rect(cr, 8, 18, 48, 24, 8);
    rounded_rect(cr, 8, 28, 112, 84, 9);
    set_ink(cr, rgb(0xd4850c));
    cairo_fill_preserve(cr);
    edge(cr, 2.5);
    rounded_rect(cr, 18, 36, 92, 50, 3);
    fill_and_edge(cr, ink::white, rgb(0x0e1722, 0.35), 1.5);
    rounded_rect(cr, 8, 48, 112, 64, 9);
    vertical_gradient(cr, 48, 112, rgb(0xfcc64a), rgb(0xf0a21c));
    cairo_fill_preserve(cr);
    edge(cr, 2.5);
    cairo_move_to(cr, 18, 56);
    cairo_line_to(cr, 110, 56);
    stroke_ink(cr, rgb(0xffffff, 0.55), 3);
}

void harddrive_picture(cairo_t* cr)
{
    rounded_rect(cr, 12, 16, 104, 96, 12);
    vertical_gradient(cr, 16, 112, rgb(0xd3dbe5), rgb(0x8796a8));
    cairo_fill_preserve(cr);
    edge(cr, 3);
    // Platter, spindle and head arm.
    circle(cr, 60, 58, 34);
    fill_and_edge(cr, rgb(0xeef2f6), rgb(0x52647b), 2.5);
    circle(cr, 60, 58, 16);
    stroke_ink(cr, rgb(0xb9c4d0), 2);
    circle(cr, 60, 58, 6);
    fill_ink(cr, ink::slate);
    cairo_move_to(cr, 100, 92);
    cairo_line_to(cr, 74, 64);
    stroke_ink(cr, ink::deep, 7);
    circle(cr, 100, 92, 7);
    fill_ink(cr, ink::deep);
    // Screws and the activity light.
    for (double x : {22.0, 106.0})
        for (double y : {26.0, 102.0}) {
            if (x > 100 && y > 100)
                continue;
            circle(cr, x, y, 3.5);
            fill_ink(cr, ink::slate);
        }
    circle(cr, 28, 100, 5);
    fill_and_edge(cr, rgb(0x4ee06b), ink::deep, 1.5);
}

void usb_picture(cairo_t* cr, bool mounted)
{
    cairo_save(cr);
    cairo_translate(cr, 0, -3);
    cairo_scale(cr, 2.4, 2.4);  // the 48-unit stick, about 100 units tall
    glyph::usb_stick(cr, mounted ? ink::navy : ink::grey, ink::steel);
    rounded_rect(cr, 12, 14, 24, 31, 5);
    edge(cr, 1.4);
    rounded_rect(cr, 16, 20, 16, 9, 2);
    fill_ink(cr, rgb(0xffffff, 0.85));
    cairo_restore(cr);
    badge_disk(cr, 96, 98, 27, mounted ? ink::green : ink::red);
    cairo_save(cr);
    place_glyph(cr, 73, 75, 46);
    if (mounted)
        glyph::check(cr, ink::white, 7.5);
    else
        glyph::cross(cr, ink::white, 7.5);
    cairo_restore(cr);
}

}  // namespace

void draw_list_icon(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 9, ink::navy);
    place_glyph(cr, 4, 4, 40);
    switch (variant) {
    case list_formula: glyph::clipboard(cr, ink::white, 5); break;
    case list_configuration: glyph::gear(cr, ink::white); break;
    case list_update: glyph::refresh(cr, ink::white, 5.5, 13); break;
    default: glyph::printer(cr, ink::white, 5); break;
    }
}

void draw_next_page(cairo_t* cr, int width, int height, int)
{
    use_grid(cr, width, height, 48);
    badge_disk(cr, 24, 24, 23.5, ink::navy);
    place_glyph(cr, 5, 4, 40);
    glyph::chevron_right(cr, ink::white, 8);
}

void draw_source(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 128);
    switch (variant) {
    case source_folder: folder_picture(cr); break;
    case source_harddrive: harddrive_picture(cr); break;
    case source_usb_mounted: usb_picture(cr, true); break;
    default: usb_picture(cr, false); break;
    }
}

void draw_usb_button(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    if (variant == usb_unmount) {
        place_glyph(cr, 4, 3, 40);
        glyph::eject(cr, ink::white);
        return;
    }
    cairo_save(cr);
    place_glyph(cr, -6, 0, 46);
    glyph::usb_stick(cr, ink::white, ink::mist);
    cairo_restore(cr);
    badge_disk(cr, 34, 34, 13, ink::green);
    place_glyph(cr, 23, 23, 22);
    glyph::plus(cr, ink::white, 7);
}

}  // namespace pictures
