// A console started in a sandbox, as far as its home screen, for tests
// that drive the real windows.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "formulas/formula_list.h"
#include "support/gui_support.h"
#include "support/sandbox.h"

class console_gui_test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The console's clock stands in March 2018.
    static constexpr const char* CHANGE_LOG = "log/03-2018-change.log";
    static constexpr const char* SYSERROR_LOG = "log/03-2018-syserror.log";

    // "Towels NNN" with 3 steps and 400 + number seconds unless given.
    static formula_record formula(int number, int active = 1, int steps = 3, int time = 0);
    void write_formula_list(const std::vector<formula_record>& records);
    // Writes formulas.dat with these formulas (numbers from 1 up).
    void write_formulas(int active, int inactive = 0);
    std::vector<formula_record> records_in_file() const;
    std::vector<int> numbers_in_file() const;
    // Writes the configuration file with these items changed from the defaults.
    void write_configuration(std::initializer_list<std::pair<int, float>> items);
    // Prepares the console (records, language, configuration, screens).
    void prepare_console();
    void show_home();

    GtkWidget* home_window() const;
    GtkWidget* home_widget(const std::string& name) const;
    std::string page_counter() const;
    std::vector<std::string> shown_formula_names() const;

    // Rows queued in the change-log transaction: (code, text).
    static std::vector<std::pair<int, std::string>> queued_lines();
    std::vector<std::string> change_log() const;
    std::vector<std::string> syserror_log() const;
    // Text of the open dialog without the blanks and line breaks around it.
    static std::string dialog_text();
    // Button `index` of the open dialog's action area; count of them.
    static GtkWidget* dialog_button(int index);
    static int dialog_buttons();
    // The data entry window (only a visible one unless told otherwise).
    static GtkWidget* data_entry_window(bool visible_only = true);

    sandbox_root sandbox;
};
