// Badges of the dialogs and of the on/off states. Each carries its own
// face and a white rim, because they sit on dialogs of any colour
// (error dialogs are orange) and on list buttons.
#include <cairo.h>

#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

// A round badge filling the picture with a glyph drawn in `glyph_size`
// of its 48 design units.
void disk_with_glyph(cairo_t* cr, int width, int height, colour face, double glyph_size)
{
    use_grid(cr, width, height, 48);
    badge_disk(cr, 24, 24, 23.5, face);
    double offset = (48 - glyph_size) / 2;
    place_glyph(cr, offset, offset, glyph_size);
}

// A red bar from upper left to lower right with a white edge: "not".
void slash(cairo_t* cr, colour bar, colour edge, double width)
{
    cairo_move_to(cr, 12, 12);
    cairo_line_to(cr, 36, 36);
    stroke_ink(cr, edge, width + 4);
    cairo_move_to(cr, 12, 12);
    cairo_line_to(cr, 36, 36);
    stroke_ink(cr, bar, width);
}

}  // namespace

void draw_answer(cairo_t* cr, int width, int height, int variant)
{
    if (variant == answer_yes) {
        disk_with_glyph(cr, width, height, ink::green, 40);
        glyph::check(cr, ink::white, 7.5);
    } else {
        disk_with_glyph(cr, width, height, ink::red, 40);
        glyph::cross(cr, ink::white, 7.5);
    }
}

void draw_close(cairo_t* cr, int width, int height, int)
{
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 10, ink::red);
    place_glyph(cr, 4, 4, 40);
    glyph::cross(cr, ink::white, 7.5);
}

void draw_signal(cairo_t* cr, int width, int height, int variant)
{
    const bool muted = variant == alarm_off;
    // The small alarm pictures have no room for sound waves: a bigger bell.
    const bool small = variant == alarm_on || variant == alarm_off;
    use_grid(cr, width, height, 48);
    badge_disk(cr, 24, 24, 23.5, muted ? ink::grey : ink::deep);
    cairo_save(cr);
    if (small)
        place_glyph(cr, 6, 5.5, 36);
    else
        place_glyph(cr, 10, 9.5, 28);
    glyph::bell(cr, muted ? ink::mist : ink::amber);
    cairo_restore(cr);
    if (variant == signal_sounding) {
        cairo_save(cr);
        place_glyph(cr, 4, 3, 40);
        glyph::sound_waves(cr, ink::amber, 3.5);
        cairo_restore(cr);
    }
    if (variant == signal_cancel)
        slash(cr, ink::red, ink::white, 5);
    else if (muted)
        slash(cr, ink::mist, ink::grey, 4);
}

void draw_help(cairo_t* cr, int width, int height, int)
{
    disk_with_glyph(cr, width, height, ink::navy, 48);
    glyph::question(cr, ink::white);
}

void draw_transport(cairo_t* cr, int width, int height, int variant)
{
    switch (variant) {
    case transport_play:
        disk_with_glyph(cr, width, height, ink::green, 40);
        cairo_translate(cr, 2, 0);  // a triangle looks centred a little right
        glyph::play(cr, ink::white);
        break;
    case transport_stop:
        disk_with_glyph(cr, width, height, ink::red, 38);
        glyph::stop(cr, ink::white);
        break;
    default:
        disk_with_glyph(cr, width, height, ink::amber, 38);
        glyph::pause(cr, ink::deep);
        break;
    }
}

// I and O as on a machine's power switch.
void draw_io_lamp(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    if (variant == lamp_on) {
        badge_disk(cr, 24, 24, 23.5, ink::green);
        rounded_rect(cr, 20.5, 11, 7, 26, 3.5);
        fill_ink(cr, ink::white);
    } else {
        badge_disk(cr, 24, 24, 23.5, ink::grey);
        circle(cr, 24, 24, 10.5);
        stroke_ink(cr, ink::white, 6);
    }
}

// A pilot light: metal bezel and a lens, lit green, lit red or dark.
void draw_pilot_lamp(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    circle(cr, 24, 24, 23.5);
    fill_ink(cr, rgb(0x0e1722, 0.85));
    circle(cr, 24, 24, 22);
    fill_ink(cr, ink::steel);
    circle(cr, 24, 24, 17.5);
    fill_ink(cr, ink::deep);

    colour centre = rgb(0xf4f7fa), rim = rgb(0xa9b5c3);
    if (variant == lamp_on) {
        centre = rgb(0xb8ffc6);
        rim = ink::green;
    } else if (variant == lamp_off) {
        centre = rgb(0xffb3a8);
        rim = ink::red;
    }
    cairo_pattern_t* lens = cairo_pattern_create_radial(20, 19, 2, 24, 24, 16);
    cairo_pattern_add_color_stop_rgb(lens, 0, centre.r, centre.g, centre.b);
    cairo_pattern_add_color_stop_rgb(lens, 1, rim.r, rim.g, rim.b);
    circle(cr, 24, 24, 16);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
    // Highlight on the glass.
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 24, 11.5, 3.5, 4.6);
    stroke_ink(cr, rgb(0xffffff, variant == lamp_clear ? 0.9 : 0.7), 3);
}

void draw_socket(cairo_t* cr, int width, int height, int variant)
{
    const bool on = variant == lamp_on;
    disk_with_glyph(cr, width, height, on ? ink::green : ink::grey, 38);
    glyph::plug_pair(cr, ink::white, on ? 0 : 16);
    if (!on) {
        // A small red cross in the gap between plug and socket.
        cairo_move_to(cr, 22, 19);
        cairo_line_to(cr, 29, 29);
        cairo_move_to(cr, 29, 19);
        cairo_line_to(cr, 22, 29);
        stroke_ink(cr, ink::red, 4);
    }
}

void draw_move_arrow(cairo_t* cr, int width, int height, int variant)
{
    const bool active = variant == arrow_up_active || variant == arrow_down_active;
    const bool down = variant == arrow_down_off || variant == arrow_down_active;
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 10, active ? ink::green : ink::grey);
    if (down) {
        cairo_translate(cr, 48, 48);
        cairo_rotate(cr, 3.14159265358979323846);
    }
    place_glyph(cr, 4, 4, 40);
    glyph::arrow_up(cr, active ? ink::white : ink::mist, 7);
}

}  // namespace pictures
