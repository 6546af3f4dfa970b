// Pictures of the water-reuse run screen (tank, pumps, pipes, the water
// in the basket) and the faded "fitted but off" indicator of both run
// screens. Pipes are plain bars so that the screen lays them end to end.
#include <cairo.h>

#include "draw_kit.h"
#include "drawings.h"

namespace pictures {

namespace {

colour pipe_colour(int variant)
{
    switch (variant) {
    case plant_pipe_hot: return ink::hot;
    case plant_pipe_cold: return ink::water;
    case plant_pipe_third: return ink::teal;
    case plant_pipe_steam: return ink::mist;
    case plant_pipe_cool: return ink::ice;
    default: return rgb(0x3f9ad8);
    }
}

// A tank seen from the side, filled to `fill` (0..1).
void tank(cairo_t* cr, int width, int height, double fill)
{
    rounded_rect(cr, 2, 2, width - 4, height - 4, 8);
    fill_and_edge(cr, ink::deep, ink::steel, 3);
    const double inner = height - 10;
    rounded_rect(cr, 6, 6 + inner * (1 - fill), width - 12, inner * fill - 1, 5);
    fill_ink(cr, ink::water);
}

void pump(cairo_t* cr, int width, int height)
{
    use_grid(cr, width, height, 48);
    circle(cr, 24, 24, 21);
    fill_and_edge(cr, ink::green, ink::white, 2.5);
    // The impeller's three blades.
    for (int blade = 0; blade < 3; ++blade) {
        cairo_save(cr);
        cairo_translate(cr, 24, 24);
        cairo_rotate(cr, blade * 2.0944);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 6, -4, 10, -10, 6, -15);
        stroke_ink(cr, ink::white, 3.5);
        cairo_restore(cr);
    }
}
}  // namespace

void draw_plant(cairo_t* cr, int width, int height, int variant)
{
    switch (variant) {
    case plant_tank_full: tank(cr, width, height, 0.92); return;
    case plant_tank_half: tank(cr, width, height, 0.5); return;
    case plant_pump: pump(cr, width, height); return;
    case plant_dash_off:
        use_grid(cr, width, height, 48);
        badge_tile(cr, 1, 1, 46, 46, 9, ink::deep);
        rounded_rect(cr, 12, 21, 24, 6, 3);
        fill_ink(cr, ink::grey);
        return;
    case plant_basket_water_low:
    case plant_basket_water_med:
    case plant_basket_water_high: {
        // A gauge beside the basket: one, two or three bands of water.
        const int bands = variant - plant_basket_water_low + 1;
        rounded_rect(cr, 1, 1, width - 2, height - 2, 5);
        fill_and_edge(cr, ink::deep, ink::steel, 2);
        const double band = (height - 8) / 3.0;
        for (int i = 0; i < bands; ++i) {
            rounded_rect(cr, 4, height - 4 - (i + 1) * band + 1, width - 8, band - 2, 3);
            fill_ink(cr, ink::water);
        }
        return;
    }
    default:
        // A pipe that carries something: the longer side is its length.
        rounded_rect(cr, 0, 0, width, height, (width < height ? width : height) / 2.0);
        fill_ink(cr, pipe_colour(variant));
        return;
    }
}

}  // namespace pictures
