// Whole-screen pictures: the start screens, the dealer's contact card,
// the plain touch-screen background, the maker's logo and the spinner of
// the wait dialog.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

constexpr double pi = 3.14159265358979323846;

void fill_gradient(cairo_t* cr, double x0, double y0, double x1, double y1, colour from, colour to)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(g, 1, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The maker's mark: a drum (ring) with a wave of water on a tile,
// `size` units square with its corner at (x, y). On dark screens the
// tile is white and the ring navy.
void tarvik_mark(cairo_t* cr, double x, double y, double size, bool on_dark = false)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 48, size / 48);
    rounded_rect(cr, 0, 0, 48, 48, 11);
    fill_ink(cr, on_dark ? ink::white : ink::navy);
    circle(cr, 24, 24, 15);
    stroke_ink(cr, on_dark ? ink::navy : ink::white, 4.5);
    cairo_save(cr);
    circle(cr, 24, 24, 12.5);
    cairo_clip(cr);
    cairo_move_to(cr, 8, 27);
    cairo_curve_to(cr, 15, 21, 20, 32, 26, 26.5);
    cairo_curve_to(cr, 31, 22, 35, 29, 40, 25);
    cairo_line_to(cr, 40, 40);
    cairo_line_to(cr, 8, 40);
    cairo_close_path(cr);
    fill_ink(cr, on_dark ? ink::water : ink::ice);
    cairo_restore(cr);
    cairo_restore(cr);
}

// Washer front used as the emblem of the start screens.
void drum_emblem(cairo_t* cr, double cx, double cy, double r)
{
    circle(cr, cx, cy, r);
    fill_ink(cr, rgb(0xffffff, 0.08));
    circle(cr, cx, cy, r * 0.86);
    stroke_ink(cr, ink::white, r * 0.09);
    cairo_save(cr);
    circle(cr, cx, cy, r * 0.78);
    cairo_clip(cr);
    double w = r * 0.8;
    cairo_move_to(cr, cx - r, cy + r * 0.12);
    cairo_curve_to(cr, cx - w * 0.5, cy - r * 0.12, cx - w * 0.2, cy + r * 0.32, cx + w * 0.15, cy + r * 0.1);
    cairo_curve_to(cr, cx + w * 0.45, cy - r * 0.08, cx + w * 0.7, cy + r * 0.2, cx + r, cy + r * 0.02);
    cairo_line_to(cr, cx + r, cy + r);
    cairo_line_to(cr, cx - r, cy + r);
    cairo_close_path(cr);
    fill_ink(cr, rgb(0x8fd3ff, 0.85));
    cairo_restore(cr);
    circle(cr, cx + r * 0.42, cy - r * 0.42, r * 0.07);
    fill_ink(cr, rgb(0xffffff, 0.9));
}

void splash_background(cairo_t* cr, int width, int height)
{
    cairo_rectangle(cr, 0, 0, width, height);
    fill_gradient(cr, 0, 0, 0, height, rgb(0x1d5a96), rgb(0x0c1f33));
    // A lighter band at the bottom carries the console's line.
    cairo_rectangle(cr, 0, height - 56, width, 56);
    fill_ink(cr, rgb(0x000000, 0.25));
    cairo_rectangle(cr, 0, height - 58, width, 3);
    fill_ink(cr, ink::amber);
}

void text_left(cairo_t* cr, const char* text, double x, double y, double size, colour c,
               double max_width = 0)
{
    set_ink(cr, c);
    left_text(cr, text, x, y, size, max_width);
}

}  // namespace

void draw_splash(cairo_t* cr, int width, int height, int variant)
{
    splash_background(cr, width, height);
    const double band_middle = height - 28;
    switch (variant) {
    case splash_customer:
        drum_emblem(cr, 215, 205, 125);
        text_left(cr, "Lumex 6", 390, 190, 78, ink::white, width - 390 - 30);
        text_left(cr, "Laundry systems", 395, 248, 34, ink::ice, width - 395 - 30);
        text_left(cr, "Washer-extractor console", 395, 292, 26, ink::mist, width - 395 - 30);
        set_ink(cr, ink::mist);
        centred_text(cr, "Operator console", width / 2.0, band_middle, 20);
        break;
    case splash_tarvik: {
        // Mark and name centred together.
        const double mark = 96, gap = 24;
        double name_width = text_width(cr, "Tarvik", 72);
        double left = (width - (mark + gap + name_width)) / 2;
        tarvik_mark(cr, left, 62, mark, true);
        text_left(cr, "Tarvik", left + mark + gap, 137, 72, ink::white);
        set_ink(cr, ink::white);
        centred_text(cr, "Lumex 6", width / 2.0, 265, 64);
        set_ink(cr, ink::mist);
        centred_text(cr, "Washer-extractor console", width / 2.0, 325, 28);
        set_ink(cr, ink::mist);
        centred_text(cr, "Tarvik laundry machines", width / 2.0, band_middle, 20);
        break;
    }
    default: {
        drum_emblem(cr, width / 2.0, 150, 80);
        set_ink(cr, ink::white);
        centred_text(cr, "Lumex 6", width / 2.0, 292, 60);
        set_ink(cr, ink::ice);
        centred_text(cr, "Starting...", width / 2.0, 355, 30);
        for (int i = 0; i < 5; ++i) {
            circle(cr, width / 2.0 - 48 + i * 24, band_middle, 6);
            fill_ink(cr, rgb(0xffffff, 0.35 + i * 0.15));
        }
        break;
    }
    }
}

void draw_dealer_card(cairo_t* cr, int width, int height, int)
{
    cairo_rectangle(cr, 0, 0, width, height);
    fill_gradient(cr, 0, 0, 0, height, rgb(0xf2f5f8), rgb(0xd5dde6));

    // Header band.
    cairo_rectangle(cr, 0, 0, width, 120);
    fill_ink(cr, ink::navy);
    cairo_rectangle(cr, 0, 120, width, 4);
    fill_ink(cr, ink::amber);
    badge_disk(cr, 80, 60, 38, ink::slate);
    set_ink(cr, ink::white);
    centred_text(cr, "i", 80, 60, 46);
    text_left(cr, "Your dealer", 140, 78, 46, ink::white, width - 140 - 30);

    // Contact lines, with room left for the dealer's own card.
    rounded_rect(cr, 40, 160, width - 80, 170, 14);
    set_ink(cr, ink::white);
    cairo_fill_preserve(cr);
    stroke_ink(cr, rgb(0x52647b, 0.5), 2);
    cairo_save(cr);
    place_glyph(cr, 64, 190, 56);
    glyph::gear(cr, ink::slate);
    cairo_restore(cr);
    text_left(cr, "Service: call your local dealer", 140, 228, 28, ink::deep, width - 70 - 140);
    for (double y : {275.0, 305.0}) {
        cairo_move_to(cr, 140, y);
        cairo_line_to(cr, width - 70, y);
    }
    const double dots[] = {2, 9};
    cairo_set_dash(cr, dots, 2, 0);
    stroke_ink(cr, ink::steel, 3);
    cairo_set_dash(cr, nullptr, 0, 0);

    // The whole card closes on a touch; say so on a button-like pill.
    rounded_rect(cr, width / 2.0 - 150, 372, 300, 70, 35);
    fill_ink(cr, ink::slate);
    set_ink(cr, ink::white);
    centred_text(cr, "Touch to close", width / 2.0, 407, 30, 250);
}

void draw_touch_background(cairo_t* cr, int width, int height, int)
{
    cairo_rectangle(cr, 0, 0, width, height);
    fill_gradient(cr, 0, 0, 0, height, rgb(0xeef2f6), rgb(0xc9d3de));
    cairo_pattern_t* glow = cairo_pattern_create_radial(width * 0.5, height * 0.35, 10,
                                                        width * 0.5, height * 0.35, width * 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void draw_tarvik_logo(cairo_t* cr, int width, int height, int)
{
    // Its own white card, so the logo reads on any box colour.
    rounded_rect(cr, 1, 1, width - 2, height - 2, 10);
    set_ink(cr, ink::white);
    cairo_fill_preserve(cr);
    stroke_ink(cr, rgb(0x0e1722, 0.5), 1.5);
    const double mark = height - 16;
    tarvik_mark(cr, 9, 8, mark);
    set_ink(cr, ink::navy);
    double text_left_edge = 9 + mark + 8;
    double text_width = width - text_left_edge - 9;
    centred_text(cr, "Tarvik", text_left_edge + text_width / 2, height / 2.0, 30, text_width);
}

// A ring of dots with a bright head and a fading tail, one step per frame.
void draw_spinner(cairo_t* cr, int width, int height, int variant)
{
    cairo_rectangle(cr, 0, 0, width, height);
    fill_ink(cr, ink::black);
    use_grid(cr, width, height, 64);
    for (int i = 0; i < spinner_frames; ++i) {
        int age = ((variant - i) % spinner_frames + spinner_frames) % spinner_frames;
        double a = -pi / 2 + i * 2 * pi / spinner_frames;
        double strength = std::max(0.18, 1.0 - age * 0.2);
        circle(cr, 32 + 22 * std::cos(a), 32 + 22 * std::sin(a), age == 0 ? 6 : 5);
        fill_ink(cr, rgb(age == 0 ? 0xffffff : 0x8fd3ff, strength));
    }
}

}  // namespace pictures
