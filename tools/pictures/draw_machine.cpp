// Pictures of the run screen (manual adjustments, output indicators, the
// turning basket) and of the spray-down screen (drain valves, spray).
#include <cairo.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

constexpr double pi = 3.14159265358979323846;

void quantity_glyph(cairo_t* cr, int quantity)
{
    switch (quantity) {
    case 0: glyph::clock(cr, rgb(0, 0), ink::white, 4.5); break;
    case 1: glyph::thermometer(cr, ink::white, ink::hot, 4); break;
    case 2: glyph::level(cr, ink::white, ink::water, 4.5); break;
    default: glyph::gauge(cr, ink::white, ink::amber, 4.5); break;
    }
}

// A drop of water with a letter on it.
void lettered_drop(cairo_t* cr, colour c, const char* letter)
{
    cairo_save(cr);
    place_glyph(cr, 5, 3, 38);
    glyph::drop(cr, c);
    cairo_restore(cr);
    set_ink(cr, ink::white);
    centred_text(cr, letter, 24, 28.5, 17);
}

void grate(cairo_t* cr, double y)
{
    rounded_rect(cr, 9, y, 30, 9, 2.5);
    fill_ink(cr, ink::steel);
    for (double x : {15.0, 22.0, 29.0}) {
        rounded_rect(cr, x, y + 2.5, 4, 4, 1);
    }
    fill_ink(cr, ink::deep);
}

// The valve sign on a horizontal pipe: two triangles tip to tip.
void valve(cairo_t* cr, bool open)
{
    cairo_move_to(cr, 7, 17);
    cairo_line_to(cr, 41, 17);
    stroke_ink(cr, ink::steel, 5);
    cairo_move_to(cr, 12, 8);
    cairo_line_to(cr, 24, 17);
    cairo_line_to(cr, 12, 26);
    cairo_close_path(cr);
    cairo_move_to(cr, 36, 8);
    cairo_line_to(cr, 24, 17);
    cairo_line_to(cr, 36, 26);
    cairo_close_path(cr);
    fill_and_edge(cr, open ? ink::green : ink::red, ink::white, 2.5);
}

}  // namespace

void draw_adjust(cairo_t* cr, int width, int height, int variant)
{
    const int quantity = variant / 2;
    const bool increase = variant % 2 == 0;
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 9, ink::navy);
    cairo_save(cr);
    place_glyph(cr, 2, 10, 34);
    quantity_glyph(cr, quantity);
    cairo_restore(cr);
    badge_disk(cr, 36.5, 11.5, 10.5, increase ? ink::green : ink::red);
    place_glyph(cr, 26, 1, 21);
    if (increase)
        glyph::plus(cr, ink::white, 8);
    else
        glyph::minus(cr, ink::white, 8);
}

void draw_dash(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    badge_tile(cr, 1, 1, 46, 46, 9, ink::deep);
    switch (variant) {
    case dash_hot_water: lettered_drop(cr, ink::hot, "H"); break;
    case dash_cold_water: lettered_drop(cr, ink::water, "C"); break;
    case dash_third_water: lettered_drop(cr, ink::teal, "3"); break;
    case dash_drain_sewer:
        cairo_move_to(cr, 24, 7);
        cairo_line_to(cr, 24, 28);
        stroke_ink(cr, ink::water, 5);
        cairo_move_to(cr, 15, 21);
        cairo_line_to(cr, 24, 30);
        cairo_line_to(cr, 33, 21);
        stroke_ink(cr, ink::water, 5);
        grate(cr, 33);
        break;
    case dash_drain_reuse:
        cairo_save(cr);
        place_glyph(cr, 2, 2, 44);
        glyph::refresh(cr, ink::green, 4.5, 17);
        cairo_restore(cr);
        cairo_save(cr);
        place_glyph(cr, 14, 13, 20);
        glyph::drop(cr, ink::water);
        cairo_restore(cr);
        break;
    case dash_steam:
        place_glyph(cr, 4, 4, 40);
        glyph::steam(cr, ink::mist, 4.5);
        break;
    default:
        place_glyph(cr, 4, 4, 40);
        glyph::snowflake(cr, ink::ice, 4);
        break;
    }
}

void draw_spray(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    const bool spray_picture = variant == spray_on || variant == spray_off;
    badge_tile(cr, 1, 1, 46, 46, 9, variant == spray_off ? ink::grey : ink::slate);
    if (!spray_picture) {
        const bool open = variant == spray_sewer_open || variant == spray_reuse_open;
        valve(cr, open);
        if (variant == spray_sewer_open || variant == spray_sewer_closed) {
            grate(cr, 33);
        } else {
            cairo_save(cr);
            place_glyph(cr, 13, 24, 22);
            glyph::refresh(cr, ink::green, 6, 15);
            cairo_restore(cr);
        }
        return;
    }
    // Nozzle, and the fan of water when spraying.
    rounded_rect(cr, 17, 5, 14, 7, 2);
    fill_ink(cr, ink::steel);
    cairo_move_to(cr, 19.5, 12);
    cairo_line_to(cr, 28.5, 12);
    cairo_line_to(cr, 26, 17);
    cairo_line_to(cr, 22, 17);
    cairo_close_path(cr);
    fill_ink(cr, ink::steel);
    // Spraying: a fan of filled drops; stopped: only their outlines.
    for (double degrees : {55.0, 73.0, 90.0, 107.0, 125.0})
        for (double distance : {9.0, 17.0, 25.0}) {
            double a = degrees * pi / 180;
            circle(cr, 24 + distance * std::cos(a), 17 + distance * std::sin(a), 2.2 + distance * 0.04);
        }
    if (variant == spray_on)
        fill_ink(cr, ink::ice);
    else
        stroke_ink(cr, ink::steel, 1.2);
}

// The basket seen from the front: three lifters and the perforation turn
// 20 degrees per frame, so six frames cover the lifters' spacing of 120
// degrees and the series loops without a jump.
void draw_basket(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 128);
    const double c = 64;
    const double turn = (variant % basket_frames) * (120.0 / basket_frames) * pi / 180;

    // Tub: a metal ring that does not move.
    circle(cr, c, c, 62);
    fill_ink(cr, rgb(0x0e1722, 0.85));
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 4, 0, 124);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.86, 0.89, 0.93);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.50, 0.57, 0.65);
    circle(cr, c, c, 60);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    circle(cr, c, c, 51);
    fill_ink(cr, ink::outline);
    circle(cr, c, c, 49.5);
    fill_ink(cr, rgb(0x1f3550));

    // Perforation.
    for (double r : {21.0, 38.0}) {
        for (int i = 0; i < 12; ++i) {
            double a = turn + (i * 30 + 15) * pi / 180;
            circle(cr, c + r * std::cos(a), c + r * std::sin(a), r * 0.04 + 1.6);
        }
    }
    fill_ink(cr, rgb(0x6f86a3));

    // Lifters.
    for (int i = 0; i < 3; ++i) {
        double a = turn + i * 2 * pi / 3 - pi / 2;
        double ca = std::cos(a), sa = std::sin(a), na = -sa, nb = ca;
        auto point = [&](double radius, double across) {
            return std::pair<double, double>{c + radius * ca + across * na, c + radius * sa + across * nb};
        };
        auto [x0, y0] = point(50, -9);
        auto [x1, y1] = point(31, -4);
        auto [x2, y2] = point(31, 4);
        auto [x3, y3] = point(50, 9);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
        cairo_line_to(cr, x3, y3);
        cairo_close_path(cr);
        fill_and_edge(cr, rgb(0xd5dde7), ink::outline, 2);
    }

    // Hub with three bolts, keeping the 120-degree symmetry.
    circle(cr, c, c, 10);
    fill_and_edge(cr, ink::steel, ink::outline, 2);
    for (int i = 0; i < 3; ++i) {
        double a = turn + i * 2 * pi / 3 + pi / 6;
        circle(cr, c + 5 * std::cos(a), c + 5 * std::sin(a), 1.8);
    }
    fill_ink(cr, ink::deep);
}

}  // namespace pictures
