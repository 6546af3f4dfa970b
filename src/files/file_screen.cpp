#include "files/file_screen.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "configuration/configuration_printout.h"
#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "files/build_switches.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/sets.h"
#include "files/update.h"
#include "files/usb_stick.h"
#include "files/version_files.h"
#include "formulas/formula_list.h"
#include "formulas/formula_printout.h"
#include "frame/dialogs.h"
#include "frame/language_switch.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "logs/log_file.h"

int file_source = FILE_SOURCE_NONE;
int file_mode = FILE_MODE_NONE;
std::string usb_dir_path;
std::string source_dir_path;

namespace {
enum file_button {
    B_CLONE, B_RENAME, B_DELETE, B_IMPORT, B_EXPORT, B_PRINT, B_HOME,
    B_MOUNT, B_USB, B_HD, B_FOLDER, B_FORMULAS, B_CONFIGURATIONS, B_UPDATE
};
constexpr int LIST_WIDTH = 180, LIST_HEIGHT = 270, LIST1_HEIGHT = 65;
constexpr int ROW_WIDTH = LIST_WIDTH - 5;
// Language slots.
constexpr int SLOT_FORMULA = 186, SLOT_CONFIGURATION = 177, SLOT_UPDATE = 173;
constexpr int SLOT_USB_READY = 176, SLOT_INSERT_USB = 381, SLOT_PLEASE_WAIT = 380;
constexpr int SLOT_CHOOSE_FOLDER = 307, SLOT_OPEN_CHOOSER = 308, SLOT_SELECT_FOLDER = 182;
constexpr int SLOT_INSTALLED_VERSION = 324, SLOT_DELETE = 279, SLOT_VERSION_REFUSED = 399;
constexpr int SLOT_NOT_AN_UPDATE = 320, SLOT_CHOOSE_NEWER = 321;
constexpr int SLOT_DEFAULT_SET = 907, SLOT_MACHINE = 912;
constexpr int SLOT_ASK_REPLACE = 908, SLOT_ASK_UPDATE = 909;
constexpr int SLOT_ASK_PRINT_FORMULAS = 910, SLOT_ASK_PRINT_CONFIGURATION = 911;
// The questions.
constexpr int DIALOG_DELETE = 12, DIALOG_UPDATE = 16, DIALOG_FOLDER = 21;
constexpr int DIALOG_PRINT_FORMULAS = 30, DIALOG_PRINT_CONFIGURATION = 31;
constexpr int DIALOG_REPLACE = DIALOG_KIND_OWN_QUESTIONS + 1;
constexpr int USB_CHECK_MS = 2000;

std::vector<std::string> left_entries;
std::string machine_entry;
// The operator took the stick out of use: it is not mounted again until
// it has been pulled out.
bool usb_released = false;
guint usb_timer = 0;
folder_chooser chooser = nullptr;
std::string pending_update;

display_data& file_record() { return preloaded_display[SCREEN_FILE]; }
GtkWidget* file_button_widget(int index) { return file_record().buttons[index]; }
bool file_shown() { return func_current_screen_code() == SCREEN_FILE; }
page_list_info& sources_list() { return page_info[SCREEN_FILE].list; }
page_list_info& machine_list() { return page_info[SCREEN_FILE].list1; }
int item_slot() { return file_mode == FILE_MODE_CONFIGURATIONS ? SLOT_CONFIGURATION : SLOT_FORMULA; }
bool formulas_mode() { return file_mode != FILE_MODE_CONFIGURATIONS; }

void set_sensitive(int index, bool sensitive)
{
    if (GtkWidget* widget = file_button_widget(index))
        gtk_widget_set_sensitive(widget, sensitive);
}

std::string text_of(int first, int second = -1, const std::string& middle = "")
{
    std::string text = p[first];
    if (!middle.empty())
        text += " " + middle;
    if (second >= 0)
        text += " " + p[second];
    return text;
}

bool ends_with(const std::string& name, const char* end)
{
    const size_t length = std::char_traits<char>::length(end);
    return name.size() >= length && name.compare(name.size() - length, length, end) == 0;
}

// Plain files of folder whose names pass `wanted`, in byte order; links,
// folders and names no label could show are left out.
std::vector<std::string> plain_files(const std::string& folder, bool (*wanted)(const std::string&))
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat status;
        if (!wanted(name) || lstat((folder + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        if (!func_set_name_acceptable(name)) {
            func_log_system_error("func_display_file", "Left out " + folder + ": a name no list can show");
            continue;
        }
        names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool is_printout(const std::string& name) { return ends_with(name, ".txt"); }
bool is_update_package(const std::string& name)
{
    const std::string version = func_update_package_version(name);
    return !version.empty() && func_ok_to_update(version);
}

bool stick_mounted() { return !PC_MODE && func_usb_state() == usb_state::mounted; }

// The sets (or packages) of the source, and the printouts on a stick.
std::vector<std::string> source_entries()
{
    if (source_dir_path.empty() || (!PC_MODE && file_source == FILE_SOURCE_USB && !stick_mounted()))
        return {};
    std::vector<std::string> entries;
    if (file_mode == FILE_MODE_UPDATE) {
        for (const std::string& name : plain_files(source_dir_path, is_update_package))
            entries.push_back(name.substr(0, name.size() - 4));
    } else {
        entries = formulas_mode() ? func_list_formula_sets(source_dir_path)
                                  : func_list_configuration_sets(source_dir_path);
    }
    if (file_source == FILE_SOURCE_USB && file_mode != FILE_MODE_UPDATE)
        for (const std::string& name : plain_files(source_dir_path, is_printout))
            entries.push_back(name);
    return entries;
}

std::string working_set_name()
{
    if (file_mode == FILE_MODE_UPDATE)
        return CONSOLE_SOFTWARE_VERSION;
    const std::string name = formulas_mode() ? func_get_formula_set_filename(func_formulas_dir())
                                             : func_get_configuration_set_filename(func_configuration_dir());
    if (!name.empty())
        return func_remove_filename_extension(name);
    return formulas_mode() ? p[SLOT_DEFAULT_SET] : p[SLOT_CONFIGURATION];
}

std::string row_picture(int, const std::string& text)
{
    if (is_printout(text))
        return "icon_printer_22.png";
    if (file_mode == FILE_MODE_UPDATE)
        return "icon_update_22.png";
    return formulas_mode() ? "icon_formula_22.png" : "icon_configuration_22.png";
}

std::string machine_picture(int, const std::string&)
{
    return file_mode == FILE_MODE_UPDATE ? "icon_update_22.png"
                                         : (formulas_mode() ? "icon_formula_22.png" : "icon_configuration_22.png");
}

std::string selected(const list_page& list)
{
    GtkWidget* row = func_selected_row_button(list, 0);
    return row ? func_get_widget_label_text(row) : std::string();
}

void show_source_picture()
{
    const char* picture = "icon_folder_128.png";
    if (file_source == FILE_SOURCE_HD)
        picture = "icon_harddrive_128.png";
    else if (file_source == FILE_SOURCE_USB && !PC_MODE)
        picture = stick_mounted() ? "icon_usb_mount_128.png" : "icon_usb_unmount_128.png";
    func_set_image_icon(file_record().labels[0], (func_image_dir() + picture).c_str());
}

void show_usb_state()
{
    if (PC_MODE || file_source != FILE_SOURCE_USB)
        return;
    const bool mounted = stick_mounted();
    func_set_button_icon(file_button_widget(B_MOUNT),
                         (func_image_dir() + (mounted ? "icon_unmount_usb_48.png" : "icon_mount_usb_48.png")).c_str(),
                         ICON_TOP);
    gtk_widget_set_sensitive(file_button_widget(B_MOUNT), mounted || func_usb_state() == usb_state::inserted);
    func_show_message(5, p[mounted ? SLOT_USB_READY : SLOT_INSERT_USB]);
}

void show_title()
{
    const int slot = file_mode == FILE_MODE_UPDATE ? SLOT_UPDATE : item_slot();
    if (options_display->lbl_active_item)
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[slot].c_str());
    // The machine column holds the working set, or in update mode the version running.
    if (options_display->labels[1])
        gtk_label_set_text(GTK_LABEL(options_display->labels[1]),
                           p[file_mode == FILE_MODE_UPDATE ? SLOT_INSTALLED_VERSION : SLOT_MACHINE].c_str());
}

// What the buttons allow with the rows pressed.
void follow_selection()
{
    const bool left = sources_list().pressed_row >= 0;
    const bool right = machine_list().pressed_row >= 0;
    const bool sets = file_mode != FILE_MODE_UPDATE;
    const bool own_source = file_source != FILE_SOURCE_HD;
    set_sensitive(B_CLONE, left && sets && own_source);
    set_sensitive(B_DELETE, left && sets && own_source);
    set_sensitive(B_RENAME, sets && ((left && own_source) || right));
    set_sensitive(B_IMPORT, left);
    set_sensitive(B_EXPORT, right && sets && !source_dir_path.empty());
}

// Called before the list records the press.
void left_row_pressed(int row, gpointer)
{
    sources_list().pressed_row = row;
    machine_list().pressed_row = -1;
    follow_selection();
}

void right_row_pressed(int row, gpointer)
{
    machine_list().pressed_row = row;
    sources_list().pressed_row = -1;
    follow_selection();
}

// The result of a set operation told: "<Formula> copied." or the failure
// with its reason.
void tell(const set_result& result, int done_slot, int failed_slot)
{
    if (result.ok) {
        func_show_dialog(2, text_of(item_slot(), done_slot), 1, nullptr);
        return;
    }
    if (result.status == set_status::version_refused) {
        func_show_dialog(1, "[" + result.detail + "] \n   " + p[SLOT_VERSION_REFUSED], 1, nullptr);
        return;
    }
    std::string text = text_of(item_slot(), failed_slot, result.detail);
    if (result.message_slot >= 0 && result.message_slot != failed_slot)
        text += "\n" + p[result.message_slot];
    func_show_dialog(1, text, 1, nullptr);
}

void redraw_and_tell(const set_result& result, int done_slot, int failed_slot)
{
    func_display_file_test();
    tell(result, done_slot, failed_slot);
}

void wait_for(int operation_slot) { func_show_wait_dialog(operation_slot, item_slot()); }

// --- what the dialogs' answers do ---------------------------------------------------

void delete_confirmed(gpointer)
{
    func_close_active_dialog();
    const std::string name = selected(file_sources_page);
    if (!file_shown() || name.empty())
        return;
    wait_for(285);
    const set_result result = formulas_mode() ? func_delete_formulas_set(source_dir_path, name)
                                              : func_delete_configuration_set(source_dir_path, name);
    func_close_active_dialog();
    sources_list().pressed_row = -1;
    func_display_file_test();
    if (!result.ok)
        tell(result, 285, 285);
}

set_result export_working_set(bool replace)
{
    wait_for(310);
    const set_result result = formulas_mode() ? func_export_formulas_set(source_dir_path, replace)
                                              : func_export_configuration_set(source_dir_path, replace);
    func_close_active_dialog();
    return result;
}

void replace_confirmed(gpointer)
{
    func_close_active_dialog();
    if (file_shown())
        redraw_and_tell(export_working_set(true), 318, 319);
}

void update_confirmed(gpointer)
{
    func_close_active_dialog();
    if (!file_shown() || pending_update.empty())
        return;
    func_show_dialog(17, p[302] + ",  " + p[SLOT_PLEASE_WAIT], 1, nullptr);
    const update_result result =
        func_process_update(pending_update, source_dir_path, [] { func_close_active_dialog(); });
    func_close_active_dialog();
    if (result.outcome == update_outcome::handed_over) {
        // The updater runs in the console's place.
        if (gtk_main_level() > 0)
            gtk_main_quit();
        return;
    }
    func_show_dialog(result.dialog_kind, func_update_message(result), 1, nullptr);
}

void print_confirmed(gpointer data)
{
    func_close_active_dialog();
    if (!file_shown())
        return;
    const bool configuration = GPOINTER_TO_INT(data) == 1;
    func_show_dialog(17, text_of(configuration ? SLOT_CONFIGURATION : SLOT_FORMULA, SLOT_PLEASE_WAIT), 1, nullptr);
    const std::string fallback = func_get_widget_label_text(file_machine_page.button(0, 0));
    const print_result result = configuration ? func_print_configuration(source_dir_path, fallback)
                                              : func_print_all_formulas(source_dir_path, fallback);
    func_close_active_dialog();
    func_display_file_test();
    func_show_dialog(result.dialog_kind, result.message, 1, nullptr);
}

std::string choose_with_toolkit(const std::string& start)
{
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        p[SLOT_SELECT_FOLDER].c_str(), GTK_WINDOW(file_record().window), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER,
        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), start.empty() ? g_get_home_dir() : start.c_str());
    // Its natural size is wider than the console's screen: keep it inside,
    // whether or not a window manager places it.
    gtk_widget_show(dialog);
    gtk_window_resize(GTK_WINDOW(dialog), 760, 440);
    gtk_window_move(GTK_WINDOW(dialog), 20, 20);
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT)
        if (gchar* folder = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
            chosen = folder;
            g_free(folder);
        }
    gtk_widget_destroy(dialog);
    return chosen;
}

// The pressed source stays marked, also after a dialog took the pointer.
void show_source_buttons()
{
    const int marked = file_source == FILE_SOURCE_FOLDER ? 2 : file_source;
    for (int index : {B_USB, B_HD, B_FOLDER})
        if (GtkWidget* widget = file_button_widget(index))
            gtk_widget_set_state(widget, index - B_USB == marked ? GTK_STATE_ACTIVE : GTK_STATE_NORMAL);
}

// The folder itself is the source, and stays it for the session.
void folder_question_answered(gpointer)
{
    func_close_active_dialog();
    const std::string chosen = (chooser ? chooser : choose_with_toolkit)(usb_dir_path);
    if (!chosen.empty())
        usb_dir_path = chosen.back() == '/' ? chosen : chosen + "/";
    func_show_message(5, usb_dir_path.empty() ? p[SLOT_CHOOSE_FOLDER] : usb_dir_path);
    func_display_file_test();
    show_source_buttons();
}

void rename_saved(const item_save& save)
{
    const std::string old_name = save.old_text, new_name = save.text;
    if (new_name == old_name || new_name.empty())
        return;
    wait_for(210);
    set_result result;
    if (save.code == 19)
        result = formulas_mode() ? func_rename_formulas_set(source_dir_path, old_name, new_name)
                                 : func_rename_configuration_set(source_dir_path, old_name, new_name);
    else
        result = formulas_mode() ? func_rename_system_formulas_set(old_name, new_name)
                                 : func_rename_system_configuration_set(old_name, new_name);
    func_close_active_dialog();
    sources_list().pressed_row = machine_list().pressed_row = -1;
    redraw_and_tell(result, 211, 212);
}

// Imported data is what the console works with from now on.
void take_imported_data()
{
    if (formulas_mode()) {
        func_load_formula_list_from_file();
        return;
    }
    const int language = func_get_language_number();
    func_load_configuration_from_file();
    if (func_get_language_number() != language)
        func_switch_language(func_get_language_number());
}

void stop_usb_check()
{
    if (usb_timer)
        g_source_remove(usb_timer);
    usb_timer = 0;
}

void show_file()
{
    if (!func_begin_screen_show(SCREEN_FILE, -1))
        return;
    options_display->list_width1 = LIST_WIDTH;
    options_display->list_height1 = LIST1_HEIGHT;
    sources_list().pressed_row = machine_list().pressed_row = -1;
    file_source = FILE_SOURCE_NONE;
    file_mode = FILE_MODE_NONE;
    if (PC_MODE) {
        gtk_widget_hide(file_button_widget(B_MOUNT));
        gtk_widget_set_no_show_all(file_button_widget(B_MOUNT), TRUE);
        gtk_widget_hide(file_button_widget(B_USB));
        gtk_widget_set_no_show_all(file_button_widget(B_USB), TRUE);
    }
    func_end_screen_show(SCREEN_FILE);
    func_toggle_file_mode(file_button_widget(B_FORMULAS), GINT_TO_POINTER(FILE_MODE_FORMULAS));
    func_toggle_file_source(nullptr, GINT_TO_POINTER(PC_MODE ? FILE_SOURCE_FOLDER : FILE_SOURCE_USB));
    if (!PC_MODE) {
        stop_usb_check();
        usb_timer = g_timeout_add(USB_CHECK_MS, func_check_4_usb_drive_insert, nullptr);
    }
}
}  // namespace

namespace {
// The sets of the source (four rows) or the console's own set (one row).
list_page file_list(bool second)
{
    list_page list;
    list.rows = second ? 1 : 4;
    list.row_height = 55;
    list.row_spacing = 10;
    list.fixed_height = true;
    list.second = second;
    list_column name{second ? "btn_file_selections_name1_#" : "btn_file_selections_name_#", ROW_WIDTH, nullptr,
                     nullptr,
                     second ? G_CALLBACK(func_show_button_pressed_state_static1_test)
                            : G_CALLBACK(func_show_button_pressed_state_static_test),
                     true};
    name.ellipsize = true;
    name.picture = second ? machine_picture : row_picture;
    list.columns = {name};
    list.number_column = -1;
    list.name_column = 0;
    if (!second)
        list.selection_buttons = {B_CLONE, B_RENAME, B_DELETE};
    list.after_row_press = second ? right_row_pressed : left_row_pressed;
    list.redraw = func_display_file_test;
    return list;
}
}  // namespace

list_page file_sources_page = file_list(false);
list_page file_machine_page = file_list(true);

void func_register_file_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_FILE, "file", "lumex_import_export_screen1.ui", "win_import_export", LIST_WIDTH,
                             LIST_HEIGHT, func_load_file_screen, show_file, func_display_file_test);
    screen.buttons = {"btn_clone_file", "btn_rename_file", "btn_delete_file", "btn_import",
                      "btn_export",     "btn_print",       "btn_home",        "btn_mount_unmount",
                      "btn_usb",        "btn_hd",          "btn_folder",      "btn_formulas",
                      "btn_configurations", "btn_update"};
    screen.list = &file_sources_page;
    screen.list1 = &file_machine_page;
    screen.home_button = "btn_file";
    screen.password_item = 44;
    func_register_screen(screen);
    func_register_item_action(19, rename_saved);
    func_register_item_action(20, rename_saved);
    func_register_dialog_action(DIALOG_DELETE, 0, delete_confirmed);
    func_register_dialog_action(DIALOG_UPDATE, 0, update_confirmed);
    func_register_dialog_action(DIALOG_FOLDER, 0, folder_question_answered);
    func_register_dialog_action(DIALOG_PRINT_FORMULAS, 0, print_confirmed);
    func_register_dialog_action(DIALOG_PRINT_CONFIGURATION, 0, print_confirmed);
    func_register_dialog_action(DIALOG_REPLACE, 0, replace_confirmed);
}

void func_load_file_screen(const ui_file& ui, display_data& record)
{
    record.evb_options_list1 = func_lookup_widget(ui, "evb_options_list1");
    record.vwp_options_list1 = func_lookup_widget(ui, "vwp_options_list1");
    record.tbl_options_list1 = func_lookup_widget(ui, "tbl_options_list1");
    record.lbl_page_info1 = func_lookup_widget(ui, "lbl_page_info1");
    record.evb_page_info1 = func_lookup_widget(ui, "evb_page_info1");
    record.btn_page_up1 = func_lookup_widget(ui, "btn_page_up1");
    record.btn_page_down1 = func_lookup_widget(ui, "btn_page_down1");
    record.labels[0] = func_lookup_widget(ui, "img_active_source");
    record.labels[1] = func_lookup_widget(ui, "lbl_machine");
    record.list_width1 = LIST_WIDTH;
    record.list_height1 = LIST1_HEIGHT;
    const struct {
        int index;
        GCallback handler;
        int data;
    } connections[] = {
        {B_CLONE, G_CALLBACK(func_clone_file), 0},
        {B_RENAME, G_CALLBACK(func_rename_file), 0},
        {B_DELETE, G_CALLBACK(func_confirm_delete_file), 0},
        {B_IMPORT, G_CALLBACK(func_import_file), 0},
        {B_EXPORT, G_CALLBACK(func_export_file), 0},
        {B_PRINT, G_CALLBACK(func_print_formula_configuration), 0},
        {B_HOME, G_CALLBACK(func_unload_file_screen), 0},
        {B_MOUNT, G_CALLBACK(func_mount_unmount_usb), 0},
        {B_USB, G_CALLBACK(func_toggle_file_source), FILE_SOURCE_USB},
        {B_HD, G_CALLBACK(func_toggle_file_source), FILE_SOURCE_HD},
        {B_FOLDER, G_CALLBACK(func_toggle_file_source), FILE_SOURCE_FOLDER},
        {B_FORMULAS, G_CALLBACK(func_toggle_file_mode), FILE_MODE_FORMULAS},
        {B_CONFIGURATIONS, G_CALLBACK(func_toggle_file_mode), FILE_MODE_CONFIGURATIONS},
        {B_UPDATE, G_CALLBACK(func_toggle_file_mode), FILE_MODE_UPDATE},
    };
    for (const auto& connection : connections)
        func_connect_released(record.buttons[connection.index], connection.handler,
                              GINT_TO_POINTER(connection.data));
    func_connect_page_buttons(record, G_CALLBACK(func_show_page_info_test));
    func_connect_released(record.btn_page_up1, G_CALLBACK(func_show_page_info1_test), nullptr);
    func_connect_released(record.btn_page_down1, G_CALLBACK(func_show_page_info1_test), nullptr);
}

void func_set_folder_chooser(folder_chooser given) { chooser = given; }

void func_show_file_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_FILE); }

void func_display_file_test()
{
    if (!file_shown())
        return;
    if (file_mode == FILE_MODE_UPDATE && !PC_MODE)
        file_source = FILE_SOURCE_USB;
    if (!PC_MODE && file_source == FILE_SOURCE_USB)
        usb_dir_path = stick_mounted() ? func_usb_folder() : std::string();
    source_dir_path = file_source == FILE_SOURCE_HD ? func_hd_dir() : usb_dir_path;
    if (file_source == FILE_SOURCE_HD)
        func_create_directory(source_dir_path);

    left_entries = source_entries();
    func_build_list_page(file_sources_page, static_cast<int>(left_entries.size()),
                         [](int item, int) { return left_entries[static_cast<size_t>(item)]; });
    for (int row = 0; row < sources_list().rows_shown; ++row)
        if (GtkWidget* button = file_sources_page.button(0, row))
            gtk_widget_set_sensitive(button, !is_printout(func_get_widget_label_text(button)));
    machine_entry = working_set_name();
    func_build_list_page(file_machine_page, 1, [](int, int) { return machine_entry; });
    if (file_mode == FILE_MODE_UPDATE)
        gtk_widget_set_sensitive(file_machine_page.button(0, 0), FALSE);
    show_title();
    show_source_picture();
    show_usb_state();
    follow_selection();
    const bool sets = file_mode != FILE_MODE_UPDATE;
    set_sensitive(B_PRINT, sets && !source_dir_path.empty());
    set_sensitive(B_HD, sets);
    set_sensitive(B_FOLDER, sets || PC_MODE);
}

void func_toggle_file_source(GtkWidget*, gpointer data)
{
    int source = GPOINTER_TO_INT(data);
    if (source != FILE_SOURCE_USB && source != FILE_SOURCE_HD)
        source = FILE_SOURCE_FOLDER;
    if (source == file_source && !PC_MODE)
        return;
    file_source = source;
    show_source_buttons();
    sources_list().pressed_row = machine_list().pressed_row = -1;
    func_display_file_test();
    if (source == FILE_SOURCE_FOLDER)
        func_show_message(5, usb_dir_path.empty() ? p[SLOT_CHOOSE_FOLDER] : usb_dir_path);
    if (source == FILE_SOURCE_FOLDER && PC_MODE)
        func_show_dialog(DIALOG_FOLDER, p[SLOT_CHOOSE_FOLDER] + "   \n\n   " + p[SLOT_OPEN_CHOOSER], 1, nullptr);
}

void func_toggle_file_mode(GtkWidget*, gpointer data)
{
    const int mode = GPOINTER_TO_INT(data);
    if (mode == file_mode)
        return;
    file_mode = mode;
    for (int index : {B_FORMULAS, B_CONFIGURATIONS, B_UPDATE})
        if (GtkWidget* widget = file_button_widget(index))
            gtk_widget_set_state(widget, index - B_FORMULAS == mode ? GTK_STATE_ACTIVE : GTK_STATE_NORMAL);
    sources_list().pressed_row = machine_list().pressed_row = -1;
    if (mode == FILE_MODE_UPDATE && !PC_MODE && file_source != FILE_SOURCE_USB) {
        func_toggle_file_source(nullptr, GINT_TO_POINTER(FILE_SOURCE_USB));
        return;
    }
    func_display_file_test();
}

void func_unload_file_screen(GtkWidget*, gpointer)
{
    stop_usb_check();
    // The stick may be pulled out once the screen is left.
    if (!PC_MODE && stick_mounted() && !func_unmount_usb_stick())
        func_show_dialog(1, p[SLOT_INSERT_USB], 1, nullptr);
    func_show_screen(SCREEN_HOME);
}

void func_clone_file(GtkWidget*, gpointer)
{
    const std::string name = selected(file_sources_page);
    if (name.empty() || file_mode == FILE_MODE_UPDATE)
        return;
    wait_for(288);
    const set_result result = formulas_mode()
                                  ? func_copy_formulas_set(source_dir_path, name, name + "[C]")
                                  : func_copy_configuration_set(source_dir_path, name, name + "[C]");
    func_close_active_dialog();
    sources_list().pressed_row = -1;
    redraw_and_tell(result, 322, 323);
}

void func_rename_file(GtkWidget*, gpointer)
{
    if (GtkWidget* left = func_selected_row_button(file_sources_page, 0))
        func_show_data_entry_dialog(left, GINT_TO_POINTER(19));
    else if (GtkWidget* right = func_selected_row_button(file_machine_page, 0))
        func_show_data_entry_dialog(right, GINT_TO_POINTER(20));
}

void func_confirm_delete_file(GtkWidget*, gpointer)
{
    const std::string name = selected(file_sources_page);
    if (!name.empty())
        func_show_dialog(DIALOG_DELETE, p[SLOT_DELETE] + " " + name + " ?", 1, nullptr);
}

void func_import_file(GtkWidget*, gpointer)
{
    const std::string name = selected(file_sources_page);
    if (name.empty())
        return;
    if (file_mode == FILE_MODE_UPDATE) {
        const std::string version = func_update_package_version(name + ".upt");
        if (version.empty() || !func_ok_to_update(version)) {
            func_show_dialog(3, p[SLOT_NOT_AN_UPDATE] + " : " + name + "   \n   " + p[SLOT_CHOOSE_NEWER], 1, nullptr);
            return;
        }
        pending_update = version;
        func_show_dialog(DIALOG_UPDATE, p[SLOT_ASK_UPDATE] + " " + version + " ?", 1, nullptr);
        return;
    }
    wait_for(309);
    const set_result result = formulas_mode() ? func_import_formulas_set(source_dir_path, name, false)
                                              : func_import_configuration_set(source_dir_path, name, false);
    func_close_active_dialog();
    if (result.ok)
        take_imported_data();
    sources_list().pressed_row = -1;
    redraw_and_tell(result, 316, 317);
}

void func_export_file(GtkWidget*, gpointer)
{
    if (!func_selected_row_button(file_machine_page, 0) || file_mode == FILE_MODE_UPDATE)
        return;
    const set_result result = export_working_set(false);
    if (result.status == set_status::already_exists) {
        func_show_dialog(DIALOG_REPLACE, p[SLOT_ASK_REPLACE] + " " + result.detail + " ?", 1, nullptr);
        return;
    }
    machine_list().pressed_row = -1;
    redraw_and_tell(result, 318, 319);
}

void func_print_formula_configuration(GtkWidget*, gpointer)
{
    if (file_mode == FILE_MODE_CONFIGURATIONS)
        func_show_dialog(DIALOG_PRINT_CONFIGURATION, p[SLOT_ASK_PRINT_CONFIGURATION], 1, GINT_TO_POINTER(1));
    else
        func_show_dialog(DIALOG_PRINT_FORMULAS, p[SLOT_ASK_PRINT_FORMULAS], 1, GINT_TO_POINTER(0));
}

void func_mount_unmount_usb(GtkWidget*, gpointer)
{
    if (PC_MODE)
        return;
    if (stick_mounted()) {
        if (func_unmount_usb_stick())
            usb_released = true;
        else
            func_show_dialog(1, p[SLOT_USB_READY], 1, nullptr);
    } else {
        usb_released = false;
        if (!func_mount_usb_stick())
            func_show_dialog(1, p[SLOT_INSERT_USB], 1, nullptr);
    }
    sources_list().pressed_row = -1;
    func_display_file_test();
}

gboolean func_check_4_usb_drive_insert(gpointer)
{
    if (!file_shown()) {
        usb_timer = 0;
        return FALSE;
    }
    const usb_state state = func_usb_state();
    if (state == usb_state::absent)
        usb_released = false;
    const bool was_listed = !usb_dir_path.empty();
    if (state == usb_state::inserted && !usb_released)
        func_mount_usb_stick();
    const bool listed = func_usb_state() == usb_state::mounted;
    if (file_source == FILE_SOURCE_USB && listed != was_listed)
        func_display_file_test();
    else if (file_source == FILE_SOURCE_USB)
        show_usb_state();
    return TRUE;
}
