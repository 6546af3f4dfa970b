// Pictures of the error information screen: what the operator checks or
// does for a machine error. Each fills the screen's picture room (445 x 325)
// with a light card and one plain line drawing on it, so a remedy can be
// told at a glance; several remedies share a picture.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

constexpr double pi = 3.14159265358979323846;
const colour card = rgb(0xeef2f6);
const colour line = rgb(0x22303f);

// A light card over the whole picture; afterwards one unit is a
// hundredth of the height, so the drawing has 0..100 down and 0..137 across.
void start_card(cairo_t* cr, int width, int height)
{
    rounded_rect(cr, 0, 0, width, height, 14);
    fill_ink(cr, card);
    cairo_scale(cr, height / 100.0, height / 100.0);
}

void glyph_at(cairo_t* cr, double x, double y, double size)
{
    cairo_save(cr);
    place_glyph(cr, x, y, size);
}

// An arrow along a circle from `from` to `to` degrees, its head at `to`.
void turn_arrow(cairo_t* cr, double cx, double cy, double r, double from, double to, colour c, double width)
{
    const double a = from * pi / 180, b = to * pi / 180;
    cairo_new_sub_path(cr);
    if (b > a)
        cairo_arc(cr, cx, cy, r, a, b);
    else
        cairo_arc_negative(cr, cx, cy, r, a, b);
    stroke_ink(cr, c, width);
    const double sense = b > a ? 1 : -1;
    const double hx = cx + r * std::cos(b), hy = cy + r * std::sin(b);
    const double tx = -std::sin(b) * sense, ty = std::cos(b) * sense;  // along the travel
    const double nx = std::cos(b), ny = std::sin(b);
    const double head = width * 2.2;
    cairo_move_to(cr, hx + tx * head, hy + ty * head);
    cairo_line_to(cr, hx + nx * head, hy + ny * head);
    cairo_line_to(cr, hx - nx * head, hy - ny * head);
    cairo_close_path(cr);
    fill_ink(cr, c);
}

void straight_arrow(cairo_t* cr, double x1, double y1, double x2, double y2, colour c, double width)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    const double ux = (x2 - x1) / length, uy = (y2 - y1) / length;
    const double head = width * 2.4;
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2 - ux * head, y2 - uy * head);
    stroke_ink(cr, c, width);
    cairo_move_to(cr, x2, y2);
    cairo_line_to(cr, x2 - ux * head * 1.6 - uy * head, y2 - uy * head * 1.6 + ux * head);
    cairo_line_to(cr, x2 - ux * head * 1.6 + uy * head, y2 - uy * head * 1.6 - ux * head);
    cairo_close_path(cr);
    fill_ink(cr, c);
}

void check_badge(cairo_t* cr, double cx, double cy, double r)
{
    badge_disk(cr, cx, cy, r, ink::green);
    glyph_at(cr, cx - r * 0.8, cy - r * 0.8, r * 1.6);
    glyph::check(cr, ink::white, 7);
    cairo_restore(cr);
}

// The washer's front: cabinet and porthole door.
void washer_front(cairo_t* cr, double x, double y, double w, double h, bool door_open)
{
    rounded_rect(cr, x, y, w, h, 5);
    fill_and_edge(cr, ink::white, line, 2.5);
    cairo_move_to(cr, x, y + 14);
    cairo_line_to(cr, x + w, y + 14);
    stroke_ink(cr, line, 2);
    circle(cr, x + 10, y + 7, 3);
    fill_ink(cr, ink::steel);
    const double cx = x + w / 2, cy = y + 14 + (h - 14) / 2, r = std::min(w, h - 14) * 0.36;
    if (door_open) {
        circle(cr, cx, cy, r);
        fill_and_edge(cr, ink::deep, line, 2.5);
        cairo_save(cr);
        cairo_translate(cr, cx - r - 6, cy);
        cairo_scale(cr, 0.35, 1);
        circle(cr, 0, 0, r + 4);
        cairo_restore(cr);
        fill_and_edge(cr, ink::ice, line, 2.5);
    } else {
        circle(cr, cx, cy, r + 4);
        fill_and_edge(cr, ink::steel, line, 2.5);
        circle(cr, cx, cy, r - 2);
        fill_and_edge(cr, ink::ice, line, 2);
        // The latch on the door's edge.
        rounded_rect(cr, cx + r + 1, cy - 5, 6, 10, 2);
        fill_ink(cr, line);
    }
}

void draw_door(cairo_t* cr)
{
    washer_front(cr, 18, 10, 70, 82, false);
    turn_arrow(cr, 53, 55, 36, 300, 360, ink::navy, 3.5);
    check_badge(cr, 112, 30, 14);
}

void draw_tap(cairo_t* cr)
{
    // Supply pipe, valve body and handle (turned open), hose going to the machine.
    cairo_translate(cr, 0, 12);
    cairo_move_to(cr, 5, 40);
    cairo_line_to(cr, 40, 40);
    stroke_ink(cr, ink::steel, 12);
    rounded_rect(cr, 36, 28, 28, 24, 5);
    fill_and_edge(cr, ink::steel, line, 2.5);
    cairo_move_to(cr, 50, 28);
    cairo_line_to(cr, 50, 16);
    stroke_ink(cr, line, 4);
    cairo_move_to(cr, 36, 14);
    cairo_line_to(cr, 64, 14);
    stroke_ink(cr, ink::red, 7);
    turn_arrow(cr, 50, 14, 18, 330, 200, ink::navy, 3);
    cairo_move_to(cr, 64, 40);
    cairo_curve_to(cr, 95, 40, 85, 78, 125, 74);
    stroke_ink(cr, line, 9);
    cairo_move_to(cr, 64, 40);
    cairo_curve_to(cr, 95, 40, 85, 78, 125, 74);
    stroke_ink(cr, ink::water, 5);
    for (double x : {20.0, 34.0}) {
        glyph_at(cr, x - 9, 60, 18);
        glyph::drop(cr, ink::water);
        cairo_restore(cr);
    }
}

void draw_drain(cairo_t* cr)
{
    washer_front(cr, 10, 6, 50, 58, false);
    // Drain hose from the machine's bottom to the floor drain.
    cairo_move_to(cr, 48, 64);
    cairo_line_to(cr, 48, 78);
    cairo_curve_to(cr, 48, 88, 60, 88, 75, 88);
    cairo_line_to(cr, 95, 88);
    stroke_ink(cr, line, 8);
    cairo_move_to(cr, 48, 64);
    cairo_line_to(cr, 48, 78);
    cairo_curve_to(cr, 48, 88, 60, 88, 75, 88);
    cairo_line_to(cr, 95, 88);
    stroke_ink(cr, ink::water, 4);
    // Floor grate.
    rounded_rect(cr, 96, 80, 32, 16, 3);
    fill_and_edge(cr, ink::steel, line, 2);
    for (double x = 101; x < 126; x += 6) {
        cairo_move_to(cr, x, 83);
        cairo_line_to(cr, x, 93);
    }
    stroke_ink(cr, line, 2);
    straight_arrow(cr, 112, 20, 112, 70, ink::water, 4);
}

void draw_heating(cairo_t* cr)
{
    glyph_at(cr, 2, 5, 90);
    glyph::thermometer(cr, line, ink::hot, 3);
    cairo_restore(cr);
    // Steam line with its valve.
    cairo_move_to(cr, 70, 75);
    cairo_line_to(cr, 132, 75);
    stroke_ink(cr, ink::steel, 10);
    rounded_rect(cr, 92, 64, 18, 22, 4);
    fill_and_edge(cr, ink::steel, line, 2.5);
    glyph_at(cr, 80, 8, 44);
    glyph::steam(cr, ink::grey, 3.5);
    cairo_restore(cr);
}

void draw_motor(cairo_t* cr)
{
    // Motor body with cooling fins, shaft and belt pulley.
    rounded_rect(cr, 14, 30, 62, 44, 8);
    fill_and_edge(cr, ink::slate, line, 2.5);
    for (double x = 22; x < 72; x += 8) {
        cairo_move_to(cr, x, 34);
        cairo_line_to(cr, x, 70);
    }
    stroke_ink(cr, ink::steel, 2);
    rounded_rect(cr, 30, 74, 30, 10, 2);
    fill_and_edge(cr, ink::steel, line, 2);
    cairo_move_to(cr, 76, 52);
    cairo_line_to(cr, 92, 52);
    stroke_ink(cr, line, 6);
    circle(cr, 98, 52, 12);
    fill_and_edge(cr, ink::steel, line, 2.5);
    // Let it cool down before starting again.
    glyph_at(cr, 92, 2, 40);
    glyph::clock(cr, ink::white, line, 3);
    cairo_restore(cr);
}

void draw_balance(cairo_t* cr)
{
    // Basket seen from the front with the load bunched on one side.
    circle(cr, 55, 50, 40);
    fill_and_edge(cr, ink::white, line, 3);
    circle(cr, 55, 50, 33);
    stroke_ink(cr, ink::steel, 2);
    for (double a : {200.0, 230.0, 260.0, 215.0, 245.0}) {
        const double r = (static_cast<int>(a) % 2 ? 22 : 28);
        circle(cr, 55 + r * std::cos(a * pi / 180), 50 + r * std::sin(a * pi / 180), 8);
        fill_and_edge(cr, ink::amber, line, 1.5);
    }
    // Spread it round.
    turn_arrow(cr, 55, 50, 46, 280, 400, ink::navy, 3.5);
    turn_arrow(cr, 55, 50, 46, 100, 160, ink::navy, 3.5);
}

void draw_emergency_stop(cairo_t* cr)
{
    // Yellow plate, red mushroom button; turn to release.
    circle(cr, 60, 52, 42);
    fill_and_edge(cr, ink::amber, line, 2.5);
    circle(cr, 60, 52, 26);
    fill_and_edge(cr, ink::red, line, 3);
    circle(cr, 54, 45, 8);
    fill_ink(cr, rgb(0xffffff, 0.35));
    turn_arrow(cr, 60, 52, 34, 210, 330, ink::deep, 4);
}

void draw_cable(cairo_t* cr)
{
    glyph_at(cr, 8, 8, 90);
    glyph::plug_pair(cr, line, 0);
    cairo_restore(cr);
    check_badge(cr, 118, 22, 13);
}

void draw_air(cairo_t* cr)
{
    glyph_at(cr, 4, 4, 80);
    glyph::gauge(cr, line, ink::red, 3);
    cairo_restore(cr);
    cairo_move_to(cr, 44, 75);
    cairo_line_to(cr, 44, 90);
    cairo_line_to(cr, 132, 90);
    stroke_ink(cr, ink::steel, 7);
    rounded_rect(cr, 100, 78, 16, 24, 3);
    fill_and_edge(cr, ink::steel, line, 2);
    straight_arrow(cr, 132, 60, 104, 60, ink::navy, 3.5);
}

void draw_service(cairo_t* cr)
{
    // A wrench over a gear: this one needs the service technician.
    glyph_at(cr, 50, 6, 84);
    glyph::gear(cr, ink::steel);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 52, 52);
    cairo_rotate(cr, -pi / 4);
    rounded_rect(cr, -6, -4, 12, 56, 5);
    fill_and_edge(cr, ink::slate, line, 2.5);
    circle(cr, 0, -8, 14);
    fill_and_edge(cr, ink::slate, line, 2.5);
    rounded_rect(cr, -5, -26, 10, 18, 2);
    fill_ink(cr, card);
    cairo_restore(cr);
}

void draw_chemical(cairo_t* cr)
{
    // Supply drum, suction tube, pump.
    rounded_rect(cr, 12, 26, 40, 66, 6);
    fill_and_edge(cr, ink::teal, line, 2.5);
    rounded_rect(cr, 24, 16, 16, 12, 2);
    fill_and_edge(cr, ink::steel, line, 2);
    cairo_move_to(cr, 32, 16);
    cairo_curve_to(cr, 32, 4, 70, 4, 74, 34);
    stroke_ink(cr, line, 4);
    circle(cr, 80, 46, 14);
    fill_and_edge(cr, ink::steel, line, 2.5);
    cairo_move_to(cr, 94, 46);
    cairo_line_to(cr, 128, 46);
    stroke_ink(cr, line, 4);
    glyph_at(cr, 100, 54, 30);
    glyph::drop(cr, ink::teal);
    cairo_restore(cr);
    cairo_move_to(cr, 18, 60);
    cairo_line_to(cr, 46, 60);
    stroke_ink(cr, ink::white, 2);
}

void draw_level(cairo_t* cr)
{
    glyph_at(cr, 2, 6, 88);
    glyph::level(cr, line, ink::water, 3);
    cairo_restore(cr);
    // The sensing hose up to the transducer.
    cairo_move_to(cr, 80, 88);
    cairo_line_to(cr, 108, 88);
    cairo_line_to(cr, 108, 40);
    stroke_ink(cr, line, 4);
    rounded_rect(cr, 96, 18, 24, 22, 4);
    fill_and_edge(cr, ink::slate, line, 2.5);
    check_badge(cr, 124, 70, 10);
}

void draw_power(cairo_t* cr)
{
    // Switch off, wait, switch on.
    cairo_new_sub_path(cr);
    cairo_arc(cr, 50, 52, 30, -pi / 2 + 0.6, 3 * pi / 2 - 0.6);
    stroke_ink(cr, line, 7);
    cairo_move_to(cr, 50, 14);
    cairo_line_to(cr, 50, 50);
    stroke_ink(cr, line, 7);
    glyph_at(cr, 90, 28, 44);
    glyph::refresh(cr, ink::navy, 4);
    cairo_restore(cr);
}

void draw_loading(cairo_t* cr)
{
    // Load in, basket, load out.
    circle(cr, 68, 50, 30);
    fill_and_edge(cr, ink::white, line, 3);
    circle(cr, 68, 50, 23);
    stroke_ink(cr, ink::steel, 2);
    straight_arrow(cr, 4, 50, 34, 50, ink::navy, 4);
    straight_arrow(cr, 102, 50, 132, 50, ink::green, 4);
    cairo_move_to(cr, 4, 92);
    cairo_line_to(cr, 132, 92);
    stroke_ink(cr, ink::steel, 5);
}

}  // namespace

void draw_remedy(cairo_t* cr, int width, int height, int variant)
{
    start_card(cr, width, height);
    switch (variant) {
    case remedy_door: draw_door(cr); break;
    case remedy_water: draw_tap(cr); break;
    case remedy_drain: draw_drain(cr); break;
    case remedy_heating: draw_heating(cr); break;
    case remedy_motor: draw_motor(cr); break;
    case remedy_balance: draw_balance(cr); break;
    case remedy_emergency_stop: draw_emergency_stop(cr); break;
    case remedy_cable: draw_cable(cr); break;
    case remedy_air: draw_air(cr); break;
    case remedy_service: draw_service(cr); break;
    case remedy_chemical: draw_chemical(cr); break;
    case remedy_level: draw_level(cr); break;
    case remedy_power: draw_power(cr); break;
    case remedy_loading: draw_loading(cr); break;
    default: break;
    }
}

}  // namespace pictures
