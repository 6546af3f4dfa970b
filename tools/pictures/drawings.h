// Every drawing the picture list (picture_list.h) refers to. A drawing
// paints into a transparent width x height surface; `variant` picks one
// of the pictures the drawing knows (the enums below) or, for series and
// animations, the letter or frame number.
#pragma once
#include <cairo.h>

namespace pictures {

using drawing = void (*)(cairo_t* cr, int width, int height, int variant);

enum answer_variant { answer_yes, answer_no };
enum signal_variant { signal_sounding, signal_cancel, alarm_on, alarm_off };
enum transport_variant { transport_play, transport_stop, transport_pause };
enum lamp_variant { lamp_off, lamp_on, lamp_clear };
enum arrow_variant { arrow_up_off, arrow_up_active, arrow_down_off, arrow_down_active };
enum key_variant { key_shift, key_unshift };
enum mode_variant { mode_manual, mode_auto };
enum list_variant { list_formula, list_configuration, list_update, list_printer };
enum source_variant { source_folder, source_harddrive, source_usb_mounted, source_usb_unmounted };
enum usb_button_variant { usb_mount, usb_unmount };
enum adjust_variant {
    time_increase, time_decrease, temp_increase, temp_decrease,
    level_increase, level_decrease, rpm_increase, rpm_decrease
};
enum dash_variant {
    dash_hot_water, dash_cold_water, dash_third_water, dash_drain_sewer, dash_drain_reuse,
    dash_steam, dash_cooldown
};
enum spray_variant {
    spray_sewer_open, spray_sewer_closed, spray_reuse_open, spray_reuse_closed,
    spray_on, spray_off
};
enum nav_variant {
    nav_exit, nav_file, nav_formula, nav_configuration, nav_goto, nav_diagnostic, nav_log,
    nav_dealer_info, nav_powerdown, nav_auto, nav_run, nav_run_remote, nav_page_up,
    nav_page_down, nav_home, nav_back, nav_add, nav_clone, nav_rename, nav_delete, nav_save,
    nav_cancel
};
enum plant_variant {
    plant_pipe_water, plant_pipe_hot, plant_pipe_cold, plant_pipe_third, plant_pipe_steam, plant_pipe_cool,
    plant_tank_full, plant_tank_half, plant_pump, plant_dash_off,
    plant_basket_water_low, plant_basket_water_med, plant_basket_water_high
};
enum splash_variant { splash_customer, splash_tarvik, splash_misc };
enum remedy_variant {
    remedy_door, remedy_water, remedy_drain, remedy_heating, remedy_motor, remedy_balance,
    remedy_emergency_stop, remedy_cable, remedy_air, remedy_service, remedy_chemical,
    remedy_level, remedy_power, remedy_loading
};

// Dialogs and states (draw_status.cpp).
void draw_answer(cairo_t*, int, int, int);
void draw_close(cairo_t*, int, int, int);
void draw_signal(cairo_t*, int, int, int);
void draw_help(cairo_t*, int, int, int);
void draw_transport(cairo_t*, int, int, int);
void draw_io_lamp(cairo_t*, int, int, int);
void draw_pilot_lamp(cairo_t*, int, int, int);
void draw_socket(cairo_t*, int, int, int);
void draw_move_arrow(cairo_t*, int, int, int);

// Keyboard and modes (draw_keys.cpp).
void draw_letter_tile(cairo_t*, int, int, int);
void draw_shift_key(cairo_t*, int, int, int);
void draw_mode(cairo_t*, int, int, int);

// File screen (draw_files.cpp).
void draw_list_icon(cairo_t*, int, int, int);
void draw_next_page(cairo_t*, int, int, int);
void draw_source(cairo_t*, int, int, int);
void draw_usb_button(cairo_t*, int, int, int);

// Navigation buttons (draw_navigation.cpp).
void draw_nav(cairo_t*, int, int, int);

// Run, manual and spray-down screens (draw_machine.cpp).
void draw_adjust(cairo_t*, int, int, int);
void draw_dash(cairo_t*, int, int, int);
void draw_spray(cairo_t*, int, int, int);
void draw_basket(cairo_t*, int, int, int);

// Water-reuse run screen and the "off" indicator (draw_plant.cpp).
void draw_plant(cairo_t*, int, int, int);

// Whole screens, logo and the wait animation (draw_screens.cpp).
void draw_splash(cairo_t*, int, int, int);
void draw_dealer_card(cairo_t*, int, int, int);
void draw_touch_background(cairo_t*, int, int, int);
void draw_tarvik_logo(cairo_t*, int, int, int);
void draw_spinner(cairo_t*, int, int, int);

// Remedies of the error information screen (draw_remedies.cpp).
void draw_remedy(cairo_t*, int, int, int);

// The desktop station's application icon (draw_app_icon.cpp).
void draw_app_icon(cairo_t*, int, int, int);

// Frames of the basket series and of the spinner.
constexpr int basket_frames = 6;
constexpr int spinner_frames = 10;

}  // namespace pictures
