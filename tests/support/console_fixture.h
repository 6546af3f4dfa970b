// A console started in a sandbox, as far as its home screen, for tests
// that drive the real windows.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formulas/formula_list.h"
#include "support/gui_support.h"
#include "support/sandbox.h"

class console_gui_test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes formulas.dat with these formulas (numbers from 1 up).
    void write_formulas(int active, int inactive);
    // Writes the configuration file with one item changed from the defaults.
    void write_configuration_item(int item, float value);
    // Prepares the console (records, language, configuration, screens).
    void prepare_console();
    void show_home();

    GtkWidget* home_window() const;
    GtkWidget* home_widget(const std::string& name) const;
    std::string page_counter() const;
    std::vector<std::string> shown_formula_names() const;

    sandbox_root sandbox;
};
