// A console started in a sandbox and showing the formulas screen.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>

#include "formulas/formulas_screen.h"
#include "frame/dialogs.h"
#include "support/part_a_gui.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

class formulas_screen_fixture : public part_a_gui_test {
protected:
    void SetUp() override
    {
        part_a_gui_test::SetUp();
        shown_screens = {SCREEN_FORMULAS};
    }

    // Start-up, home, then the formulas screen as the home button shows it.
    void open_formulas_screen()
    {
        prepare_console();
        show_home();
        func_show_formulas_screen(nullptr, nullptr);
        func_test_run_loop(60);
    }

    GtkWidget* formulas_window() const { return preloaded_display[SCREEN_FORMULAS].window; }
    GtkWidget* widget(const std::string& name) const { return func_test_find_widget(formulas_window(), name); }
    std::string label(const std::string& name) const { return func_test_label_text(widget(name)); }
    static std::string row_name(const char* prefix, int row)
    {
        char name[40];
        snprintf(name, sizeof name, "%s%03d", prefix, row);
        return name;
    }
    void press_row(int row) { tap(widget(row_name("btn_frm_name_#", row)), 20); }
    bool sensitive(const std::string& name) const { return gtk_widget_get_sensitive(widget(name)); }
    page_list_info& formulas_page() const { return page_info[SCREEN_FORMULAS].list; }
};
