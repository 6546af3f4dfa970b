#include "entry/data_entry_dialog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "configuration/configuration_record.h"
#include "entry/item_codes.h"
#include "entry/value_limits.h"
#include "files/build_switches.h"
#include "files/paths.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/palette.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/units.h"
#include "link/run_state.h"

namespace {
enum keyboard_mode { MODE_LOWER = 0, MODE_SHIFT = 1, MODE_SYMBOLS = 2, MODE_NUMPAD = 3 };

// The dialog's widgets and state.
struct data_entry_keyboard {
    GtkWidget* window = nullptr;
    int mode = MODE_LOWER;
    GtkWidget *lbl_active_item = nullptr, *lbl_message_bar = nullptr, *evb_message_bar = nullptr;
    GtkWidget *lbl_data_entry_help = nullptr, *evb_data_entry_help = nullptr;
    GtkWidget *vbox_keyboard1 = nullptr, *vbox_keyboard2 = nullptr, *vbox_numpad = nullptr;
    GtkWidget *layout_text_data = nullptr, *layout_time_data = nullptr, *layout_numeric_data = nullptr;
    GtkWidget *layout_net_data = nullptr, *layout_password_data = nullptr, *layout_remote_formula = nullptr;
    GtkWidget* lbl_remote[7] = {};
    GtkWidget* entry_remote[7] = {};
    GtkWidget *entry_hour = nullptr, *entry_minute = nullptr, *entry_second = nullptr;
    GtkWidget *lbl_hour = nullptr, *lbl_minute = nullptr, *lbl_second = nullptr;
    GtkWidget *lbl_new_password = nullptr, *lbl_verify_password = nullptr;
    GtkWidget *entry_text = nullptr, *entry_numeric = nullptr, *entry_ip_address = nullptr;
    GtkWidget *entry_subnet = nullptr, *entry_gateway = nullptr;
    GtkWidget *entry_new_password = nullptr, *entry_verify_password = nullptr;
    GtkWidget* vbox_keyboard = nullptr;
    // The range of each field of the multi-field layouts, under its field.
    std::vector<std::pair<GtkWidget*, GtkWidget*>> range_labels;  // field, its range
    GtkWidget* active_entry = nullptr;
    GtkWidget* caller = nullptr;
    int item_code = -1;
    GtkWidget *btn_keyboard_shift1 = nullptr, *btn_keyboard_space1 = nullptr, *btn_keyboard_space2 = nullptr;
    GtkWidget *btn_keyboard_123b1 = nullptr, *btn_keyboard_abc2 = nullptr, *btn_paste = nullptr;
};

data_entry_keyboard* keyboard = nullptr;
int first_key = 1;
GtkWidget* previous_key_entry = nullptr;
bool validating = false;

const char* const REMOTE_NAMES[7] = {"formula", "customer", "employee", "weight", "pieces", "lot", "group"};

std::string entry_text(GtkWidget* entry) { return entry ? gtk_entry_get_text(GTK_ENTRY(entry)) : ""; }
void set_entry_text(GtkWidget* entry, const std::string& text)
{
    if (entry)
        gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
}

std::string caller_label() { return func_get_widget_label_text(keyboard->caller); }

void reset_entry_colours(GtkWidget* entry)
{
    if (!entry)
        return;
    gtk_widget_modify_text(entry, GTK_STATE_NORMAL, nullptr);
    gtk_widget_modify_base(entry, GTK_STATE_NORMAL, nullptr);
}

void highlight(GtkWidget* entry) { func_clear_data_entry(entry, nullptr, nullptr); }

// Fields the item's check reads, in screen order.
std::vector<GtkWidget*> checked_entries(int item_code)
{
    const item_layout layout = func_get_item_layout(item_code);
    if (layout == LAYOUT_PASSWORD)
        return {keyboard->entry_new_password, keyboard->entry_verify_password};
    if (layout == LAYOUT_NETWORK)
        return {keyboard->entry_ip_address, keyboard->entry_subnet, keyboard->entry_gateway};
    const int count = func_get_item_field_count(item_code);
    if (count == 7)
        return std::vector<GtkWidget*>(keyboard->entry_remote, keyboard->entry_remote + 7);
    if (count == 3)
        return {keyboard->entry_hour, keyboard->entry_minute, keyboard->entry_second};
    if (gtk_widget_get_visible(keyboard->layout_numeric_data))
        return {keyboard->entry_numeric};
    return {keyboard->entry_text};
}

void show_only(GtkWidget* layout, GtkWidget* keys)
{
    GtkWidget* layouts[] = {keyboard->layout_text_data, keyboard->layout_time_data,
                            keyboard->layout_numeric_data, keyboard->layout_net_data,
                            keyboard->layout_password_data, keyboard->layout_remote_formula};
    for (GtkWidget* each : layouts)
        gtk_widget_set_visible(each, each == layout);
    gtk_widget_set_visible(keyboard->vbox_keyboard, keys != keyboard->vbox_numpad);
    gtk_widget_set_visible(keyboard->vbox_keyboard1, keys == keyboard->vbox_keyboard1);
    gtk_widget_set_visible(keyboard->vbox_keyboard2, FALSE);
    gtk_widget_set_visible(keyboard->vbox_numpad, keys == keyboard->vbox_numpad);
}

void split_into_three(const std::string& text, GtkWidget* a, GtkWidget* b, GtkWidget* c)
{
    gchar** pieces = g_strsplit(text.c_str(), ":", 3);
    GtkWidget* fields[3] = {a, b, c};
    for (int i = 0; i < 3; ++i)
        set_entry_text(fields[i], pieces[0] && i < static_cast<int>(g_strv_length(pieces)) ? pieces[i] : "");
    g_strfreev(pieces);
}

void set_three_labels(int first_slot)
{
    gtk_label_set_text(GTK_LABEL(keyboard->lbl_hour), p[first_slot].c_str());
    gtk_label_set_text(GTK_LABEL(keyboard->lbl_minute), p[first_slot + 1].c_str());
    gtk_label_set_text(GTK_LABEL(keyboard->lbl_second), p[first_slot + 2].c_str());
}

std::string two_digits(int value)
{
    char text[16];
    snprintf(text, sizeof text, "%02d", value);
    return text;
}

// Times and dates: three fields under the labels of slots first_slot and
// on, filled from "a:b:c", the third taking at most `third_length`.
void show_three_fields(int first_slot, int third_length, const std::string& text, GtkWidget* active)
{
    data_entry_keyboard& k = *keyboard;
    show_only(k.layout_time_data, k.vbox_numpad);
    set_three_labels(first_slot);
    gtk_entry_set_max_length(GTK_ENTRY(k.entry_second), third_length);
    split_into_three(text, k.entry_hour, k.entry_minute, k.entry_second);
    highlight(active);
}

// Texts: the layout over the letter keyboard, its field filled and active.
void show_keyboard_field(GtkWidget* layout, GtkWidget* field, const std::string& text)
{
    show_only(layout, keyboard->vbox_keyboard1);
    set_entry_text(field, text);
    highlight(field);
    keyboard->mode = MODE_LOWER;
}

// A label under each field of the multi-field layouts, as wide as it.
void add_range_labels()
{
    data_entry_keyboard& k = *keyboard;
    std::vector<GtkWidget*> fields = {k.entry_hour, k.entry_minute, k.entry_second, k.entry_ip_address,
                                      k.entry_subnet, k.entry_gateway};
    fields.insert(fields.end(), k.entry_remote, k.entry_remote + 7);
    for (GtkWidget* field : fields) {
        GtkWidget* fixed = field ? gtk_widget_get_parent(field) : nullptr;
        if (!fixed || !GTK_IS_FIXED(fixed))
            continue;
        int x = 0, y = 0, width = 0, height = 0;
        gtk_container_child_get(GTK_CONTAINER(fixed), field, "x", &x, "y", &y, nullptr);
        gtk_widget_get_size_request(field, &width, &height);
        GtkWidget* range = gtk_label_new("");
        gtk_widget_set_name(range, ("lbl_range_" + std::string(gtk_widget_get_name(field)).substr(6)).c_str());
        gtk_widget_set_size_request(range, width, 24);
        gtk_fixed_put(GTK_FIXED(fixed), range, x, y + height + 2);
        gtk_widget_show(range);
        k.range_labels.emplace_back(field, range);
    }
}

// The help line of a multi-field layout holds one "(range)" per field:
// each goes under its field (the line itself stays empty). Any other
// help line is shown as it is.
void show_help(const std::string& help)
{
    data_entry_keyboard& k = *keyboard;
    std::vector<std::string> ranges;
    for (size_t open = help.find('('); open != std::string::npos; open = help.find('(', open + 1)) {
        const size_t close = help.find(')', open);
        if (close == std::string::npos)
            break;
        ranges.push_back(help.substr(open, close - open + 1));
    }
    std::vector<GtkWidget*> shown_ranges;
    for (const auto& [field, range] : k.range_labels) {
        gtk_label_set_text(GTK_LABEL(range), "");
        if (gtk_widget_get_visible(gtk_widget_get_parent(field)))
            shown_ranges.push_back(range);
    }
    const bool one_each = !shown_ranges.empty() && ranges.size() == shown_ranges.size();
    for (size_t i = 0; one_each && i < ranges.size(); ++i)
        gtk_label_set_text(GTK_LABEL(shown_ranges[i]), ranges[i].c_str());
    gtk_label_set_text(GTK_LABEL(k.lbl_data_entry_help), one_each ? "" : help.c_str());
}

// Chooses and fills the layout of an item code.
void prepare_layout(int code)
{
    data_entry_keyboard& k = *keyboard;
    gtk_entry_set_visibility(GTK_ENTRY(k.entry_text), TRUE);
    gtk_entry_set_max_length(GTK_ENTRY(k.entry_second), 0);
    k.mode = MODE_NUMPAD;
    switch (func_get_item_layout(code)) {
    case LAYOUT_NUMBER:
    case LAYOUT_EMPTY_NUMBER: {
        show_only(k.layout_numeric_data, k.vbox_numpad);
        std::string text;
        if (func_get_item_layout(code) == LAYOUT_NUMBER)
            text = caller_label();
        else if (item_proposal proposal = func_get_item_proposal(code))
            text = proposal(code);
        set_entry_text(k.entry_numeric, text);
        highlight(k.entry_numeric);
        break;
    }
    case LAYOUT_TIME: {
        const int seconds = func_convert_time_to_seconds(caller_label());
        show_three_fields(246, 2, two_digits(seconds / 3600) + ":" + two_digits(seconds % 3600 / 60) + ":" +
                                      two_digits(seconds % 60),
                          k.entry_second);
        break;
    }
    case LAYOUT_CLOCK:
        show_three_fields(246, 2, func_get_time(1), k.entry_hour);
        break;
    case LAYOUT_DATE:
        show_three_fields(243, 4, func_get_date(1), k.entry_minute);
        break;
    case LAYOUT_NETWORK:
        show_only(k.layout_net_data, k.vbox_numpad);
        for (GtkWidget* entry : {k.entry_ip_address, k.entry_subnet, k.entry_gateway})
            set_entry_text(entry, "0.0.0.0");
        highlight(k.entry_ip_address);
        break;
    case LAYOUT_REMOTE_FORMULA: {
        show_only(k.layout_remote_formula, k.vbox_numpad);
        const machine_configuration* configuration = current_machine_configuration;
        // Customer, employee, weight, pieces and lot follow their switches.
        const int switches[6] = {-1, 45, 46, 47, 48, 49};
        for (int field = 1; field < 6; ++field) {
            set_entry_text(k.entry_remote[field], "0");
            const bool on = configuration && configuration->items[switches[field]] != 0.0f;
            gtk_widget_set_sensitive(k.entry_remote[field], on);
        }
        char group[32];
        snprintf(group, sizeof group, "%d",
                 configuration ? static_cast<int>(std::lround(configuration->items[50])) : 0);
        set_entry_text(k.entry_remote[6], group);
        highlight(k.entry_remote[code - 26]);
        break;
    }
    case LAYOUT_PASSWORD:
        gtk_label_set_text(GTK_LABEL(k.lbl_new_password), p[412].c_str());
        gtk_label_set_text(GTK_LABEL(k.lbl_verify_password), p[413].c_str());
        set_entry_text(k.entry_verify_password, "");
        show_keyboard_field(k.layout_password_data, k.entry_new_password, "");
        break;
    case LAYOUT_HIDDEN_TEXT:
        gtk_entry_set_visibility(GTK_ENTRY(k.entry_text), FALSE);
        show_keyboard_field(k.layout_text_data, k.entry_text, "");
        break;
    case LAYOUT_TEXT:
        show_keyboard_field(k.layout_text_data, k.entry_text, caller_label());
        break;
    }
    if (k.mode == MODE_LOWER)
        func_toggle_keyboard_mode(MODE_LOWER);
}

// The typed fields Save hands on: those the check reads.
std::vector<std::string> typed_fields(int code)
{
    std::vector<std::string> fields;
    for (GtkWidget* entry : checked_entries(code))
        fields.push_back(entry_text(entry));
    return fields;
}

// What Save does for the open item, once the value passed its check.
void carry_out_save_action(int code)
{
    item_save save;
    save.caller = keyboard->caller;
    save.code = code;
    save.old_text = caller_label();
    save.fields = typed_fields(code);
    save.text = func_format_item_text(code, save.fields);
    if (item_save_action action = func_get_item_action(code)) {
        action(save);
        return;
    }
    func_add_item_change_line(save.caller, save.old_text, save.text);
    func_set_widget_label(save.caller, save.text);
}

gboolean validate_on_focus_out(GtkWidget* entry, GdkEventFocus*, gpointer)
{
    // Only a move to another field of the dialog is checked; the window
    // losing focus to a message must not check again.
    GtkWidget* window = gtk_widget_get_toplevel(entry);
    if (!keyboard || !gtk_widget_get_visible(keyboard->window) || window != keyboard->window ||
        !gtk_window_has_toplevel_focus(GTK_WINDOW(window)))
        return FALSE;
    func_validate_data_entry_value();
    return FALSE;
}

GtkWidget* lookup(const ui_file& ui, const char* id)
{
    GtkWidget* widget = func_lookup_widget(ui, id);
    return widget;
}
}  // namespace

void func_load_data_entry_screen()
{
    ui_file ui = func_load_interface_file("lumex_data_entry_dialog4.ui");
    if (!keyboard)
        keyboard = new data_entry_keyboard();
    data_entry_keyboard& k = *keyboard;
    k.window = lookup(ui, "win_data_entry");
    if (!k.window)
        return;
    GtkWindow* window = GTK_WINDOW(k.window);
    gtk_window_set_keep_above(window, TRUE);
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    if (PC_MODE) {
        gtk_window_set_deletable(window, FALSE);
        gtk_window_set_title(window, p[395].c_str());
    } else {
        func_setup_screen_window(k.window);
    }
    k.lbl_active_item = lookup(ui, "lbl_active_item");
    k.lbl_message_bar = lookup(ui, "lbl_message_bar");
    k.evb_message_bar = lookup(ui, "evb_message_bar");
    func_register_message_label(32, k.lbl_message_bar, k.evb_message_bar);
    k.lbl_data_entry_help = lookup(ui, "lbl_data_entry_help");
    k.evb_data_entry_help = lookup(ui, "evb_data_entry_help");
    k.vbox_keyboard1 = lookup(ui, "vbox_keyboard1");
    k.vbox_keyboard2 = lookup(ui, "vbox_keyboard2");
    k.vbox_numpad = lookup(ui, "vbox_numpad");
    k.vbox_keyboard = lookup(ui, "vbox_keyboard");
    k.layout_text_data = lookup(ui, "layout_text_data");
    k.layout_time_data = lookup(ui, "layout_time_data");
    k.layout_numeric_data = lookup(ui, "layout_numeric_data");
    k.layout_net_data = lookup(ui, "layout_net_data");
    k.layout_password_data = lookup(ui, "layout_password_data");
    k.layout_remote_formula = lookup(ui, "layout_remote_formula");
    for (int field = 0; field < 7; ++field) {
        k.lbl_remote[field] = lookup(ui, (std::string("lbl_remote_") + REMOTE_NAMES[field]).c_str());
        k.entry_remote[field] = lookup(ui, (std::string("entry_remote_") + REMOTE_NAMES[field]).c_str());
    }
    k.entry_hour = lookup(ui, "entry_hour");
    k.entry_minute = lookup(ui, "entry_minute");
    k.entry_second = lookup(ui, "entry_second");
    k.lbl_hour = lookup(ui, "lbl_hour");
    k.lbl_minute = lookup(ui, "lbl_minute");
    k.lbl_second = lookup(ui, "lbl_second");
    k.lbl_new_password = lookup(ui, "lbl_new_password");
    k.lbl_verify_password = lookup(ui, "lbl_verify_password");
    k.entry_text = lookup(ui, "entry_text");
    k.entry_numeric = lookup(ui, "entry_numeric");
    k.entry_ip_address = lookup(ui, "entry_ip_address");
    k.entry_subnet = lookup(ui, "entry_subnet");
    k.entry_gateway = lookup(ui, "entry_gateway");
    k.entry_new_password = lookup(ui, "entry_new_password");
    k.entry_verify_password = lookup(ui, "entry_verify_password");
    k.btn_keyboard_shift1 = lookup(ui, "btn_keyboard_shift1");
    k.btn_keyboard_space1 = lookup(ui, "btn_keyboard_space1");
    k.btn_keyboard_space2 = lookup(ui, "btn_keyboard_space2");
    k.btn_keyboard_123b1 = lookup(ui, "btn_keyboard_123b1");
    k.btn_keyboard_abc2 = lookup(ui, "btn_keyboard_abc2");
    k.btn_paste = lookup(ui, "btn_paste");
    func_bind_text(k.btn_keyboard_space1, 408);
    func_bind_text(k.btn_keyboard_space2, 408);
    func_bind_text(k.btn_keyboard_123b1, 409);
    func_bind_text(k.btn_keyboard_abc2, 409);

    PangoFontDescription* font = pango_font_description_from_string("sans bold 14");
    for (GtkWidget* entry : {k.entry_hour, k.entry_minute, k.entry_second, k.entry_text, k.entry_numeric})
        gtk_widget_modify_font(entry, font);
    pango_font_description_free(font);

    gtk_builder_connect_signals(ui.builder, nullptr);
    std::vector<GtkWidget*> checked(k.entry_remote, k.entry_remote + 7);
    for (GtkWidget* entry : {k.entry_numeric, k.entry_text, k.entry_hour, k.entry_minute, k.entry_second})
        checked.push_back(entry);
    for (GtkWidget* entry : checked) {
        g_signal_connect(entry, "button-press-event", G_CALLBACK(func_clear_data_entry), nullptr);
        g_signal_connect(entry, "focus-out-event", G_CALLBACK(validate_on_focus_out), nullptr);
    }
    for (GtkWidget* entry : {k.entry_ip_address, k.entry_subnet, k.entry_gateway, k.entry_new_password,
                             k.entry_verify_password})
        g_signal_connect(entry, "button-press-event", G_CALLBACK(func_clear_data_entry), nullptr);
    gtk_widget_set_sensitive(k.btn_paste, PC_MODE ? TRUE : FALSE);
    k.range_labels.clear();
    add_range_labels();
}

void func_unload_data_entry_screen()
{
    // Only the window: the next opening shows the layout it needs and
    // relies on the frame, headers and buttons still being visible.
    if (keyboard && keyboard->window)
        gtk_widget_hide(keyboard->window);
}

void func_toggle_keyboard_mode(int mode)
{
    if (!keyboard || !keyboard->window)
        return;
    data_entry_keyboard& k = *keyboard;
    const std::string images = func_image_dir();
    if (mode == MODE_SHIFT) {
        k.mode = MODE_SHIFT;
        func_set_button_icon(k.btn_keyboard_shift1, (images + "icon_shift_32.png").c_str(), ICON_TOP);
    } else if (mode == MODE_SYMBOLS) {
        k.mode = MODE_SYMBOLS;
        gtk_widget_hide(k.vbox_keyboard1);
        gtk_widget_show(k.vbox_keyboard2);
    } else {
        if (k.mode == MODE_SYMBOLS) {
            gtk_widget_show(k.vbox_keyboard1);
            gtk_widget_hide(k.vbox_keyboard2);
        }
        k.mode = MODE_LOWER;
        func_set_button_icon(k.btn_keyboard_shift1, (images + "icon_unshift_32.png").c_str(), ICON_TOP);
    }
}

gboolean func_clear_data_entry(GtkWidget* entry, GdkEventButton*, gpointer)
{
    if (!keyboard || !entry)
        return FALSE;
    if (keyboard->active_entry && keyboard->active_entry != entry)
        reset_entry_colours(keyboard->active_entry);
    GdkColor black, orange;
    gdk_color_parse(LUMEX_ACTIVE_ENTRY_TEXT, &black);
    gdk_color_parse(LUMEX_ACTIVE_ENTRY_BACKGROUND, &orange);
    gtk_widget_modify_text(entry, GTK_STATE_NORMAL, &black);
    gtk_widget_modify_base(entry, GTK_STATE_NORMAL, &orange);
    keyboard->active_entry = entry;
    return FALSE;
}

void func_paste_text_from_clipboard(GtkClipboard*, const gchar* text, gpointer)
{
    if (text && keyboard && keyboard->active_entry)
        set_entry_text(keyboard->active_entry, text);
}

void func_show_data_entry_dialog(GtkWidget* widget, gpointer data)
{
    // Built at its first opening: start-up draws home only.
    if (!keyboard || !keyboard->window)
        func_load_data_entry_screen();
    if (!keyboard || !keyboard->window)
        return;
    data_entry_keyboard& k = *keyboard;
    const int code = GPOINTER_TO_INT(data);
    k.caller = widget;
    k.item_code = code;
    if (manual_mode) {
        // Touching any value while manual mode is on only ends manual mode.
        manual_mode = 0;
        return;
    }
    const int screen = func_current_screen_code();
    if (std::optional<std::string> title = func_get_item_title_on_screen(code, screen))
        gtk_label_set_text(GTK_LABEL(k.lbl_active_item), title->c_str());
    std::optional<std::string> help = func_get_item_help(code, screen);
    func_show_message(32, gtk_label_get_text(GTK_LABEL(k.lbl_active_item)));
    for (GtkWidget* entry : k.entry_remote)
        gtk_widget_set_sensitive(entry, TRUE);
    prepare_layout(code);
    show_help(help ? *help : std::string(gtk_label_get_text(GTK_LABEL(k.lbl_data_entry_help))));
    if (main_application_window)
        gtk_window_set_transient_for(GTK_WINDOW(k.window), GTK_WINDOW(main_application_window));
    gtk_widget_show(k.window);
    gtk_window_present(GTK_WINDOW(k.window));
}

int func_validate_data_entry_value()
{
    if (!keyboard || validating)
        return 1;
    const int code = keyboard->item_code;
    std::vector<GtkWidget*> entries = checked_entries(code);
    std::vector<std::string> fields;
    for (GtkWidget* entry : entries)
        fields.push_back(entry_text(entry));
    std::string message;
    const int bad = func_check_item_value(code, fields, message);
    if (bad < 0)
        return 1;
    validating = true;
    func_show_dialog(3, message, 1, nullptr);
    if (bad < static_cast<int>(entries.size())) {
        set_entry_text(entries[bad], "");
        highlight(entries[bad]);
        first_key = 1;
    }
    validating = false;
    return 0;
}

void func_keypad_pressed(GtkWidget* widget, gpointer)
{
    if (!keyboard || !widget)
        return;
    data_entry_keyboard& k = *keyboard;
    GtkWidget* active = k.active_entry;
    auto is = [widget](const char* name) { return func_widget_name_is(widget, name); };

    if (is("btn_numpad_back") || is("btn_keyboard_back1") || is("btn_keyboard_back2")) {
        if (active) {
            std::string text = entry_text(active);
            if (!text.empty()) {
                // Remove one whole character, not one byte.
                const gchar* end = text.c_str() + text.size();
                const gchar* last = g_utf8_find_prev_char(text.c_str(), end);
                text.erase(last ? static_cast<size_t>(last - text.c_str()) : 0);
                set_entry_text(active, text);
            }
        }
    } else if (is("btn_keyboard_space1") || is("btn_keyboard_space2")) {
        if (active)
            set_entry_text(active, entry_text(active) + " ");
    } else if (is("btn_keyboard_shift1")) {
        func_toggle_keyboard_mode(k.mode == MODE_LOWER ? MODE_SHIFT : MODE_LOWER);
    } else if (is("btn_keyboard_abc1")) {
        func_toggle_keyboard_mode(MODE_LOWER);
    } else if (is("btn_keyboard_123a1")) {
        func_toggle_keyboard_mode(MODE_SYMBOLS);
    } else if (is("btn_keyboard_123b1") || is("btn_keyboard_abc2")) {
        if (active)
            set_entry_text(active, "");
    } else if (is("btn_paste")) {
        gtk_clipboard_request_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), func_paste_text_from_clipboard, nullptr);
    } else if (is("btn_cancel")) {
        first_key = 1;
        reset_entry_colours(active);
        func_unload_data_entry_screen();
    } else if (is("btn_save")) {
        if (!func_validate_data_entry_value())
            return;
        first_key = 1;
        const int code = k.item_code;
        // Hide first: the save action may open a message or another screen.
        reset_entry_colours(k.active_entry);
        func_unload_data_entry_screen();
        carry_out_save_action(code);
        const int screen = func_current_screen_code();
        if (screen != SCREEN_RUN && code != 49 && code != 50 && code != 51 && screen >= 0 &&
            screen < SCREEN_RECORD_COUNT)
            page_info[screen].list.reload = 1;
    } else {
        if (!active)
            return;
        if (first_key == 1) {
            if (k.mode == MODE_NUMPAD)
                set_entry_text(active, "");
            previous_key_entry = active;
            first_key = 0;
        } else if (!previous_key_entry || previous_key_entry != active) {
            if (k.mode == MODE_NUMPAD)
                set_entry_text(active, "");
            previous_key_entry = active;
        }
        std::string key = func_get_widget_label_text(widget);
        if (k.mode == MODE_LOWER && !key.empty()) {
            gchar* lower = g_utf8_strdown(key.c_str(), -1);
            key = lower;
            g_free(lower);
        }
        set_entry_text(active, entry_text(active) + key);
        if (k.mode == MODE_SHIFT)
            func_toggle_keyboard_mode(MODE_LOWER);
    }
}

