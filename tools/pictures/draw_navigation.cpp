// Glyphs of the navigation buttons: white on transparent for the dark
// blue-grey buttons; the few that mean go or cancel are coloured and get
// a white rim so they still stand out from the button face.
#include <cairo.h>

#include <cmath>
#include <initializer_list>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

const colour glyph_ink = ink::white;
constexpr double pen = 4.5;
constexpr double pi = 3.14159265358979323846;

// A straight arrow from (x0, y0) to (x1, y1) with an open head.
void arrow(cairo_t* cr, double x0, double y0, double x1, double y1, double head, double width)
{
    double dx = x1 - x0, dy = y1 - y0;
    double length = std::sqrt(dx * dx + dy * dy);
    dx /= length;
    dy /= length;
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_move_to(cr, x1 - head * (dx - dy), y1 - head * (dy + dx));
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x1 - head * (dx + dy), y1 - head * (dy - dx));
    stroke_ink(cr, glyph_ink, width);
}

void exit_door(cairo_t* cr)
{
    cairo_move_to(cr, 27, 15);
    cairo_line_to(cr, 27, 8);
    cairo_line_to(cr, 9, 8);
    cairo_line_to(cr, 9, 40);
    cairo_line_to(cr, 27, 40);
    cairo_line_to(cr, 27, 33);
    stroke_ink(cr, glyph_ink, pen);
    arrow(cr, 19, 24, 42, 24, 8, pen);
}

void file_folder(cairo_t* cr)
{
    cairo_move_to(cr, 5, 14);
    cairo_line_to(cr, 5, 39);
    cairo_line_to(cr, 43, 39);
    cairo_line_to(cr, 43, 17);
    cairo_line_to(cr, 22, 17);
    cairo_line_to(cr, 18, 11);
    cairo_line_to(cr, 5, 11);
    cairo_close_path(cr);
    stroke_ink(cr, glyph_ink, 4);
    arrow(cr, 13, 24.5, 34, 24.5, 4.5, 3);
    arrow(cr, 35, 32.5, 14, 32.5, 4.5, 3);
}

void magnifier(cairo_t* cr)
{
    circle(cr, 20, 20, 13.5);
    stroke_ink(cr, glyph_ink, pen);
    cairo_move_to(cr, 30.5, 30.5);
    cairo_line_to(cr, 41, 41);
    stroke_ink(cr, glyph_ink, 7);
    set_ink(cr, glyph_ink);
    centred_text(cr, "#", 20, 20, 16);
}

void meter(cairo_t* cr)
{
    rounded_rect(cr, 5, 7, 38, 29, 5);
    stroke_ink(cr, glyph_ink, 4);
    const double wave[][2] = {{10, 22}, {15, 22}, {18.5, 13}, {23.5, 30}, {27.5, 17}, {30.5, 22}, {38, 22}};
    cairo_move_to(cr, wave[0][0], wave[0][1]);
    for (const auto& p : wave)
        cairo_line_to(cr, p[0], p[1]);
    stroke_ink(cr, glyph_ink, 3);
    cairo_move_to(cr, 24, 37);
    cairo_line_to(cr, 24, 42);
    cairo_move_to(cr, 15, 42.5);
    cairo_line_to(cr, 33, 42.5);
    stroke_ink(cr, glyph_ink, 3.5);
}

void open_book(cairo_t* cr)
{
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 24, 13);
        cairo_curve_to(cr, 24 + side * 6, 9, 24 + side * 13, 8.5, 24 + side * 19, 10);
        cairo_line_to(cr, 24 + side * 19, 37);
        cairo_curve_to(cr, 24 + side * 13, 35.5, 24 + side * 6, 36, 24, 40);
        cairo_close_path(cr);
        stroke_ink(cr, glyph_ink, 3.5);
        for (double y : {18.0, 24.0, 30.0}) {
            cairo_move_to(cr, 24 + side * 6, y);
            cairo_line_to(cr, 24 + side * 14, y - 1);
        }
        stroke_ink(cr, glyph_ink, 2.5);
    }
}

void information(cairo_t* cr)
{
    circle(cr, 24, 24, 19);
    stroke_ink(cr, glyph_ink, 4);
    circle(cr, 24, 14.5, 3.2);
    fill_ink(cr, glyph_ink);
    cairo_move_to(cr, 24, 21.5);
    cairo_line_to(cr, 24, 34);
    stroke_ink(cr, glyph_ink, 5.5);
}

void power(cairo_t* cr)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 26, 15.5, -pi / 3, 4 * pi / 3);
    stroke_ink(cr, glyph_ink, 5);
    cairo_move_to(cr, 24, 6);
    cairo_line_to(cr, 24, 24);
    stroke_ink(cr, glyph_ink, 5);
}

void automatic(cairo_t* cr)
{
    const double r = 18, a = 1.25 * pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 24, r, -0.35 * pi, a);
    stroke_ink(cr, glyph_ink, 4);
    double px = 24 + r * std::cos(a), py = 24 + r * std::sin(a);
    double tx = -std::sin(a), ty = std::cos(a), nx = std::cos(a), ny = std::sin(a);
    cairo_move_to(cr, px + tx * 8, py + ty * 8);
    cairo_line_to(cr, px + nx * 6.5 - tx, py + ny * 6.5 - ty);
    cairo_line_to(cr, px - nx * 6.5 - tx, py - ny * 6.5 - ty);
    cairo_close_path(cr);
    fill_ink(cr, glyph_ink);
    set_ink(cr, glyph_ink);
    centred_text(cr, "A", 24, 25, 21);
}

// A green triangle with a white rim: the white stroke under the fill
// leaves a rim outside the triangle.
void run_triangle(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    auto path = [&] {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, (y0 + y1) / 2);
        cairo_line_to(cr, x0, y1);
        cairo_close_path(cr);
    };
    path();
    stroke_ink(cr, glyph_ink, 6);
    path();
    set_ink(cr, ink::green);
    cairo_fill_preserve(cr);
    stroke_ink(cr, ink::green, 1.5);
}

void remote_run(cairo_t* cr)
{
    run_triangle(cr, 7, 15, 30, 43);
    circle(cr, 33, 16, 3);
    fill_ink(cr, glyph_ink);
    for (double r : {8.0, 14.0}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 33, 16, r, -pi * 0.62, pi * 0.12);
    }
    stroke_ink(cr, glyph_ink, 3.5);
}

void double_chevron(cairo_t* cr, bool up)
{
    for (double y : {0.0, 13.0}) {
        double tip = up ? 10 + y : 38 - y;
        double base = up ? tip + 12 : tip - 12;
        cairo_move_to(cr, 11, base);
        cairo_line_to(cr, 24, tip);
        cairo_line_to(cr, 37, base);
    }
    stroke_ink(cr, glyph_ink, 5.5);
}

void house(cairo_t* cr)
{
    cairo_move_to(cr, 5, 24);
    cairo_line_to(cr, 24, 6);
    cairo_line_to(cr, 43, 24);
    stroke_ink(cr, glyph_ink, pen);
    cairo_move_to(cr, 11, 21);
    cairo_line_to(cr, 11, 41);
    cairo_line_to(cr, 37, 41);
    cairo_line_to(cr, 37, 21);
    stroke_ink(cr, glyph_ink, pen);
    rounded_rect(cr, 19.5, 28, 9, 13, 1.5);
    fill_ink(cr, glyph_ink);
}

void back_arrow(cairo_t* cr)
{
    cairo_move_to(cr, 39, 39);
    cairo_line_to(cr, 39, 29);
    cairo_curve_to(cr, 39, 21, 33, 17, 25, 17);
    cairo_line_to(cr, 10, 17);
    stroke_ink(cr, glyph_ink, 5);
    cairo_move_to(cr, 18, 9);
    cairo_line_to(cr, 10, 17);
    cairo_line_to(cr, 18, 25);
    stroke_ink(cr, glyph_ink, 5);
}

void two_sheets(cairo_t* cr)
{
    rounded_rect(cr, 7, 5, 22, 28, 3);
    stroke_ink(cr, glyph_ink, 4);
    // The front sheet hides the one behind it.
    rounded_rect(cr, 17, 13, 26, 32, 3);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    rounded_rect(cr, 19, 15, 22, 28, 3);
    stroke_ink(cr, glyph_ink, 4);
    cairo_move_to(cr, 30, 22);
    cairo_line_to(cr, 30, 36);
    cairo_move_to(cr, 23, 29);
    cairo_line_to(cr, 37, 29);
    stroke_ink(cr, glyph_ink, 3.5);
}

void pencil(cairo_t* cr)
{
    const double s = std::sqrt(0.5);
    const double half = 5;
    // Along the direction (1, -1) from the tip at (8, 40).
    auto at = [&](double along, double across, bool move) {
        double x = 8 + along * s + across * s, y = 40 - along * s + across * s;
        if (move)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    };
    at(0, 0, true);
    at(10, -half, false);
    at(31, -half, false);
    at(31, half, false);
    at(10, half, false);
    cairo_close_path(cr);
    set_ink(cr, glyph_ink);
    cairo_fill_preserve(cr);
    stroke_ink(cr, glyph_ink, 1.5);
    at(35, -half, true);
    at(41, -half, false);
    at(41, half, false);
    at(35, half, false);
    cairo_close_path(cr);
    set_ink(cr, glyph_ink);
    cairo_fill_preserve(cr);
    stroke_ink(cr, glyph_ink, 2.5);
    cairo_move_to(cr, 24, 43);
    cairo_line_to(cr, 43, 43);
    stroke_ink(cr, glyph_ink, 3);
}

void bin(cairo_t* cr)
{
    cairo_move_to(cr, 8, 12);
    cairo_line_to(cr, 40, 12);
    stroke_ink(cr, glyph_ink, pen);
    cairo_move_to(cr, 19, 11);
    cairo_line_to(cr, 19, 6);
    cairo_line_to(cr, 29, 6);
    cairo_line_to(cr, 29, 11);
    stroke_ink(cr, glyph_ink, 3.5);
    cairo_move_to(cr, 12, 17);
    cairo_line_to(cr, 14.5, 42);
    cairo_line_to(cr, 33.5, 42);
    cairo_line_to(cr, 36, 17);
    stroke_ink(cr, glyph_ink, pen);
    for (double x : {19.5, 24.0, 28.5}) {
        cairo_move_to(cr, x, 22);
        cairo_line_to(cr, x, 36);
    }
    stroke_ink(cr, glyph_ink, 3);
}

void disk(cairo_t* cr)
{
    cairo_move_to(cr, 7, 10);
    cairo_line_to(cr, 7, 38);
    cairo_line_to(cr, 10, 41);
    cairo_line_to(cr, 38, 41);
    cairo_line_to(cr, 41, 38);
    cairo_line_to(cr, 41, 15);
    cairo_line_to(cr, 33, 7);
    cairo_line_to(cr, 10, 7);
    cairo_close_path(cr);
    stroke_ink(cr, glyph_ink, 4);
    cairo_move_to(cr, 15, 8);
    cairo_line_to(cr, 15, 17);
    cairo_line_to(cr, 30, 17);
    cairo_line_to(cr, 30, 8);
    stroke_ink(cr, glyph_ink, 3.5);
    rounded_rect(cr, 14, 25, 20, 16, 2);
    fill_ink(cr, glyph_ink);
    badge_disk(cr, 36, 36, 11, ink::green);
    cairo_save(cr);
    place_glyph(cr, 26.5, 26.5, 19);
    glyph::check(cr, ink::white, 7);
    cairo_restore(cr);
}

void cancel(cairo_t* cr)
{
    badge_disk(cr, 24, 24, 20, ink::red);
    cairo_save(cr);
    place_glyph(cr, 7, 7, 34);
    glyph::cross(cr, ink::white, 7);
    cairo_restore(cr);
}

}  // namespace

void draw_nav(cairo_t* cr, int width, int height, int variant)
{
    use_grid(cr, width, height, 48);
    switch (variant) {
    case nav_exit: exit_door(cr); break;
    case nav_file: file_folder(cr); break;
    case nav_formula: glyph::clipboard(cr, glyph_ink, pen); break;
    case nav_configuration: glyph::gear(cr, glyph_ink); break;
    case nav_goto: magnifier(cr); break;
    case nav_diagnostic: meter(cr); break;
    case nav_log: open_book(cr); break;
    case nav_dealer_info: information(cr); break;
    case nav_powerdown: power(cr); break;
    case nav_auto: automatic(cr); break;
    case nav_run: run_triangle(cr, 12, 7, 41, 41); break;
    case nav_run_remote: remote_run(cr); break;
    case nav_page_up: double_chevron(cr, true); break;
    case nav_page_down: double_chevron(cr, false); break;
    case nav_home: house(cr); break;
    case nav_back: back_arrow(cr); break;
    case nav_add: glyph::plus(cr, glyph_ink, 7); break;
    case nav_clone: two_sheets(cr); break;
    case nav_rename: pencil(cr); break;
    case nav_delete: bin(cr); break;
    case nav_save: disk(cr); break;
    default: cancel(cr); break;
    }
}

}  // namespace pictures
