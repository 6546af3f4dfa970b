// The list of every picture the console installs. make_pictures draws
// them from this list and the tests check the staged files against it, so
// a new screen adds its pictures here and nowhere else.
//
// Before including, define:
//   LUMEX_PICTURE(folder, file, width, height, drawing, variant)
//   LUMEX_ANIMATION(folder, file, width, height, drawing, frames, delay_cs)
// folder is `image` or `splash`; drawing and variant come from
// drawings.h; an animation's drawing gets the frame number as variant and
// delay_cs is the time per frame in hundredths of a second.
//
// A number at the end of a name is the picture's size in pixels.

// Dialogs.
LUMEX_PICTURE(image, "icon_yes.png", 32, 32, draw_answer, answer_yes)
LUMEX_PICTURE(image, "icon_no.png", 32, 32, draw_answer, answer_no)
LUMEX_PICTURE(image, "icon_close_32.png", 32, 32, draw_close, 0)
LUMEX_PICTURE(image, "icon_signal_on.png", 48, 48, draw_signal, signal_sounding)
LUMEX_PICTURE(image, "icon_signal_cancel.png", 48, 48, draw_signal, signal_cancel)
LUMEX_PICTURE(image, "icon_help_32.png", 32, 32, draw_help, 0)
LUMEX_PICTURE(image, "icon_play_32.png", 32, 32, draw_transport, transport_play)
LUMEX_PICTURE(image, "icon_stop_32.png", 32, 32, draw_transport, transport_stop)
LUMEX_PICTURE(image, "icon_pause_32.png", 32, 32, draw_transport, transport_pause)
LUMEX_ANIMATION(image, "loading.gif", 64, 64, draw_spinner, spinner_frames, 8)

// Diagnostics and the chemical and VEZ screens.
LUMEX_PICTURE(image, "icon_io_off_32.png", 32, 32, draw_io_lamp, lamp_off)
LUMEX_PICTURE(image, "icon_io_on_32.png", 32, 32, draw_io_lamp, lamp_on)
LUMEX_PICTURE(image, "icon_alarm_on_24.png", 24, 24, draw_signal, alarm_on)
LUMEX_PICTURE(image, "icon_alarm_off_24.png", 24, 24, draw_signal, alarm_off)
LUMEX_PICTURE(image, "tlp_chem_on.png", 32, 32, draw_pilot_lamp, lamp_on)
LUMEX_PICTURE(image, "tlp_chem_off.png", 32, 32, draw_pilot_lamp, lamp_off)
LUMEX_PICTURE(image, "tlp_chem_off_clear.png", 32, 32, draw_pilot_lamp, lamp_clear)
LUMEX_PICTURE(image, "icon_move_up_off_32.png", 32, 32, draw_move_arrow, arrow_up_off)
LUMEX_PICTURE(image, "icon_move_up_active_32.png", 32, 32, draw_move_arrow, arrow_up_active)
LUMEX_PICTURE(image, "icon_move_down_off_32.png", 32, 32, draw_move_arrow, arrow_down_off)
LUMEX_PICTURE(image, "icon_move_down_active_32.png", 32, 32, draw_move_arrow, arrow_down_active)
LUMEX_PICTURE(image, "icon_socket_off_32.png", 32, 32, draw_socket, lamp_off)
LUMEX_PICTURE(image, "icon_socket_on_32.png", 32, 32, draw_socket, lamp_on)

// Keyboard and the letters of the settings items.
LUMEX_PICTURE(image, "icon_shift_32.png", 32, 32, draw_shift_key, key_shift)
LUMEX_PICTURE(image, "icon_unshift_32.png", 32, 32, draw_shift_key, key_unshift)
LUMEX_PICTURE(image, "A.png", 32, 32, draw_letter_tile, 0)
LUMEX_PICTURE(image, "B.png", 32, 32, draw_letter_tile, 1)
LUMEX_PICTURE(image, "C.png", 32, 32, draw_letter_tile, 2)
LUMEX_PICTURE(image, "D.png", 32, 32, draw_letter_tile, 3)
LUMEX_PICTURE(image, "E.png", 32, 32, draw_letter_tile, 4)
LUMEX_PICTURE(image, "F.png", 32, 32, draw_letter_tile, 5)
LUMEX_PICTURE(image, "G.png", 32, 32, draw_letter_tile, 6)
LUMEX_PICTURE(image, "H.png", 32, 32, draw_letter_tile, 7)
LUMEX_PICTURE(image, "I.png", 32, 32, draw_letter_tile, 8)
LUMEX_PICTURE(image, "J.png", 32, 32, draw_letter_tile, 9)
LUMEX_PICTURE(image, "K.png", 32, 32, draw_letter_tile, 10)
LUMEX_PICTURE(image, "L.png", 32, 32, draw_letter_tile, 11)
LUMEX_PICTURE(image, "M.png", 32, 32, draw_letter_tile, 12)
LUMEX_PICTURE(image, "N.png", 32, 32, draw_letter_tile, 13)
LUMEX_PICTURE(image, "O.png", 32, 32, draw_letter_tile, 14)
LUMEX_PICTURE(image, "P.png", 32, 32, draw_letter_tile, 15)
LUMEX_PICTURE(image, "Q.png", 32, 32, draw_letter_tile, 16)
LUMEX_PICTURE(image, "R.png", 32, 32, draw_letter_tile, 17)
LUMEX_PICTURE(image, "S.png", 32, 32, draw_letter_tile, 18)
LUMEX_PICTURE(image, "T.png", 32, 32, draw_letter_tile, 19)
LUMEX_PICTURE(image, "U.png", 32, 32, draw_letter_tile, 20)
LUMEX_PICTURE(image, "V.png", 32, 32, draw_letter_tile, 21)
LUMEX_PICTURE(image, "W.png", 32, 32, draw_letter_tile, 22)
LUMEX_PICTURE(image, "X.png", 32, 32, draw_letter_tile, 23)
LUMEX_PICTURE(image, "Y.png", 32, 32, draw_letter_tile, 24)
LUMEX_PICTURE(image, "Z.png", 32, 32, draw_letter_tile, 25)

// File screen.
LUMEX_PICTURE(image, "icon_formula_22.png", 22, 22, draw_list_icon, list_formula)
LUMEX_PICTURE(image, "icon_configuration_22.png", 22, 22, draw_list_icon, list_configuration)
LUMEX_PICTURE(image, "icon_update_22.png", 22, 22, draw_list_icon, list_update)
LUMEX_PICTURE(image, "icon_printer_22.png", 22, 22, draw_list_icon, list_printer)
LUMEX_PICTURE(image, "icon_next_page_24.png", 24, 24, draw_next_page, 0)
LUMEX_PICTURE(image, "icon_folder_128.png", 128, 128, draw_source, source_folder)
LUMEX_PICTURE(image, "icon_harddrive_128.png", 128, 128, draw_source, source_harddrive)
LUMEX_PICTURE(image, "icon_usb_mount_128.png", 128, 128, draw_source, source_usb_mounted)
LUMEX_PICTURE(image, "icon_usb_unmount_128.png", 128, 128, draw_source, source_usb_unmounted)
LUMEX_PICTURE(image, "icon_mount_usb_48.png", 48, 48, draw_usb_button, usb_mount)
LUMEX_PICTURE(image, "icon_unmount_usb_48.png", 48, 48, draw_usb_button, usb_unmount)

// Navigation buttons.
LUMEX_PICTURE(image, "nav_icon_exit.png", 48, 48, draw_nav, nav_exit)
LUMEX_PICTURE(image, "icon_file_48.png", 48, 48, draw_nav, nav_file)
LUMEX_PICTURE(image, "icon_formula_48.png", 48, 48, draw_nav, nav_formula)
LUMEX_PICTURE(image, "icon_configuration_48.png", 48, 48, draw_nav, nav_configuration)
LUMEX_PICTURE(image, "icon_goto_48.png", 48, 48, draw_nav, nav_goto)
LUMEX_PICTURE(image, "icon_diagnostic_48.png", 48, 48, draw_nav, nav_diagnostic)
LUMEX_PICTURE(image, "icon_log_48.png", 48, 48, draw_nav, nav_log)
LUMEX_PICTURE(image, "icon_dealer_info_48.png", 48, 48, draw_nav, nav_dealer_info)
LUMEX_PICTURE(image, "icon_powerdown_48.png", 48, 48, draw_nav, nav_powerdown)
LUMEX_PICTURE(image, "icon_auto_48.png", 48, 48, draw_nav, nav_auto)
LUMEX_PICTURE(image, "icon_run_48.png", 48, 48, draw_nav, nav_run)
LUMEX_PICTURE(image, "icon_run_remote_48.png", 48, 48, draw_nav, nav_run_remote)
LUMEX_PICTURE(image, "icon_page_up_48.png", 48, 48, draw_nav, nav_page_up)
LUMEX_PICTURE(image, "icon_page_down_48.png", 48, 48, draw_nav, nav_page_down)
LUMEX_PICTURE(image, "icon_home_48.png", 48, 48, draw_nav, nav_home)
LUMEX_PICTURE(image, "icon_back_48.png", 48, 48, draw_nav, nav_back)
LUMEX_PICTURE(image, "icon_add_48.png", 48, 48, draw_nav, nav_add)
LUMEX_PICTURE(image, "icon_clone_48.png", 48, 48, draw_nav, nav_clone)
LUMEX_PICTURE(image, "icon_rename_48.png", 48, 48, draw_nav, nav_rename)
LUMEX_PICTURE(image, "icon_delete_48.png", 48, 48, draw_nav, nav_delete)
LUMEX_PICTURE(image, "icon_save_48.png", 48, 48, draw_nav, nav_save)
LUMEX_PICTURE(image, "icon_cancel_48.png", 48, 48, draw_nav, nav_cancel)
LUMEX_PICTURE(image, "logo_tarvik.png", 160, 60, draw_tarvik_logo, 0)

// Run screen: manual mode, the manual selection buttons (55 pixels high,
// hence 40-pixel pictures), the output indicators and the basket.
LUMEX_PICTURE(image, "icon_manual_32.png", 32, 32, draw_mode, mode_manual)
LUMEX_PICTURE(image, "icon_auto_32.png", 32, 32, draw_mode, mode_auto)
LUMEX_PICTURE(image, "icon_time_increase.png", 40, 40, draw_adjust, time_increase)
LUMEX_PICTURE(image, "icon_time_decrease.png", 40, 40, draw_adjust, time_decrease)
LUMEX_PICTURE(image, "icon_temp_increase.png", 40, 40, draw_adjust, temp_increase)
LUMEX_PICTURE(image, "icon_temp_decrease.png", 40, 40, draw_adjust, temp_decrease)
LUMEX_PICTURE(image, "icon_level_increase.png", 40, 40, draw_adjust, level_increase)
LUMEX_PICTURE(image, "icon_level_decrease.png", 40, 40, draw_adjust, level_decrease)
LUMEX_PICTURE(image, "icon_rpm_increase.png", 40, 40, draw_adjust, rpm_increase)
LUMEX_PICTURE(image, "icon_rpm_decrease.png", 40, 40, draw_adjust, rpm_decrease)
LUMEX_PICTURE(image, "icon_dash_h2o_hot_on.png", 40, 40, draw_dash, dash_hot_water)
LUMEX_PICTURE(image, "icon_dash_h2o_cold_on.png", 40, 40, draw_dash, dash_cold_water)
LUMEX_PICTURE(image, "icon_dash_h2o_3rd_on.png", 40, 40, draw_dash, dash_third_water)
LUMEX_PICTURE(image, "icon_dash_drain_sewer_open.png", 40, 40, draw_dash, dash_drain_sewer)
LUMEX_PICTURE(image, "icon_dash_drain_reuse_open.png", 40, 40, draw_dash, dash_drain_reuse)
LUMEX_PICTURE(image, "icon_dash_steam_on.png", 40, 40, draw_dash, dash_steam)
LUMEX_PICTURE(image, "icon_dash_cooldown_on.png", 40, 40, draw_dash, dash_cooldown)
LUMEX_PICTURE(image, "cyl00.png", 128, 128, draw_basket, 0)
LUMEX_PICTURE(image, "cyl01.png", 128, 128, draw_basket, 1)
LUMEX_PICTURE(image, "cyl02.png", 128, 128, draw_basket, 2)
LUMEX_PICTURE(image, "cyl03.png", 128, 128, draw_basket, 3)
LUMEX_PICTURE(image, "cyl04.png", 128, 128, draw_basket, 4)
LUMEX_PICTURE(image, "cyl05.png", 128, 128, draw_basket, 5)
LUMEX_PICTURE(image, "icon_dash_off.png", 40, 40, draw_plant, plant_dash_off)

// Water-reuse run screen: tank, pumps, pipes (h: lying, v: standing) and
// the water in the basket.
LUMEX_PICTURE(image, "tlp_tank_full.png", 90, 120, draw_plant, plant_tank_full)
LUMEX_PICTURE(image, "tlp_tank_half_full.png", 90, 120, draw_plant, plant_tank_half)
LUMEX_PICTURE(image, "tlp_pump_run.png", 40, 40, draw_plant, plant_pump)
LUMEX_PICTURE(image, "tlp_pipe_water_h.png", 90, 10, draw_plant, plant_pipe_water)
LUMEX_PICTURE(image, "tlp_pipe_water_v.png", 10, 60, draw_plant, plant_pipe_water)
LUMEX_PICTURE(image, "tlp_pipe_hot_h.png", 90, 10, draw_plant, plant_pipe_hot)
LUMEX_PICTURE(image, "tlp_pipe_cold_h.png", 90, 10, draw_plant, plant_pipe_cold)
LUMEX_PICTURE(image, "tlp_pipe_third_h.png", 90, 10, draw_plant, plant_pipe_third)
LUMEX_PICTURE(image, "tlp_pipe_steam_h.png", 90, 10, draw_plant, plant_pipe_steam)
LUMEX_PICTURE(image, "tlp_pipe_cool_h.png", 90, 10, draw_plant, plant_pipe_cool)
LUMEX_PICTURE(image, "tlp_basket_water_low.png", 24, 128, draw_plant, plant_basket_water_low)
LUMEX_PICTURE(image, "tlp_basket_water_med.png", 24, 128, draw_plant, plant_basket_water_med)
LUMEX_PICTURE(image, "tlp_basket_water_high.png", 24, 128, draw_plant, plant_basket_water_high)

// Spray-down screen.
LUMEX_PICTURE(image, "icon_spray_down_drain_sewer_open.png", 48, 48, draw_spray, spray_sewer_open)
LUMEX_PICTURE(image, "icon_spray_down_drain_sewer_closed.png", 48, 48, draw_spray, spray_sewer_closed)
LUMEX_PICTURE(image, "icon_spray_down_drain_reuse_open.png", 48, 48, draw_spray, spray_reuse_open)
LUMEX_PICTURE(image, "icon_spray_down_drain_reuse_closed.png", 48, 48, draw_spray, spray_reuse_closed)
LUMEX_PICTURE(image, "icon_spray_down_on.png", 48, 48, draw_spray, spray_on)
LUMEX_PICTURE(image, "icon_spray_down_off.png", 48, 48, draw_spray, spray_off)

// Backgrounds and start screens.
LUMEX_PICTURE(image, "ts_background.png", 800, 480, draw_touch_background, 0)
LUMEX_PICTURE(splash, "customer_splash.png", 800, 480, draw_splash, splash_customer)
LUMEX_PICTURE(splash, "tarvik_splash.png", 800, 480, draw_splash, splash_tarvik)
LUMEX_PICTURE(splash, "misc_splash.png", 800, 480, draw_splash, splash_misc)
LUMEX_PICTURE(splash, "dealer_info_splash.png", 640, 480, draw_dealer_card, 0)

// The desktop station's application icon, one file for each size of the
// icon theme; installed as lumex6-pc.png under the hicolor theme, not
// with the console's own pictures.
LUMEX_PICTURE(image, "app_icon_48.png", 48, 48, draw_app_icon, 0)
LUMEX_PICTURE(image, "app_icon_64.png", 64, 64, draw_app_icon, 0)
LUMEX_PICTURE(image, "app_icon_128.png", 128, 128, draw_app_icon, 0)
LUMEX_PICTURE(image, "app_icon_256.png", 256, 256, draw_app_icon, 0)
