#include "frame/dialogs.h"

#include "files/paths.h"
#include "formulas/formula_operations.h"
#include "formulas/step_operations.h"
#include "frame/app_state.h"
#include "frame/build_switches.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"
#include "settings/system_commands.h"

GtkWidget* dialog_window = nullptr;
GtkWidget* dialog_window_message = nullptr;

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
    case 1: return {shown.lbl_message_bar, shown.evb_message_bar, "white", "red"};
    case 6: return {shown.lbl_page_info, shown.evb_page_info, "Yellow", "#52647b"};
    case 7: return {shown.lbl_page_info1, shown.evb_page_info1, "Yellow", "#52647b"};
    case 19:
        if (shown.screen_code == SCREEN_ERROR_INFO)
            return {shown.lbl_active_item, shown.evb_active_item, "#F6E70C", "#F50F09"};
        return {shown.lbl_active_item, nullptr, "#F50F09", nullptr};
    case 26: return {shown.labels[4], nullptr, nullptr, nullptr};
    case 27: return {shown.labels[5], nullptr, nullptr, nullptr};
    case 28: return {shown.labels[6], nullptr, nullptr, nullptr};
    default: break;
    }
    if (kind == 8)
        return {run_message_label, run_message_box, "White", "#52647b"};
    if (kind >= 32) {
        if (kind == 32)
            return {entry_message_label, entry_message_box, "Yellow", "#52647b"};
        if (kind == 33)
            return {entry_message_label, entry_message_box, "white", "red"};
        return {entry_message_label, entry_message_box, "White", "#52647b"};
    }
    return {shown.lbl_message_bar, shown.evb_message_bar, "White", "#52647b"};
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
using dialog_action = void (*)(gpointer data);

// A dialog button: picture, size and what it runs (null: it closes).
struct dialog_button {
    const char* picture;
    int width, height;
    dialog_action action;
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

void close_action(gpointer) { func_close_active_dialog(); }
void signal_cancel_action(gpointer data) { func_ipc_send_signal_cancel(nullptr, data); }
void resume_2(gpointer) { func_ipc_send_resume_formula(GINT_TO_POINTER(2), nullptr); }
void resume_1(gpointer) { func_ipc_send_resume_formula(GINT_TO_POINTER(1), nullptr); }
void manual_stop_2(gpointer) { func_ipc_send_manual_stop(GINT_TO_POINTER(2), nullptr); }
void manual_stop_20(gpointer) { func_ipc_send_manual_stop(GINT_TO_POINTER(20), nullptr); }
void three_wires_2(gpointer) { func_ipc_send_3_wires(GINT_TO_POINTER(2), nullptr); }
void three_wires_20(gpointer) { func_ipc_send_3_wires(GINT_TO_POINTER(20), nullptr); }
void powerdown_action(gpointer) { func_do_powerdown(); }
void reboot_action(gpointer) { func_reboot_machine(); }
void recalibration_action(gpointer) { func_process_recalibration(); }
void delete_formula_action(gpointer data) { func_process_delete_formula(nullptr, data); }
void delete_step_action(gpointer data) { func_process_delete_step(nullptr, data); }

const char* const ORANGE = "#f95f0b";
const char* const BLUE = "#194e84";

constexpr dialog_button OK_CLOSES = {"icon_yes.png", 60, 60, close_action};
constexpr dialog_button NO_CLOSES = {"icon_close_32.png", 60, 60, close_action};
constexpr dialog_button NONE = {nullptr, 0, 0, nullptr};

dialog_kind question(dialog_action on_yes, bool decorated = true)
{
    return {BLUE, 178, decorated, ICON_STOCK, GTK_STOCK_DIALOG_QUESTION,
            {{"icon_yes.png", 60, 60, on_yes}, NO_CLOSES}, false};
}

// Kinds whose OK action arrives with the screens that own it close the
// dialog until then: 12 (delete file), 16 (update),
// 21 (PC folder), 23 (level units), 25 (delete post-dry entry), 30 and
// 31 (printing), and the help button of kind 4.
dialog_kind kind_table(int kind)
{
    switch (kind) {
    case 1:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_ERROR,
                {{"icon_no.png", 60, 60, close_action}, NONE}, true};
    case 3:
        return {ORANGE, 180, true, ICON_STOCK, GTK_STOCK_DIALOG_WARNING, {OK_CLOSES, NONE}, false};
    case 4:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_ERROR,
                {{"icon_signal_cancel.png", 70, 70, signal_cancel_action},
                 {"icon_help_32.png", 100, 70, close_action}},
                true};
    case 9:
        return {ORANGE, -1, false, ICON_PICTURE, "icon_signal_on.png",
                {{"icon_signal_cancel.png", 70, 70, signal_cancel_action}, NONE}, false};
    case 10: return question(delete_formula_action);
    case 11: return question(delete_step_action);
    case 12: case 16: case 21: case 23: case 25: case 30: case 31:
        return question(close_action);
    case 13: return question(powerdown_action);
    case 14:
        return {ORANGE, -1, false, ICON_STOCK, GTK_STOCK_DIALOG_WARNING, {NONE, NONE}, false};
    case 15: {
        dialog_kind resume = question(resume_2, false);
        resume.buttons[1].action = resume_1;
        return resume;
    }
    case 17:
    case 18:
        return {"Black", -1, false, ICON_ANIMATION, "loading.gif", {NONE, NONE}, false};
    case 20:
        return {BLUE, -1, false, ICON_STOCK, GTK_STOCK_DIALOG_QUESTION,
                {{"icon_play_32.png", 60, 60, manual_stop_2}, {"icon_stop_32.png", 60, 60, manual_stop_20}},
                false};
    case 22:
        return {ORANGE, 179, false, ICON_STOCK, GTK_STOCK_DIALOG_ERROR,
                {{"icon_play_32.png", 70, 70, three_wires_2}, {"icon_stop_32.png", 70, 70, three_wires_20}},
                true};
    case 24: return question(recalibration_action);
    case 29:
        return {ORANGE, 179, true, ICON_STOCK, GTK_STOCK_DIALOG_WARNING,
                {{"icon_yes.png", 60, 60, reboot_action}, NONE}, false};
    default:
        return {BLUE, 181, true, ICON_STOCK, GTK_STOCK_DIALOG_INFO, {OK_CLOSES, NONE}, false};
    }
}

GtkWidget* make_dialog_button(const dialog_button& shape, gpointer data)
{
    GtkWidget* button = gtk_button_new_with_label("");
    gtk_widget_set_size_request(button, shape.width, shape.height);
    func_set_button_icon(button, (func_image_dir() + shape.picture).c_str(), 2);
    g_signal_connect_swapped(button, "released", G_CALLBACK(shape.action), data);
    return button;
}
}  // namespace

int func_get_dialog_title_slot(int kind)
{
    dialog_kind shape = kind_table(kind);
    return shape.decorated ? shape.title_slot : -1;
}

void func_unload_dialog(GtkWidget* dialog)
{
    if (!dialog)
        return;
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
    if (dialog_window)
        func_unload_dialog(dialog_window);
    func_run_pending_events();
}

void func_show_dialog(int kind, const char* message, int modal, gpointer data)
{
    func_close_active_dialog();
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
    for (const dialog_button& button : shape.buttons) {
        if (button.picture)
            gtk_box_pack_start(GTK_BOX(action_area), make_dialog_button(button, data), FALSE, FALSE, 4);
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
    GdkColor white;
    gdk_color_parse("White", &white);
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
