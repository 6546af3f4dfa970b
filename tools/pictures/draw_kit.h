// Shared pens, colours and shapes of the console's pictures, so every
// picture has the same flat look: few colours, thick round strokes,
// rounded corners.
#pragma once
#include <cairo.h>

#include <cstdint>

namespace pictures {

struct colour {
    double r, g, b, a;
};

constexpr colour rgb(std::uint32_t hex, double alpha = 1.0)
{
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0, alpha};
}

// The palette. Navigation glyphs are white because the console's buttons
// are dark blue-grey; badges carry their own background so they read on
// any widget, including the orange error dialogs.
namespace ink {
constexpr colour white = rgb(0xffffff);
constexpr colour mist = rgb(0xdde4ec);     // light grey glyphs, shading
constexpr colour steel = rgb(0x9aa7b6);    // metal parts, inactive glyphs
constexpr colour grey = rgb(0x6b7786);     // inactive badges
constexpr colour slate = rgb(0x52647b);    // button face
constexpr colour navy = rgb(0x194e84);     // tiles, brand colour
constexpr colour deep = rgb(0x13263b);     // dark fills
constexpr colour outline = rgb(0x0e1722);  // thin outer edge of badges
constexpr colour green = rgb(0x2ca04a);
constexpr colour red = rgb(0xd8342b);
constexpr colour amber = rgb(0xf5a623);
constexpr colour water = rgb(0x2f8fe0);
constexpr colour ice = rgb(0x8fd3ff);
constexpr colour hot = rgb(0xea5a2a);
constexpr colour teal = rgb(0x1fb3a6);
constexpr colour black = rgb(0x000000);
}  // namespace ink

void set_ink(cairo_t* cr, colour c);

// Scales the context so the picture is a square of `units` design units,
// centred when the picture is not square.
void use_grid(cairo_t* cr, int width, int height, double units);

// Moves the origin to (x, y) and scales so a 48-unit glyph fills `size`.
// Pair with cairo_save / cairo_restore.
void place_glyph(cairo_t* cr, double x, double y, double size);

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);
void circle(cairo_t* cr, double cx, double cy, double r);

// Round caps and joins, the given width.
void round_pen(cairo_t* cr, double width);
void stroke_ink(cairo_t* cr, colour c, double width);         // consumes the path
void fill_ink(cairo_t* cr, colour c);                         // consumes the path
void fill_and_edge(cairo_t* cr, colour fill, colour edge, double width);

// DejaVu Sans Bold through cairo's toy text API.
void bold_font(cairo_t* cr, double size);
// Text centred on its ink box at (cx, cy); the font shrinks when the text
// would be wider than max_width (0 = no limit).
void centred_text(cairo_t* cr, const char* text, double cx, double cy, double size,
                  double max_width = 0);
// Text whose left end is at x and whose baseline is at y; shrinks like
// centred_text. Returns the width used.
double left_text(cairo_t* cr, const char* text, double x, double y, double size,
                 double max_width = 0);
// Width of the text's ink in the bold font at that size.
double text_width(cairo_t* cr, const char* text, double size);

// A self-contained round badge: dark edge, white rim, coloured face.
void badge_disk(cairo_t* cr, double cx, double cy, double r, colour face);
// The square kind, for tiles.
void badge_tile(cairo_t* cr, double x, double y, double w, double h, double r, colour face);

// Glyphs on a 48 x 48 design grid; callers place them with place_glyph.
// `width` is the stroke width in design units.
namespace glyph {
void check(cairo_t* cr, colour c, double width);
void cross(cairo_t* cr, colour c, double width);
void plus(cairo_t* cr, colour c, double width);
void minus(cairo_t* cr, colour c, double width);
void play(cairo_t* cr, colour c);
void stop(cairo_t* cr, colour c);
void pause(cairo_t* cr, colour c);
void gear(cairo_t* cr, colour c);
void clipboard(cairo_t* cr, colour c, double width);
// Two arrows chasing each other round a circle of the given radius.
void refresh(cairo_t* cr, colour c, double width, double radius = 13);
void printer(cairo_t* cr, colour c, double width);
void bell(cairo_t* cr, colour c);
void sound_waves(cairo_t* cr, colour c, double width);
void chevron_right(cairo_t* cr, colour c, double width);
void arrow_up(cairo_t* cr, colour c, double width);  // arrow head and shaft
void drop(cairo_t* cr, colour c);
void clock(cairo_t* cr, colour face, colour hands, double width);
void thermometer(cairo_t* cr, colour body, colour mercury, double width);
void gauge(cairo_t* cr, colour c, colour needle, double width);
void level(cairo_t* cr, colour vessel, colour liquid, double width);
void usb_stick(cairo_t* cr, colour body, colour plug);
void eject(cairo_t* cr, colour c);
// The edge colour separates the fingers; give it the background's colour.
void hand(cairo_t* cr, colour c, colour edge);
void steam(cairo_t* cr, colour c, double width);
void snowflake(cairo_t* cr, colour c, double width);
// Plug and socket, `gap` units apart (0 = plugged in).
void plug_pair(cairo_t* cr, colour c, double gap);
void question(cairo_t* cr, colour c);
}  // namespace glyph

}  // namespace pictures
