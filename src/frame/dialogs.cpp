#include "frame/dialogs.h"
#include "frame/palette.h"

#include <cstdio>
#include <map>
#include <vector>

#include "files/write_failures.h"
#include "frame/screen_table.h"
#include "link/run_state.h"

#include "files/paths.h"
#include "frame/app_state.h"
#include "files/build_switches.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "logs/log_file.h"

GtkWidget* dialog_window = nullptr;
GtkWidget* dialog_window_message = nullptr;

namespace {
int shown_kind = -1;
}

// --- message bar -----------------------------------------------------------------

namespace {
GtkWidget* run_message_label = nullptr;
GtkWidget* run_message_box = nullptr;
GtkWidget* entry_message_label = nullptr;
GtkWidget* entry_message_box = nullptr;

struct message_style {
    GtkWidget* label;
    GtkWidget* box;
    const char* text_color;  // null: unchanged
    const char* background;  // null: unchanged
};

message_style style_for_kind(int kind)
{
    display_data& shown = *options_display;
    switch (kind) {
    case 1: return {shown.lbl_message_bar, shown.evb_message_bar, LUMEX_ERROR_TEXT, LUMEX_ERROR_BACKGROUND};
    case 6: return {shown.lbl_page_info, shown.evb_page_info, LUMEX_NUMBER_TEXT, LUMEX_BAR_BACKGROUND};
    case 7: return {shown.lbl_page_info1, shown.evb_page_info1, LUMEX_NUMBER_TEXT, LUMEX_BAR_BACKGROUND};
    case 19:
        if (shown.screen_code == SCREEN_ERROR_INFO)
            return {shown.lbl_active_item, shown.evb_active_item, LUMEX_ALARM_TITLE_TEXT, LUMEX_ALARM_TITLE_BACKGROUND};
        return {shown.lbl_active_item, nullptr, LUMEX_ALARM_TEXT, nullptr};
    case 26: return {shown.labels[4], nullptr, nullptr, nullptr};
    case 27: return {shown.labels[5], nullptr, nullptr, nullptr};
    case 28: return {shown.labels[6], nullptr, nullptr, nullptr};
    default: break;
    }
    if (kind == 8)
        return {run_message_label, run_message_box, LUMEX_PLAIN_TEXT, LUMEX_BAR_BACKGROUND};
    if (kind >= 32) {
        if (kind == 32)
            return {entry_message_label, entry_message_box, LUMEX_NUMBER_TEXT, LUMEX_BAR_BACKGROUND};
        if (kind == 33)
            return {entry_message_label, entry_message_box, LUMEX_ERROR_TEXT, LUMEX_ERROR_BACKGROUND};
        return {entry_message_label, entry_message_box, LUMEX_PLAIN_TEXT, LUMEX_BAR_BACKGROUND};
    }
    return {shown.lbl_message_bar, shown.evb_message_bar, LUMEX_PLAIN_TEXT, LUMEX_BAR_BACKGROUND};
}
}  // namespace

void func_register_message_label(int kind, GtkWidget* label, GtkWidget* box)
{
    if (kind == 8) {
        run_message_label = label;
        run_message_box = box;
    } else if (kind >= 32) {
        entry_message_label = label;
        entry_message_box = box;
    }
}

void func_show_message(int kind, const char* text)
{
    if (!options_display)
        return;
    message_style style = style_for_kind(kind);
    if (!style.label || !GTK_IS_LABEL(style.label))
        return;
    gtk_label_set_text(GTK_LABEL(style.label), text ? text : "");
    func_set_widget_font_and_color(style.label, nullptr, style.text_color, nullptr, nullptr);
    if (style.background) {
        GtkWidget* parent = style.box ? style.box : gtk_widget_get_parent(style.label);
        func_set_widget_font_and_color(style.label, nullptr, nullptr, style.background, parent);
    }
}

// --- dialogs ---------------------------------------------------------------------

namespace {

// A dialog button: picture and size.
struct dialog_button {
    const char* picture;
    int width, height;
};

enum icon_kind { ICON_NONE, ICON_STOCK, ICON_PICTURE, ICON_ANIMATION };

struct dialog_kind {
    const char* background;
    int title_slot;  // -1: undecorated, no title
    bool decorated;
    icon_kind icon;
    const char* icon_name;  // stock id or picture file
    dialog_button buttons[2];
    bool writes_error_log;
};

// The dialog shown reports data that could not be saved: it stays until
// the operator has seen it, whatever else asks to close dialogs.
bool reporting_failures = false;
struct deferred_dialog {
    int kind;
    std::string message;
    int modal;
    gpointer data;
};
std::vector<deferred_dialog> deferred;

void close_action(gpointer)
{
    reporting_failures = false;
    func_close_active_dialog();
    if (!deferred.empty()) {
        const deferred_dialog next = deferred.front();
        deferred.erase(deferred.begin());
        func_show_dialog(next.kind, next.message, next.modal, next.data);
    }
}

// Button actions registered by the subsystems that own them, by kind and
// button; a button nobody registered closes the dialog.
std::map<std::pair<int, int>, dialog_action> registered_actions;

dialog_action action_of(int kind, int button)
{
    auto found = registered_actions.find({kind, button});
    return found == registered_actions.end() ? close_action : found->second;
}

constexpr int SLOT_NOT_SAVED = 900;

const char* const ORANGE = LUMEX_WARNING_BACKGROUND;
const char* const BLUE = LUMEX_QUESTION_BACKGROUND;

constexpr dialog_button OK = {"icon_yes.png", 60, 60};
constexpr dialog_button NO = {"icon_close_32.png", 60, 60};
constexpr dialog_button NONE = {nullptr, 0, 0};

dialog_kind question(bool decorated = true)
{
    return {BLUE, 178, decorated, ICON_STOCK, GTK_STOCK_DIALOG_QUESTION, {OK, NO}, false};
}

// The look of each kind; what the buttons do is registered by their owners.
dialog_kind kind_table(int kind)
{
    switch (kind) {
    case 1:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_ERROR, {{"icon_no.png", 60, 60}, NONE}, true};
    case 3:
        return {ORANGE, 180, true, ICON_STOCK, GTK_STOCK_DIALOG_WARNING, {OK, NONE}, false};
    case 4:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_ERROR,
                {{"icon_signal_cancel.png", 70, 70}, {"icon_help_32.png", 100, 70}}, true};
    case 9:
        return {ORANGE, -1, false, ICON_PICTURE, "icon_signal_on.png", {{"icon_signal_cancel.png", 70, 70}, NONE},
                false};
    case 10: case 11: case 12: case 13: case 16: case 21: case 23: case 24: case 25: case 30: case 31:
        return question();
    case 14:
        return {ORANGE, -1, false, ICON_STOCK, GTK_STOCK_DIALOG_WARNING, {NONE, NONE}, false};
    case 15:
        return question(false);
    case 17:
    case 18:
        return {LUMEX_WAIT_BACKGROUND, -1, false, ICON_ANIMATION, "loading.gif", {NONE, NONE}, false};
    case 20:
        return {BLUE, -1, false, ICON_STOCK, GTK_STOCK_DIALOG_QUESTION,
                {{"icon_play_32.png", 60, 60}, {"icon_stop_32.png", 60, 60}}, false};
    case 22:
        return {ORANGE, 179, false, ICON_STOCK, GTK_STOCK_DIALOG_ERROR,
                {{"icon_play_32.png", 70, 70}, {"icon_stop_32.png", 70, 70}}, true};
    case 29:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_WARNING, {{"icon_yes.png", 60, 60}, NONE}, false};
    default:
        // A screen's own question: a free kind whose answer it registered.
        if (kind >= DIALOG_KIND_OWN_QUESTIONS && registered_actions.count({kind, 0}))
            return question();
        return {BLUE, 181, true, ICON_STOCK, GTK_STOCK_DIALOG_INFO, {OK, NONE}, false};
    }
}

GtkWidget* make_dialog_button(const dialog_button& shape, dialog_action action, gpointer data)
{
    GtkWidget* button = gtk_button_new_with_label("");
    gtk_widget_set_size_request(button, shape.width, shape.height);
    func_set_button_icon(button, (func_image_dir() + shape.picture).c_str(), 2);
    g_signal_connect_swapped(button, "released", G_CALLBACK(action), data);
    return button;
}
}  // namespace

void func_register_dialog_action(int kind, int button, dialog_action action)
{
    registered_actions[{kind, button}] = action ? action : close_action;
}

void func_show_not_found(int item_slot, int number)
{
    char text[512];
    snprintf(text, sizeof text, "%s %03d %s", p[item_slot].c_str(), number, p[287].c_str());
    func_show_dialog(3, text, 1, nullptr);
}

int func_get_dialog_title_slot(int kind)
{
    dialog_kind shape = kind_table(kind);
    return shape.decorated ? shape.title_slot : -1;
}

void func_unload_dialog(GtkWidget* dialog)
{
    if (!dialog)
        return;
    if (dialog == dialog_window) {
        shown_kind = -1;
        reporting_failures = false;
    }
    if (dialog_window_message) {
        g_object_unref(dialog_window_message);
        dialog_window_message = nullptr;
    }
    gtk_widget_destroy(dialog);
    if (dialog == dialog_window)
        dialog_window = nullptr;
}

void func_close_active_dialog()
{
    func_run_pending_events();
    if (dialog_window && !reporting_failures)
        func_unload_dialog(dialog_window);
    func_run_pending_events();
}

void func_show_wait_dialog(int operation_slot, int item_slot)
{
    func_show_dialog(17, p[operation_slot] + " " + p[item_slot] + ", " + p[380], 1, nullptr);
}

void func_show_dialog(int kind, const char* message, int modal, gpointer data)
{
    if (reporting_failures) {
        // A wait dialog would hide the report; anything else follows it.
        if (kind != 17 && kind != 18)
            deferred.push_back({kind, message ? message : "", modal, data});
        return;
    }
    func_close_active_dialog();
    shown_kind = kind;
    if (manual_mode)
        manual_mode = 0;  // leaving manual mode belongs to the run screen; its flag is enough here
    const dialog_kind shape = kind_table(kind);
    const std::string text = message ? message : "";

    GtkWidget* dialog = gtk_dialog_new();
    dialog_window = dialog;
    GtkWindow* window = GTK_WINDOW(dialog);
    gtk_window_set_deletable(window, FALSE);
    gtk_window_set_modal(window, modal ? TRUE : FALSE);
    if (main_application_window) {
        gtk_window_set_transient_for(window, GTK_WINDOW(main_application_window));
        gtk_window_set_destroy_with_parent(window, TRUE);
    }
    gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_window_set_keep_above(window, TRUE);
    gtk_window_set_icon_from_file(window, (func_image_dir() + "icon_io_off_32.png").c_str(), nullptr);
    gtk_window_set_decorated(window, shape.decorated ? TRUE : FALSE);
    if (shape.decorated && shape.title_slot >= 0)
        gtk_window_set_title(window, p[shape.title_slot].c_str());

    GtkWidget* action_area = gtk_dialog_get_action_area(GTK_DIALOG(dialog));
    for (int index = 0; index < 2; ++index) {
        const dialog_button& button = shape.buttons[index];
        if (button.picture)
            gtk_box_pack_start(GTK_BOX(action_area), make_dialog_button(button, action_of(kind, index), data), FALSE,
                               FALSE, 4);
    }
    if (shape.writes_error_log)
        func_write_log(LOG_ERROR, text, 0);

    GdkColor color;
    if (gdk_color_parse(shape.background, &color))
        gtk_widget_modify_bg(dialog, GTK_STATE_NORMAL, &color);

    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    GtkWidget* row = gtk_hbox_new(FALSE, 8);
    GtkWidget* icon = nullptr;
    switch (shape.icon) {
    case ICON_STOCK: icon = gtk_image_new_from_stock(shape.icon_name, GTK_ICON_SIZE_DIALOG); break;
    case ICON_PICTURE:
        icon = gtk_image_new();
        func_set_image_icon(icon, (func_image_dir() + shape.icon_name).c_str());
        break;
    case ICON_ANIMATION:
        icon = gtk_image_new();
        func_set_image_animation(icon, (func_image_dir() + shape.icon_name).c_str());
        break;
    case ICON_NONE: break;
    }
    if (icon)
        gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 8);
    GtkWidget* label = gtk_label_new(("\n   " + text + "   \n").c_str());
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    // Paths and names have no spaces to break at.
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    GdkColor white;
    gdk_color_parse(LUMEX_PLAIN_TEXT, &white);
    gtk_widget_modify_fg(label, GTK_STATE_NORMAL, &white);
    gtk_box_pack_start(GTK_BOX(row), label, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(content), row, TRUE, TRUE, 8);
    dialog_window_message = GTK_WIDGET(g_object_ref(label));

    gtk_widget_show_all(dialog);
    func_run_pending_events();
}

// --- dealer information ------------------------------------------------------------

namespace {
gboolean close_dealer_window(GtkWidget*, GdkEventButton*, gpointer window)
{
    gtk_widget_destroy(GTK_WIDGET(window));
    return TRUE;
}
}  // namespace

void func_show_dealer_info_screen(GtkWidget*, gpointer)
{
    func_close_active_dialog();
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_name(window, "win_dealer_info");
    GtkWindow* win = GTK_WINDOW(window);
    gtk_window_set_modal(win, TRUE);
    if (main_application_window) {
        gtk_window_set_transient_for(win, GTK_WINDOW(main_application_window));
        gtk_window_set_destroy_with_parent(win, TRUE);
    }
    gtk_window_set_keep_above(win, TRUE);
    gtk_window_set_default_size(win, 640, 480);
    if (!PC_MODE) {
        func_size_window_to_screen(win);
    } else {
        gtk_window_set_deletable(win, FALSE);
        gtk_window_set_resizable(win, FALSE);
        gtk_window_set_position(win, GTK_WIN_POS_CENTER);
        gtk_window_set_title(win, p[395].c_str());
    }
    GtkWidget* box = gtk_event_box_new();
    gtk_widget_set_size_request(box, 640, 480);
    GtkWidget* picture = gtk_image_new();
    func_set_image_icon(picture, (func_splash_dir() + "dealer_info_splash.png").c_str());
    gtk_container_add(GTK_CONTAINER(box), picture);
    gtk_container_add(GTK_CONTAINER(window), box);
    g_signal_connect(box, "button-press-event", G_CALLBACK(close_dealer_window), window);
    gtk_widget_show_all(window);
}

// --- data that could not be saved ----------------------------------------------------

namespace {
std::vector<std::string> failed_paths;
guint failure_source = 0;

std::string shown_path(const std::string& path)
{
    const std::string& root = func_get_install_root();
    return path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
}

gboolean report_failures(gpointer)
{
    failure_source = 0;
    if (failed_paths.empty())
        return FALSE;
    // The action that failed may still be running behind its wait dialog.
    if (dialog_window && (shown_kind == 17 || shown_kind == 18)) {
        failure_source = g_timeout_add(50, report_failures, nullptr);
        return FALSE;
    }
    std::string text = p[SLOT_NOT_SAVED].empty() ? std::string("These changes could not be saved:") : p[SLOT_NOT_SAVED];
    for (const std::string& path : failed_paths)
        text += "\n" + path;
    failed_paths.clear();
    // What is shown must be what is on disk.
    if (const screen_description* shown = func_get_screen(func_current_screen_code()))
        if (shown->reload)
            shown->reload();
    reporting_failures = false;
    func_show_dialog(1, text, 1, nullptr);
    reporting_failures = true;
    return FALSE;
}
}  // namespace

void func_watch_write_failures()
{
    func_set_write_failure_listener([](const std::string& path, int error_number) {
        std::string line = shown_path(path);
        if (error_number)
            line += " (" + std::string(g_strerror(error_number)) + ")";
        for (const std::string& known : failed_paths)
            if (known == line)
                return;
        failed_paths.push_back(line);
        if (!failure_source)
            failure_source = g_idle_add(report_failures, nullptr);
    });
}

bool func_reporting_write_failures() { return reporting_failures || !failed_paths.empty(); }
