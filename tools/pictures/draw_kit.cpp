#include "draw_kit.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace pictures {

namespace {
constexpr double pi = 3.14159265358979323846;

double rad(double degrees) { return degrees * pi / 180.0; }

// A filled arrow head on a circle of radius r round (cx, cy) at angle
// `at` (degrees), pointing along the circle in the drawing direction
// (clockwise on screen when `clockwise`).
void arc_arrow_head(cairo_t* cr, double cx, double cy, double r, double at, bool clockwise,
                    double size)
{
    double a = rad(at);
    double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
    double sign = clockwise ? 1.0 : -1.0;
    double tx = -std::sin(a) * sign, ty = std::cos(a) * sign;  // along the circle
    double nx = std::cos(a), ny = std::sin(a);                 // away from the centre
    cairo_move_to(cr, px + tx * size * 1.1, py + ty * size * 1.1);
    cairo_line_to(cr, px + nx * size, py + ny * size);
    cairo_line_to(cr, px - nx * size, py - ny * size);
    cairo_close_path(cr);
}
}  // namespace

void set_ink(cairo_t* cr, colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void use_grid(cairo_t* cr, int width, int height, double units)
{
    double side = std::min(width, height);
    cairo_translate(cr, (width - side) / 2.0, (height - side) / 2.0);
    cairo_scale(cr, side / units, side / units);
}

void place_glyph(cairo_t* cr, double x, double y, double size)
{
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 48.0, size / 48.0);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, rad(-90), 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, rad(90));
    cairo_arc(cr, x + r, y + h - r, r, rad(90), rad(180));
    cairo_arc(cr, x + r, y + r, r, rad(180), rad(270));
    cairo_close_path(cr);
}

void circle(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * pi);
    cairo_close_path(cr);
}

void round_pen(cairo_t* cr, double width)
{
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

void stroke_ink(cairo_t* cr, colour c, double width)
{
    round_pen(cr, width);
    set_ink(cr, c);
    cairo_stroke(cr);
}

void fill_ink(cairo_t* cr, colour c)
{
    set_ink(cr, c);
    cairo_fill(cr);
}

void fill_and_edge(cairo_t* cr, colour fill, colour edge, double width)
{
    set_ink(cr, fill);
    cairo_fill_preserve(cr);
    stroke_ink(cr, edge, width);
}

void bold_font(cairo_t* cr, double size)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}

void centred_text(cairo_t* cr, const char* text, double cx, double cy, double size,
                  double max_width)
{
    bold_font(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    if (max_width > 0 && ext.width > max_width) {
        bold_font(cr, size * max_width / ext.width);
        cairo_text_extents(cr, text, &ext);
    }
    cairo_move_to(cr, cx - (ext.x_bearing + ext.width / 2), cy - (ext.y_bearing + ext.height / 2));
    cairo_show_text(cr, text);
    cairo_new_path(cr);
}

double left_text(cairo_t* cr, const char* text, double x, double y, double size, double max_width)
{
    double width = text_width(cr, text, size);
    if (max_width > 0 && width > max_width) {
        size *= max_width / width;
        width = max_width;
    }
    bold_font(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
    cairo_new_path(cr);
    return width;
}

double text_width(cairo_t* cr, const char* text, double size)
{
    bold_font(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    return ext.width;
}

void badge_disk(cairo_t* cr, double cx, double cy, double r, colour face)
{
    double edge = std::max(0.6, r * 0.06);
    double rim = std::max(1.0, r * 0.1);
    circle(cr, cx, cy, r);
    fill_ink(cr, rgb(0x0e1722, 0.85));
    circle(cr, cx, cy, r - edge);
    fill_ink(cr, ink::white);
    circle(cr, cx, cy, r - edge - rim);
    fill_ink(cr, face);
}

void badge_tile(cairo_t* cr, double x, double y, double w, double h, double r, colour face)
{
    double side = std::min(w, h);
    double edge = std::max(0.6, side * 0.03);
    double rim = std::max(1.0, side * 0.05);
    rounded_rect(cr, x, y, w, h, r);
    fill_ink(cr, rgb(0x0e1722, 0.85));
    rounded_rect(cr, x + edge, y + edge, w - 2 * edge, h - 2 * edge, r - edge);
    fill_ink(cr, ink::white);
    double in = edge + rim;
    rounded_rect(cr, x + in, y + in, w - 2 * in, h - 2 * in, std::max(0.0, r - in));
    fill_ink(cr, face);
}

namespace glyph {

void check(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 11.5, 25);
    cairo_line_to(cr, 20.5, 34);
    cairo_line_to(cr, 36.5, 15);
    stroke_ink(cr, c, width);
}

void cross(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 15, 15);
    cairo_line_to(cr, 33, 33);
    cairo_move_to(cr, 33, 15);
    cairo_line_to(cr, 15, 33);
    stroke_ink(cr, c, width);
}

void plus(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 24, 12);
    cairo_line_to(cr, 24, 36);
    cairo_move_to(cr, 12, 24);
    cairo_line_to(cr, 36, 24);
    stroke_ink(cr, c, width);
}

void minus(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 12, 24);
    cairo_line_to(cr, 36, 24);
    stroke_ink(cr, c, width);
}

void play(cairo_t* cr, colour c)
{
    cairo_move_to(cr, 18, 12);
    cairo_line_to(cr, 37, 24);
    cairo_line_to(cr, 18, 36);
    cairo_close_path(cr);
    set_ink(cr, c);
    cairo_fill_preserve(cr);
    stroke_ink(cr, c, 4);
}

void stop(cairo_t* cr, colour c)
{
    rounded_rect(cr, 13, 13, 22, 22, 4);
    fill_ink(cr, c);
}

void pause(cairo_t* cr, colour c)
{
    rounded_rect(cr, 13, 12, 8, 24, 2.5);
    rounded_rect(cr, 27, 12, 8, 24, 2.5);
    fill_ink(cr, c);
}

void gear(cairo_t* cr, colour c)
{
    const double outer = 20, root = 15, hole = 6.5;
    const int teeth = 8;
    cairo_new_sub_path(cr);
    for (int i = 0; i < teeth; ++i) {
        double a = i * 360.0 / teeth;
        auto at = [&](double radius, double degrees) {
            cairo_line_to(cr, 24 + radius * std::cos(rad(degrees)), 24 + radius * std::sin(rad(degrees)));
        };
        at(root, a - 12);
        at(outer, a - 7);
        at(outer, a + 7);
        at(root, a + 12);
        cairo_arc(cr, 24, 24, root, rad(a + 12), rad(a + 360.0 / teeth - 12));
    }
    cairo_close_path(cr);
    circle(cr, 24, 24, hole);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    set_ink(cr, c);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void clipboard(cairo_t* cr, colour c, double width)
{
    rounded_rect(cr, 11, 9, 26, 33, 4);
    stroke_ink(cr, c, width);
    rounded_rect(cr, 17.5, 5, 13, 8, 3);
    fill_ink(cr, c);
    cairo_move_to(cr, 17, 21);
    cairo_line_to(cr, 31, 21);
    cairo_move_to(cr, 17, 28);
    cairo_line_to(cr, 31, 28);
    cairo_move_to(cr, 17, 35);
    cairo_line_to(cr, 25, 35);
    stroke_ink(cr, c, width * 0.8);
}

void refresh(cairo_t* cr, colour c, double width, double radius)
{
    const double head = std::max(width * 1.25, radius * 0.42);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 24, radius, rad(195), rad(318));
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 24, radius, rad(15), rad(138));
    stroke_ink(cr, c, width);
    arc_arrow_head(cr, 24, 24, radius, 318, true, head);
    arc_arrow_head(cr, 24, 24, radius, 138, true, head);
    set_ink(cr, c);
    cairo_fill_preserve(cr);
    stroke_ink(cr, c, 1.5);
}

void printer(cairo_t* cr, colour c, double width)
{
    cairo_rectangle(cr, 16, 7, 16, 11);
    stroke_ink(cr, c, width * 0.8);
    rounded_rect(cr, 8, 18, 32, 16, 4);
    stroke_ink(cr, c, width);
    rounded_rect(cr, 15, 28, 18, 14, 1.5);
    fill_ink(cr, c);
    circle(cr, 33.5, 23.5, 1.8);
    fill_ink(cr, c);
}

void bell(cairo_t* cr, colour c)
{
    cairo_move_to(cr, 11, 33);
    cairo_curve_to(cr, 15, 29, 14, 24, 14, 20);
    cairo_curve_to(cr, 14, 13, 18.5, 9, 24, 9);
    cairo_curve_to(cr, 29.5, 9, 34, 13, 34, 20);
    cairo_curve_to(cr, 34, 24, 33, 29, 37, 33);
    cairo_close_path(cr);
    rounded_rect(cr, 9, 31.5, 30, 5, 2.5);
    circle(cr, 24, 39.5, 3.5);
    circle(cr, 24, 8.5, 2.5);
    fill_ink(cr, c);
}

void sound_waves(cairo_t* cr, colour c, double width)
{
    for (double r : {18.0, 23.0}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 24, 22, r, rad(-35), rad(25));
        cairo_new_sub_path(cr);
        cairo_arc(cr, 24, 22, r, rad(155), rad(215));
    }
    stroke_ink(cr, c, width);
}

void chevron_right(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 19, 11);
    cairo_line_to(cr, 31, 24);
    cairo_line_to(cr, 19, 37);
    stroke_ink(cr, c, width);
}

void arrow_up(cairo_t* cr, colour c, double width)
{
    cairo_move_to(cr, 24, 38);
    cairo_line_to(cr, 24, 12);
    cairo_move_to(cr, 12, 24);
    cairo_line_to(cr, 24, 12);
    cairo_line_to(cr, 36, 24);
    stroke_ink(cr, c, width);
}

void drop(cairo_t* cr, colour c)
{
    cairo_move_to(cr, 24, 5);
    cairo_curve_to(cr, 29, 12, 38, 21, 38, 30);
    cairo_curve_to(cr, 38, 38, 31.7, 44, 24, 44);
    cairo_curve_to(cr, 16.3, 44, 10, 38, 10, 30);
    cairo_curve_to(cr, 10, 21, 19, 12, 24, 5);
    cairo_close_path(cr);
    fill_ink(cr, c);
}

void clock(cairo_t* cr, colour face, colour hands, double width)
{
    circle(cr, 24, 24, 17);
    set_ink(cr, face);
    cairo_fill_preserve(cr);
    stroke_ink(cr, hands, width);
    cairo_move_to(cr, 24, 13);
    cairo_line_to(cr, 24, 24);
    cairo_line_to(cr, 31.5, 28.5);
    stroke_ink(cr, hands, width);
}

void thermometer(cairo_t* cr, colour body, colour mercury, double width)
{
    // Tube from y = 10 down into a bulb of radius 8.5 round (24, 36).
    const double bulb = 8.5, tube = 5;
    const double join = std::sqrt(bulb * bulb - tube * tube);
    const double a = std::atan2(-join, tube);
    cairo_move_to(cr, 24 - tube, 36 - join);
    cairo_line_to(cr, 24 - tube, 10);
    cairo_arc(cr, 24, 10, tube, pi, 2 * pi);
    cairo_line_to(cr, 24 + tube, 36 - join);
    cairo_arc(cr, 24, 36, bulb, a, pi - a);
    cairo_close_path(cr);
    stroke_ink(cr, body, width);
    cairo_move_to(cr, 24, 36);
    cairo_line_to(cr, 24, 17);
    stroke_ink(cr, mercury, width * 1.1);
    circle(cr, 24, 36, bulb - width * 0.9);
    fill_ink(cr, mercury);
}

void gauge(cairo_t* cr, colour c, colour needle, double width)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, 24, 28, 18, rad(150), rad(390));
    stroke_ink(cr, c, width);
    for (double a : {180.0, 225.0, 270.0, 315.0, 360.0}) {
        double ca = std::cos(rad(a)), sa = std::sin(rad(a));
        cairo_move_to(cr, 24 + 12.5 * ca, 28 + 12.5 * sa);
        cairo_line_to(cr, 24 + 15 * ca, 28 + 15 * sa);
    }
    stroke_ink(cr, c, width * 0.6);
    cairo_move_to(cr, 24, 28);
    cairo_line_to(cr, 24 + 13 * std::cos(rad(310)), 28 + 13 * std::sin(rad(310)));
    stroke_ink(cr, needle, width * 0.9);
    circle(cr, 24, 28, width * 1.1);
    fill_ink(cr, needle);
}

void level(cairo_t* cr, colour vessel, colour liquid, double width)
{
    cairo_move_to(cr, 24 - 15, 21);
    cairo_curve_to(cr, 24 - 10, 17.5, 24 - 5, 24.5, 24, 21);
    cairo_curve_to(cr, 24 + 5, 17.5, 24 + 10, 24.5, 24 + 15, 21);
    cairo_line_to(cr, 39, 35);
    cairo_arc(cr, 35, 35, 4, 0, pi / 2);
    cairo_line_to(cr, 13, 39);
    cairo_arc(cr, 13, 35, 4, pi / 2, pi);
    cairo_close_path(cr);
    fill_ink(cr, liquid);
    cairo_move_to(cr, 9, 7);
    cairo_line_to(cr, 9, 35);
    cairo_arc_negative(cr, 13, 35, 4, pi, pi / 2);
    cairo_line_to(cr, 35, 39);
    cairo_arc_negative(cr, 35, 35, 4, pi / 2, 0);
    cairo_line_to(cr, 39, 7);
    stroke_ink(cr, vessel, width);
}

void usb_stick(cairo_t* cr, colour body, colour plug)
{
    rounded_rect(cr, 16.5, 3, 15, 12, 1.5);
    fill_ink(cr, plug);
    cairo_rectangle(cr, 19.5, 6.5, 3, 3);
    cairo_rectangle(cr, 25.5, 6.5, 3, 3);
    fill_ink(cr, ink::deep);
    rounded_rect(cr, 12, 14, 24, 31, 5);
    fill_ink(cr, body);
}

void eject(cairo_t* cr, colour c)
{
    cairo_move_to(cr, 24, 9);
    cairo_line_to(cr, 38, 26);
    cairo_line_to(cr, 10, 26);
    cairo_close_path(cr);
    set_ink(cr, c);
    cairo_fill_preserve(cr);
    stroke_ink(cr, c, 3);
    rounded_rect(cr, 9, 31, 30, 7, 2);
    fill_ink(cr, c);
}

void hand(cairo_t* cr, colour c, colour edge)
{
    // Thumb, palm, then the fingers over them, each edged so they stay apart.
    cairo_move_to(cr, 14, 34);
    cairo_line_to(cr, 7.5, 24.5);
    stroke_ink(cr, edge, 7.5);
    cairo_move_to(cr, 14, 34);
    cairo_line_to(cr, 7.5, 24.5);
    stroke_ink(cr, c, 5);
    rounded_rect(cr, 11, 21, 25, 23, 8);
    fill_ink(cr, c);
    const double tops[] = {11, 7, 8, 12};
    for (int i = 0; i < 4; ++i) {
        double x = 14.5 + i * 6;
        cairo_move_to(cr, x, tops[i]);
        cairo_line_to(cr, x, 27);
        stroke_ink(cr, edge, 7);
        cairo_move_to(cr, x, tops[i]);
        cairo_line_to(cr, x, 29);
        stroke_ink(cr, c, 5);
    }
}

void steam(cairo_t* cr, colour c, double width)
{
    for (double x : {13.0, 24.0, 35.0}) {
        cairo_move_to(cr, x, 41);
        cairo_curve_to(cr, x - 5.5, 35, x + 5.5, 29, x, 23.5);
        cairo_curve_to(cr, x - 5.5, 18, x + 5.5, 13, x, 7);
    }
    stroke_ink(cr, c, width);
}

void snowflake(cairo_t* cr, colour c, double width)
{
    for (int i = 0; i < 6; ++i) {
        double a = rad(90 + i * 60);
        double ca = std::cos(a), sa = std::sin(a);
        cairo_move_to(cr, 24, 24);
        cairo_line_to(cr, 24 + 18 * ca, 24 + 18 * sa);
        double bx = 24 + 11 * ca, by = 24 + 11 * sa;
        for (double turn : {-45.0, 45.0}) {
            double b = a + rad(turn);
            cairo_move_to(cr, bx, by);
            cairo_line_to(cr, bx + 6.5 * std::cos(b), by + 6.5 * std::sin(b));
        }
    }
    stroke_ink(cr, c, width);
}

void plug_pair(cairo_t* cr, colour c, double gap)
{
    double s = gap / 2;
    // Cables.
    cairo_move_to(cr, 2, 24);
    cairo_line_to(cr, 8 - s, 24);
    cairo_move_to(cr, 38 + s, 24);
    cairo_line_to(cr, 46, 24);
    stroke_ink(cr, c, 4);
    // Plug with two pins.
    rounded_rect(cr, 6 - s, 15, 12, 18, 3);
    cairo_rectangle(cr, 17 - s, 18, 9, 3.5);
    cairo_rectangle(cr, 17 - s, 26.5, 9, 3.5);
    fill_ink(cr, c);
    // Socket: the pins disappear into it when plugged in.
    rounded_rect(cr, 25 + s, 13, 14, 22, 3.5);
    fill_ink(cr, c);
}

void question(cairo_t* cr, colour c)
{
    set_ink(cr, c);
    centred_text(cr, "?", 24, 24, 34);
}

}  // namespace glyph

}  // namespace pictures
