// The logs screen as an operator uses it from home: a day on the
// calendar, a log, its records a page at a time, another month.
#include <gtest/gtest.h>

#include <ctime>

#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "logs/logs_screen.h"
#include "support/console_fixture.h"

namespace {
class logs_screen_gui_test : public console_gui_test {
protected:
    // count records of that day with texts "<prefix> <n>", appended to the file.
    void add_records(const std::string& relative, int month, int day, int count, const std::string& prefix)
    {
        struct tm moment = {};
        moment.tm_year = 2018 - 1900;
        moment.tm_mon = month - 1;
        moment.tm_mday = day;
        moment.tm_hour = 8;
        moment.tm_isdst = -1;
        std::string bytes = sandbox.read_file(relative);
        for (int n = 0; n < count; ++n) {
            unsigned char record[LOG_RECORD_SIZE];
            func_build_log_record(record, mktime(&moment), prefix + " " + std::to_string(n), n);
            bytes.append(reinterpret_cast<const char*>(record), sizeof record);
        }
        sandbox.write_file(relative, bytes);
    }
    GtkWidget* window() const { return preloaded_display[SCREEN_LOGS].window; }
    GtkWidget* widget(const char* name) const { return func_test_find_widget(window(), name); }
    void press(const char* name)
    {
        func_test_release(widget(name));
        func_test_run_loop(40);
    }
    std::string text(const char* name) const { return func_test_label_text(widget(name)); }
    // Number and message of each row of the table.
    static std::vector<std::string> rows()
    {
        std::vector<std::string> shown;
        GtkTreeModel* model = GTK_TREE_MODEL(log_tree_store);
        GtkTreeIter iter;
        for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more;
             more = gtk_tree_model_iter_next(model, &iter)) {
            gchar *number = nullptr, *message = nullptr;
            gtk_tree_model_get(model, &iter, 0, &number, 4, &message, -1);
            shown.push_back(std::string(number) + " " + message);
            g_free(number);
            g_free(message);
        }
        return shown;
    }
};

TEST_F(logs_screen_gui_test, a_days_records_page_by_page_and_another_month)
{
    add_records(CHANGE_LOG, 3, 25, 4, "day before");
    add_records(CHANGE_LOG, 3, 26, 25, "changed");
    add_records("log/02-2018-error.log", 2, 10, 2, "door open");
    prepare_console();
    show_home();
    func_test_release(home_widget("btn_log"));
    func_test_run_loop(40);
    ASSERT_EQ(func_current_screen_code(), SCREEN_LOGS);
    EXPECT_EQ(text("lbl_log_month"), "March 2018");
    func_test_save_screenshot(window(), "logs_calendar");

    press("btn_change_log");
    EXPECT_EQ(rows().size(), 25u) << "that day only";
    EXPECT_EQ(text("lbl_message_bar"), p[191] + "   03/26/2018");
    EXPECT_EQ(text("lbl_page_info"), "01 / 03");
    func_test_save_screenshot(window(), "logs_change_log_day");
    press("btn_page_down");
    EXPECT_EQ(text("lbl_page_info"), "02 / 03");
    GtkScrolledWindow* scrolled = GTK_SCROLLED_WINDOW(widget("scrwin_options_list"));
    EXPECT_EQ(gtk_adjustment_get_value(gtk_scrolled_window_get_vadjustment(scrolled)), LOG_ROWS_PER_PAGE * LOG_ROW_HEIGHT);

    // A month without a production log: said, and an empty table.
    press("btn_production_log");
    EXPECT_TRUE(rows().empty());
    func_test_save_screenshot(window(), "logs_empty_day");
    // The start's own lines are in this month's system error log.
    press("btn_syserror_log");
    EXPECT_FALSE(rows().empty());
    func_test_save_screenshot(window(), "logs_system_error_day");

    // Back to the calendar, a month earlier, the 10th.
    press("btn_log_calendar");
    press("btn_previous_month");
    EXPECT_EQ(text("lbl_log_month"), "February 2018");
    gtk_calendar_select_day(GTK_CALENDAR(widget("log_calendar")), 10);
    press("btn_error_log");
    EXPECT_EQ(rows(), (std::vector<std::string>{"0000 door open 0", "0001 door open 1"}));
    func_test_save_screenshot(window(), "logs_error_day");
    // A tap shows the whole record, also a second time.
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(widget("tv_options_list")));
    for (int tap = 0; tap < 2; ++tap) {
        gtk_tree_selection_select_path(selection, gtk_tree_path_new_from_indices(1, -1));
        func_test_run_loop(10);
        EXPECT_EQ(dialog_text(), "02/10/2018  08:00 AM\ndoor open 1");
        func_close_active_dialog();
    }

}
}  // namespace
