// A console in a sandbox with the dialogs driven the way an operator
// does: typing a value, picking an option, home's configuration menu.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "frame/app_state.h"
#include "frame/paging.h"
#include "support/console_fixture.h"
#include "support/core_data_fixture.h"

class part_a_gui_test : public console_gui_test {
protected:
    // Screens a test may show, hidden again after it with the dialogs.
    std::vector<int> shown_screens;
    void TearDown() override
    {
        func_unload_data_entry_screen();
        func_unload_selections_window(temporary_display_window);
        for (int code : shown_screens)
            if (preloaded_display && preloaded_display[code].window)
                gtk_widget_hide(preloaded_display[code].window);
        console_gui_test::TearDown();
    }

    // The line is in that log of the sandbox.
    bool logged(const std::string& line, const char* log = SYSERROR_LOG) const
    {
        const std::vector<std::string> found = read_log_texts(sandbox.read_file(log));
        return std::find(found.begin(), found.end(), line) != found.end();
    }

    // Opens the data entry dialog of `caller` for the item, types `text`
    // into the numeric (or text) field and saves.
    static void type_value(GtkWidget* caller, int item_code, const std::string& text, bool text_field = false)
    {
        func_show_data_entry_dialog(caller, GINT_TO_POINTER(item_code));
        GtkWidget* entry = func_test_find_widget(data_entry_window(), text_field ? "entry_text" : "entry_numeric");
        ASSERT_NE(nullptr, entry) << "no data entry field for item " << item_code;
        gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
        gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
        func_test_run_loop(30);
    }

    // The option of the open selection dialog labelled `text`.
    static GtkWidget* option(const std::string& text)
    {
        if (temporary_display_window)
            for (GtkWidget* button : func_test_find_widgets(temporary_display_window, "selections_#"))
                if (func_test_label_text(button) == text)
                    return button;
        return nullptr;
    }
    static std::vector<std::string> options()
    {
        return temporary_display_window ? func_test_row_labels(temporary_display_window, "selections_#")
                                        : std::vector<std::string>();
    }
    // Presses `button` for its selection dialog and picks `text`.
    static void choose_option(GtkWidget* button, const std::string& text)
    {
        func_test_release(button);
        func_test_run_loop(20);
        GtkWidget* picked = option(text);
        ASSERT_NE(nullptr, picked) << "no option " << text;
        func_test_release(picked);
        func_test_run_loop(30);
    }

    // Start-up, home, its configuration menu, and the menu's entry of that
    // row, which must be offered.
    void open_configuration_entry(int row)
    {
        prepare_console();
        show_home();
        ASSERT_TRUE(gtk_widget_get_sensitive(home_widget("btn_configuration")));
        func_test_release(home_widget("btn_configuration"));
        func_test_run_loop(20);
        ASSERT_NE(nullptr, temporary_display_window);
        GtkWidget* wanted = nullptr;
        for (GtkWidget* entry : func_test_find_widgets(temporary_display_window, "selections_#"))
            if (func_get_row_from_name(gtk_widget_get_name(entry)) == row)
                wanted = entry;
        ASSERT_NE(nullptr, wanted) << "no menu entry " << row;
        EXPECT_TRUE(gtk_widget_get_sensitive(wanted));
        func_test_release(wanted);
        func_test_run_loop(40);
    }
};
