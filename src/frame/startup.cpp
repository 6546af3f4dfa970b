#include "frame/startup.h"

#include <dirent.h>
#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/build_switches.h"
#include "files/file_helpers.h"
#include "files/file_screen.h"
#include "files/paths.h"
#include "files/sets.h"
#include "files/version_files.h"
#include "configuration/configuration_screen.h"
#include "configuration/vez_configuration_screen.h"
#include "formulas/chemical_valves_screen.h"
#include "formulas/formula_changes.h"
#include "formulas/level_unit.h"
#include "formulas/chemicals.h"
#include "formulas/chemicals_screen.h"
#include "formulas/formula_list.h"
#include "formulas/post_dry.h"
#include "formulas/post_dry_screen.h"
#include "formulas/formulas_screen.h"
#include "formulas/selected_step_screen.h"
#include "formulas/step_list.h"
#include "formulas/steps_screen.h"
#include "frame/app_state.h"
#include "frame/clock.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/language_switch.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "link/error_info_screen.h"
#include "link/input_output_screen.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"
#include "logs/logs_screen.h"
#include "settings/password_lockout.h"
#include "settings/passwords.h"
#include "link/run_screen.h"
#include "link/vez_batch_data_screen.h"
#include "link/vez_manual_screen.h"
#include "link/vez_state_screen.h"
#include "link/spray_down_screen.h"
#include "settings/settings_screen.h"
#include "settings/system_commands.h"

std::string array_letters_icons[26];
GtkWidget* splash_window = nullptr;

namespace {
// Every screen of this build, in start-up order, and what the
// subsystems without screens of their own answer.
void register_everything()
{
    func_register_home_screen();
    func_register_configuration_screen();
    func_register_vez_configuration_screen();
    func_register_file_screen();
    func_register_formulas_screen();
    func_register_steps_screen();
    func_register_selected_step_screen();
    func_register_chemicals_screen();
    func_register_chemical_valves_screen();
    func_register_post_dry_screen();
    func_register_system_settings_screen();
    func_register_logs_screen();
    func_register_run_screen();
    func_register_error_info_screen();
    func_register_vez_batch_data_screen();
    func_register_vez_state_screen();
    func_register_vez_manual_screen();
    func_register_input_output_screen();
    func_register_spray_down_screen();
    func_register_password_prompts();

    func_set_display_request_query(func_display_request_wanted);
    // The machine's own commands.
    func_register_dialog_action(13, 0, [](gpointer) {
        func_close_active_dialog();
        func_do_powerdown();
    });
    func_register_dialog_action(29, 0, [](gpointer) { func_reboot_machine(); });
}

void remove_stale_temporary_files()
{
    const std::string folders[] = {func_install_path(""), func_configuration_dir(), func_formulas_dir(),
                                   func_data_dir(), func_log_dir()};
    for (const std::string& folder : folders)
        func_remove_stale_temporary_files(folder);
}

// Formula folders hold step and chemical files written the same way. A
// full set is 999 folders of a hundred files: they are swept a few at a
// time once home is drawn. Only temporaries older than this start are
// removed, so a save in progress meanwhile keeps its own.
time_t console_started = 0;

struct formula_folder_sweep {
    DIR* dir = nullptr;
    time_t started = 0;
};

gboolean sweep_formula_folders(gpointer data)
{
    auto* sweep = static_cast<formula_folder_sweep*>(data);
    for (int folders = 0; folders < 25; ++folders) {
        dirent* entry = readdir(sweep->dir);
        if (!entry) {
            closedir(sweep->dir);
            delete sweep;
            return FALSE;
        }
        if (strstr(entry->d_name, "f-"))
            func_remove_stale_temporary_files(func_formulas_dir() + entry->d_name + "/", sweep->started);
    }
    return TRUE;
}

void start_formula_folder_sweep()
{
    DIR* dir = opendir(func_formulas_dir().c_str());
    if (!dir)
        return;
    auto* sweep = new formula_folder_sweep{dir, console_started};
    g_idle_add_full(G_PRIORITY_LOW + 10, sweep_formula_folders, sweep, nullptr);
}

void set_pointer()
{
    gdk_window = gdk_get_default_root_window();
    blank_cursor = (PC_MODE && !PC_MODE_TOUCHSCREEN) ? gdk_cursor_new(GDK_HAND2)
                                                     : gdk_cursor_new(GDK_BLANK_CURSOR);
    if (gdk_window)
        gdk_window_set_cursor(gdk_window, blank_cursor);
}

// The console's font names bound to the fonts it is installed with
// (image/lumex-fonts.conf), before anything is measured or drawn.
void bind_fonts()
{
    static bool bound = false;
    if (bound)
        return;
    const std::string path = func_image_dir() + "lumex-fonts.conf";
    if (!FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue))
        func_log_system_error("func_prepare_console", "Can't read the font bindings " + path);
    bound = true;
}

void set_toolkit_settings()
{
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return;
    gboolean touchscreen = FALSE;
    g_object_get(settings, "gtk-touchscreen-mode", &touchscreen, nullptr);
    g_object_set(settings, "gtk-touchscreen-mode", TRUE, nullptr);
    gtk_rc_parse((func_image_dir() + "lumex.gtkrc").c_str());
    g_object_set(settings, "gtk-theme-name", "ZelkaControl", nullptr);
    // Pictures on buttons are part of how operators find them.
    g_object_set(settings, "gtk-button-images", TRUE, nullptr);
}

bool allocate_records()
{
    func_create_configuration_store();
    func_create_formula_list_store();
    func_create_step_list_store();
    func_create_chemical_stores();
    func_create_post_dry_store();
    if (!func_allocate_shared_records() || !func_allocate_link_records())
        return false;
    func_allocate_password_records();
    return true;
}

void report_missing_language()
{
    // Without a display (tools, tests) no dialog can open; the error log
    // still gets the line that the error dialog would write.
    if (gdk_display_get_default())
        func_show_dialog(1, func_missing_language_text(), 1, nullptr);
    else
        func_write_log(LOG_ERROR, func_missing_language_text(), 0);
}

void load_configured_language()
{
    machine_configuration* configuration = current_machine_configuration;
    float language = configuration->items[1];
    if (language < 0.0f || language > 10.0f) {
        configuration->items[1] = 0.0f;
        language = 0.0f;
    }
    // Rounded as the file name "L%0.0f" always was.
    func_switch_language(static_cast<int>(std::nearbyint(language)));
    // Reloading the language refreshes the record from the store; keep
    // the corrected number.
    if (current_machine_configuration->items[1] < 0.0f || current_machine_configuration->items[1] > 10.0f)
        current_machine_configuration->items[1] = 0.0f;
}

// LUMEX6_QUIT_AT_HOME=1 (the start-up benchmark): no splash pauses, and
// the main loop ends once the home screen is drawn and idle.
bool quit_at_home()
{
    static const bool set = [] {
        const char* value = g_getenv("LUMEX6_QUIT_AT_HOME");
        return value && g_strcmp0(value, "1") == 0;
    }();
    return set;
}

guint splash_pause() { return quit_at_home() ? 0 : 3000; }

gboolean quit_when_idle(gpointer)
{
    gtk_main_quit();
    return FALSE;
}

void write_version_files()
{
    func_set_software_version(func_install_path("ztqbgui.ver"), CONSOLE_SOFTWARE_VERSION);
    std::string set_name = func_get_formula_set_filename(func_formulas_dir());
    if (!set_name.empty())
        func_set_software_version(func_formulas_dir() + set_name, CONSOLE_SOFTWARE_VERSION);
}
}  // namespace

int func_load_images()
{
    for (int letter = 0; letter < 26; ++letter)
        array_letters_icons[letter] = func_image_dir() + static_cast<char>('A' + letter) + ".png";
    return 1;
}

GtkWidget* func_show_splash_screen(const char* path)
{
    ui_file ui = func_load_interface_file("lumex_splash_screen.ui");
    GtkWidget* window = func_lookup_widget(ui, "win_splash_screen");
    GtkWidget* image = func_lookup_widget(ui, "img_splash");
    if (!window)
        return nullptr;
    if (!PC_MODE) {
        func_size_window_to_screen(GTK_WINDOW(window));
    } else {
        gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    }
    const std::string misc = func_splash_dir() + "misc_splash.png";
    GdkPixbuf* picture = gdk_pixbuf_new_from_file(path, nullptr);
    if (!picture && g_ascii_strcasecmp(path, misc.c_str()) != 0)
        picture = gdk_pixbuf_new_from_file((func_splash_dir() + "tarvik_splash.png").c_str(), nullptr);
    if (picture && image) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(image), picture);
    }
    if (picture)
        g_object_unref(picture);
    gtk_widget_show_all(window);
    return window;
}

void cb_func_unload_screen(GtkWidget*, gpointer window)
{
    if (window)
        gtk_widget_destroy(GTK_WIDGET(window));
}

gboolean func_timer_splash_1(gpointer splash)
{
    cb_func_unload_screen(nullptr, splash);
    splash_window = func_show_splash_screen((func_splash_dir() + "misc_splash.png").c_str());
    g_timeout_add(splash_pause(), func_timer_splash_2, splash_window);
    return FALSE;
}

gboolean func_timer_splash_2(gpointer splash)
{
    // The splash goes first: its picture is not held while home is built.
    cb_func_unload_screen(nullptr, splash);
    if (splash == splash_window)
        splash_window = nullptr;
    func_show_home_screen(nullptr, nullptr);
    ipc_sockfd = -1;
    ipc_socket_connected = 0;
    func_write_log(LOG_SYSERROR, "No connection to ipc server, attempting to restore connection!", 0);
    g_timeout_add(500, func_restore_ipc_connection, nullptr);
    func_update_clock(nullptr);
    g_timeout_add(60000, reinterpret_cast<GSourceFunc>(func_update_clock), nullptr);
    start_formula_folder_sweep();
    // Below the drawing's priority: runs once home is drawn.
    if (quit_at_home())
        g_idle_add_full(G_PRIORITY_LOW, quit_when_idle, nullptr, nullptr);
    return FALSE;
}

int func_prepare_console(int* argc, char*** argv)
{
    // Large blocks (an 800x480 picture is over a megabyte) are mapped on
    // their own and given back when freed, instead of growing the heap
    // for good once the allocator has raised its threshold.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    bind_fonts();
    gtk_init(argc, argv);
    set_toolkit_settings();
    set_pointer();
    if (!allocate_records())
        return 1;
    // Before anything reads the working folders: an import a power cut
    // interrupted is put right.
    func_recover_interrupted_set_import();
    // A change of formulas and their folders cut short is finished or dropped.
    func_finish_formula_change();
    console_started = time(nullptr);
    remove_stale_temporary_files();
    func_watch_write_failures();

    if (!func_init_language("L0"))
        report_missing_language();
    func_load_configuration_from_file();
    // A change of level unit a power cut interrupted is completed (or
    // dropped) before anything reads a formula.
    func_finish_level_unit_change();
    func_refresh_current_configuration();
    if (!current_machine_configuration) {
        func_write_log(LOG_SYSERROR, "Main : Can't load machine configuration.", 0);
        return 1;
    }
    for (int kind = 1; kind <= 3; ++kind)
        func_load_password_from_file(kind);
    *trigger = trigger_record();
    load_configured_language();
    func_load_default_chemical_names_from_file(func_get_language_number());
    func_load_chemical_valves_list_from_file();
    func_load_images();

    register_everything();
    // The other screens, and the data entry dialog, are built when first
    // shown.
    func_load_screen(SCREEN_HOME);
    write_version_files();
    return 0;
}

int func_start_up(int* argc, char*** argv)
{
    int status = func_prepare_console(argc, argv);
    if (status != 0)
        return status;
    splash_window = func_show_splash_screen((func_splash_dir() + "customer_splash.png").c_str());
    g_timeout_add(splash_pause(), func_timer_splash_1, splash_window);
    return 0;
}

int func_main(int argc, char** argv)
{
    int status = func_start_up(&argc, &argv);
    if (status != 0)
        return status;
    gtk_main();
    func_clear_old_log_file();
    return 0;
}
