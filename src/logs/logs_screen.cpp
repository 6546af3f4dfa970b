#include "logs/logs_screen.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "files/build_switches.h"
#include "files/time_source.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/palette.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "language/language.h"
#include "logs/log_reader.h"

GtkListStore* log_tree_store = nullptr;

namespace {
constexpr int LIST_WIDTH = 605;
constexpr int LIST_HEIGHT = LOG_ROWS_PER_PAGE * LOG_ROW_HEIGHT;
constexpr int WAIT_DIALOG = 18, WHOLE_MESSAGE_DIALOG = 2;
// Language slots.
constexpr int SLOT_TITLE = 940;
constexpr int SLOT_NO_FILE = 183;
constexpr int SLOT_PLEASE_WAIT = 190;
constexpr int SLOT_NOT_READ = 955;
constexpr int SLOT_TIME = 152;
constexpr int SLOT_DATE = 195;
constexpr int SLOT_MESSAGE = 196;
// Titles of the kinds, in kind order.
const int SLOT_KIND_TITLES[] = {194, 191, 192, 193};

enum log_column { COLUMN_NUMBER, COLUMN_DATE, COLUMN_TIME, COLUMN_CODE, COLUMN_MESSAGE, COLUMN_COUNT };

struct logs_widgets {
    GtkWidget* tree = nullptr;
    GtkWidget* scrolled = nullptr;
    GtkWidget* columns = nullptr;
    GtkWidget* calendar_box = nullptr;
    GtkWidget* calendar = nullptr;
    GtkWidget* month = nullptr;
} widgets;

page_list_info& logs_list() { return page_info[SCREEN_LOGS].list; }
bool logs_shown() { return func_current_screen_code() == SCREEN_LOGS; }

// The calendar or the table, never both.
void show_calendar(bool shown)
{
    gtk_widget_set_visible(widgets.calendar_box, shown);
    gtk_widget_set_visible(widgets.columns, !shown);
    gtk_widget_set_visible(widgets.scrolled, !shown);
}

// The month shown above the calendar, whose own arrows are too small for a finger.
void show_month(GtkCalendar* calendar, gpointer)
{
    guint year = 0, month = 0, day = 0;
    gtk_calendar_get_date(calendar, &year, &month, &day);
    struct tm first = {};
    first.tm_year = static_cast<int>(year) - 1900;
    first.tm_mon = static_cast<int>(month);
    first.tm_mday = 1;
    char text[64] = {};
    strftime(text, sizeof text, "%B %Y", &first);
    gtk_label_set_text(GTK_LABEL(widgets.month), text);
}

void turn_month(GtkWidget*, gpointer step)
{
    guint year = 0, month = 0, day = 0;
    GtkCalendar* calendar = GTK_CALENDAR(widgets.calendar);
    gtk_calendar_get_date(calendar, &year, &month, &day);
    int months = static_cast<int>(year) * 12 + static_cast<int>(month) + GPOINTER_TO_INT(step);
    // The day stays where the new month has it.
    gtk_calendar_select_day(calendar, 1);
    gtk_calendar_select_month(calendar, static_cast<guint>(months % 12), static_cast<guint>(months / 12));
    const int last = g_date_get_days_in_month(static_cast<GDateMonth>(months % 12 + 1),
                                              static_cast<GDateYear>(months / 12));
    gtk_calendar_select_day(calendar, static_cast<guint>(static_cast<int>(day) < last ? day : last));
}

void set_calendar_to_today()
{
    const time_t now = func_get_current_time();
    struct tm today = {};
    localtime_r(&now, &today);
    GtkCalendar* calendar = GTK_CALENDAR(widgets.calendar);
    gtk_calendar_select_month(calendar, static_cast<guint>(today.tm_mon), static_cast<guint>(today.tm_year + 1900));
    gtk_calendar_select_day(calendar, static_cast<guint>(today.tm_mday));
    show_month(calendar, nullptr);
}

void style_calendar(GtkWidget* calendar)
{
    gtk_calendar_set_display_options(GTK_CALENDAR(calendar), GTK_CALENDAR_SHOW_DAY_NAMES);
    // Large digits a gloved finger can hit, light on the panel.
    PangoFontDescription* font = pango_font_description_from_string(PC_MODE ? "Tahoma bold 16" : "Arial bold 20");
    gtk_widget_modify_font(calendar, font);
    pango_font_description_free(font);
    GdkColor panel, day, chosen, chosen_text, heading;
    gdk_color_parse(LUMEX_PANEL_BACKGROUND, &panel);
    gdk_color_parse(LUMEX_ACTIVE_ENTRY_BACKGROUND, &day);
    gdk_color_parse(LUMEX_ACTIVE_ENTRY_BACKGROUND, &chosen);
    gdk_color_parse(LUMEX_ACTIVE_ENTRY_TEXT, &chosen_text);
    gdk_color_parse(LUMEX_PLAIN_TEXT, &heading);
    gtk_widget_modify_base(calendar, GTK_STATE_NORMAL, &panel);
    gtk_widget_modify_bg(calendar, GTK_STATE_NORMAL, &panel);
    gtk_widget_modify_text(calendar, GTK_STATE_NORMAL, &day);
    gtk_widget_modify_fg(calendar, GTK_STATE_NORMAL, &heading);
    for (GtkStateType state : {GTK_STATE_SELECTED, GTK_STATE_ACTIVE}) {
        gtk_widget_modify_base(calendar, state, &chosen);
        gtk_widget_modify_text(calendar, state, &chosen_text);
    }
}

void add_text_column(GtkTreeView* tree, int column, int width, bool ellipsize)
{
    GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
    int separator = 0, focus_line = 0;
    gtk_widget_style_get(GTK_WIDGET(tree), "vertical-separator", &separator, "focus-line-width", &focus_line, nullptr);
    // Every row the same height, so a page is a whole number of rows.
    gtk_cell_renderer_set_fixed_size(renderer, -1, LOG_ROW_HEIGHT - separator - 2 * focus_line);
    g_object_set(renderer, "foreground", LUMEX_PLAIN_TEXT, "ellipsize",
                 ellipsize ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE, nullptr);
    GtkTreeViewColumn* view_column =
        gtk_tree_view_column_new_with_attributes("", renderer, "text", column, nullptr);
    gtk_tree_view_column_set_sizing(view_column, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(view_column, width);
    gtk_tree_view_append_column(tree, view_column);
}

// A long message is cut in its column: a tap on the row shows it whole.
void row_tapped(GtkTreeSelection* selection, gpointer)
{
    GtkTreeModel* model = nullptr;
    GtkTreeIter row;
    if (!gtk_tree_selection_get_selected(selection, &model, &row))
        return;
    gchar* date = nullptr;
    gchar* time = nullptr;
    gchar* message = nullptr;
    gtk_tree_model_get(model, &row, COLUMN_DATE, &date, COLUMN_TIME, &time, COLUMN_MESSAGE, &message, -1);
    const std::string text = std::string(date ? date : "") + "  " + (time ? time : "") + "\n" + (message ? message : "");
    g_free(date);
    g_free(time);
    g_free(message);
    // Unselected again, so that the same row can be tapped twice.
    gtk_tree_selection_unselect_all(selection);
    func_show_dialog(WHOLE_MESSAGE_DIALOG, text, 1, nullptr);
}

void build_table()
{
    GtkTreeView* tree = GTK_TREE_VIEW(widgets.tree);
    add_text_column(tree, COLUMN_NUMBER, 60, false);
    add_text_column(tree, COLUMN_DATE, 110, false);
    add_text_column(tree, COLUMN_TIME, 90, false);
    add_text_column(tree, COLUMN_MESSAGE, 345, true);
    gtk_tree_view_set_fixed_height_mode(tree, TRUE);
    GdkColor panel;
    gdk_color_parse(LUMEX_PANEL_BACKGROUND, &panel);
    gtk_widget_modify_base(widgets.tree, GTK_STATE_NORMAL, &panel);
    if (!log_tree_store)
        log_tree_store = gtk_list_store_new(COLUMN_COUNT, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_INT,
                                            G_TYPE_STRING);
    gtk_tree_view_set_model(tree, GTK_TREE_MODEL(log_tree_store));
    g_signal_connect(gtk_tree_view_get_selection(tree), "changed", G_CALLBACK(row_tapped), nullptr);
}

void fill_table(const std::vector<log_entry>& entries)
{
    GtkTreeView* tree = GTK_TREE_VIEW(widgets.tree);
    // Filled detached: the view does not follow every row.
    g_object_ref(log_tree_store);
    gtk_tree_view_set_model(tree, nullptr);
    gtk_list_store_clear(log_tree_store);
    int number = 0;
    for (const log_entry& entry : entries) {
        char shown_number[16];
        snprintf(shown_number, sizeof shown_number, "%04d", number++);
        gtk_list_store_insert_with_values(log_tree_store, nullptr, -1, COLUMN_NUMBER, shown_number, COLUMN_DATE,
                                          entry.date.c_str(), COLUMN_TIME, entry.time.c_str(), COLUMN_CODE,
                                          entry.code, COLUMN_MESSAGE, entry.text.c_str(), -1);
    }
    gtk_tree_view_set_model(tree, GTK_TREE_MODEL(log_tree_store));
    g_object_unref(log_tree_store);
}

// The first row of the page shown at the top of the table.
void scroll_to_page()
{
    func_run_pending_events();
    GtkAdjustment* adjustment = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(widgets.scrolled));
    gtk_adjustment_set_value(adjustment, static_cast<double>(logs_list().first_item) * LOG_ROW_HEIGHT);
}

void kind_pressed(GtkWidget*, gpointer kind) { func_display_log(GPOINTER_TO_INT(kind)); }

void page_pressed(GtkWidget* widget, gpointer)
{
    func_show_page_info_test(widget, nullptr);
    func_display_log(-1);
}

void show_logs()
{
    if (!func_begin_screen_show(SCREEN_LOGS, SLOT_TITLE))
        return;
    func_show_message(5, "");
    logs_list().current_page = 1;
    fill_table({});
    func_update_page_info_test(0);
    func_enable_disable_page_up_down_button();
    set_calendar_to_today();
    show_calendar(true);
    func_end_screen_show(SCREEN_LOGS);
}
}  // namespace

void func_register_logs_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_LOGS, "logs", "lumex_logs_screen.ui", "win_logs_screen", LIST_WIDTH, LIST_HEIGHT,
                             func_load_logs_screen, show_logs, nullptr);
    screen.buttons = {"btn_production_log", "btn_change_log", "btn_error_log", "btn_syserror_log", "btn_log_calendar",
                      "btn_cancel"};
    screen.rows_per_page = LOG_ROWS_PER_PAGE;
    screen.home_button = "btn_log";
    func_register_screen(screen);
}

void func_load_logs_screen(const ui_file& ui, display_data& record)
{
    record.btn_cancel = record.buttons[5];
    widgets.tree = func_lookup_widget(ui, "tv_options_list");
    widgets.scrolled = func_lookup_widget(ui, "scrwin_options_list");
    widgets.columns = func_lookup_widget(ui, "hbox_log_columns");
    widgets.calendar_box = func_lookup_widget(ui, "evb_log_calendar");
    widgets.calendar = func_lookup_widget(ui, "log_calendar");
    widgets.month = func_lookup_widget(ui, "lbl_log_month");
    // Shown in turn by the screen; the unused list table never.
    for (GtkWidget* widget : {widgets.columns, widgets.scrolled, widgets.calendar_box, record.tbl_options_list})
        if (widget)
            gtk_widget_set_no_show_all(widget, TRUE);
    if (!widgets.tree || !widgets.scrolled || !widgets.columns || !widgets.calendar_box || !widgets.calendar ||
        !widgets.month)
        return;
    g_signal_connect(widgets.calendar, "month-changed", G_CALLBACK(show_month), nullptr);
    func_connect_released(func_lookup_widget(ui, "btn_previous_month"), G_CALLBACK(turn_month), GINT_TO_POINTER(-1));
    func_connect_released(func_lookup_widget(ui, "btn_next_month"), G_CALLBACK(turn_month), GINT_TO_POINTER(1));
    for (int kind = LOG_KIND_PRODUCTION; kind <= LOG_KIND_SYSERROR; ++kind) {
        func_connect_released(record.buttons[kind], G_CALLBACK(kind_pressed), GINT_TO_POINTER(kind));
        if (record.buttons[kind])
            func_bind_text(record.buttons[kind], SLOT_KIND_TITLES[kind]);
    }
    func_connect_released(record.buttons[4], G_CALLBACK(func_show_logs_calendar), nullptr);
    func_bind_text(record.buttons[4], 941);
    func_connect_released(record.btn_cancel, G_CALLBACK(func_unload_logs_screen), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(page_pressed));
    for (const auto& [id, slot] : {std::pair<const char*, int>{"lbl_log_date", SLOT_DATE},
                                   {"lbl_log_time", SLOT_TIME}, {"lbl_log_message", SLOT_MESSAGE}})
        if (GtkWidget* label = func_lookup_widget(ui, id))
            func_bind_text(label, slot);
    build_table();
    style_calendar(widgets.calendar);
    GdkColor panel;
    gdk_color_parse(LUMEX_PANEL_BACKGROUND, &panel);
    gtk_widget_modify_bg(widgets.calendar_box, GTK_STATE_NORMAL, &panel);
    PangoFontDescription* month_font = pango_font_description_from_string("DejaVu Sans Bold 16");
    gtk_widget_modify_font(widgets.month, month_font);
    pango_font_description_free(month_font);
}

void func_show_logs_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_LOGS); }

void func_show_logs_calendar(GtkWidget*, gpointer)
{
    if (logs_shown())
        show_calendar(true);
}

void func_display_log(int kind)
{
    if (!logs_shown())
        return;
    if (kind >= 0) {
        guint year = 0, month = 0, day = 0;
        gtk_calendar_get_date(GTK_CALENDAR(widgets.calendar), &year, &month, &day);
        const int shown_month = static_cast<int>(month) + 1;
        const std::string date = func_format_log_date(shown_month, static_cast<int>(day), static_cast<int>(year));
        show_calendar(false);
        func_show_dialog(WAIT_DIALOG, p[SLOT_PLEASE_WAIT], 1, nullptr);
        std::vector<log_entry> entries;
        const log_read read =
            func_read_log_day(func_get_month_log_path(kind, shown_month, static_cast<int>(year)), date, entries);
        fill_table(entries);
        func_close_active_dialog();
        const int title = kind <= LOG_KIND_SYSERROR ? SLOT_KIND_TITLES[kind] : SLOT_TITLE;
        if (read == LOG_READ_MISSING)
            func_show_message(2, p[SLOT_NO_FILE]);
        else if (read == LOG_READ_FAILED)
            func_show_message(1, p[SLOT_NOT_READ]);
        else
            func_show_message(5, p[title] + "   " + date);
        logs_list().current_page = 1;
        func_update_page_info_test(static_cast<int>(entries.size()));
    } else {
        func_update_page_info_test(logs_list().total_items);
    }
    scroll_to_page();
    func_enable_disable_page_up_down_button();
}

void func_unload_logs_screen(GtkWidget*, gpointer)
{
    func_close_active_dialog();
    func_show_screen(SCREEN_HOME);
}
