// A console started in a sandbox with one formula's steps on disk, opened
// the way an operator gets there (formulas screen, a formula's step
// button), with readers for the step files and the two step screens.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "configuration/configuration_record.h"
#include "entry/selection_dialog.h"
#include "formulas/formulas_screen_fixture.h"
#include "formulas/selected_step_screen.h"
#include "formulas/step_list.h"
#include "formulas/steps_screen.h"
#include "frame/paging.h"
#include "language/option_tables.h"

class step_screens_fixture : public formulas_screen_fixture {
protected:
    static constexpr const char* STEP_FILE = "formulas/f-001/steps.dat";

    void TearDown() override
    {
        func_unload_selections_window(temporary_display_window);
        for (int code : {SCREEN_STEPS, SCREEN_SELECTED_STEP})
            if (preloaded_display && preloaded_display[code].window)
                gtk_widget_hide(preloaded_display[code].window);
        formulas_screen_fixture::TearDown();
    }

    // A step named "Step %03d"; the other settings 0 unless given.
    static step_record step(int number, int type, int time, std::initializer_list<std::pair<int, int>> items = {})
    {
        step_record record;
        record.number = number;
        char name[32];
        snprintf(name, sizeof name, "Step %03d", number);
        record.name = name;
        record.items[STEP_TYPE] = type;
        record.items[STEP_TIME] = time;
        for (const auto& item : items)
            record.items[item.first] = item.second;
        return record;
    }
    // A wash that fills with hot water, so step 1 may be saved.
    static step_record hot_wash(int number, int time = 120)
    {
        return step(number, STEP_ONE_WAY_WASH, time, {{STEP_HOT, 1}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}});
    }

    static std::string encode_steps(const std::vector<step_record>& steps)
    {
        std::string bytes;
        for (const step_record& record : steps) {
            unsigned char encoded[STEP_RECORD_SIZE];
            func_encode_step_record(record, encoded);
            bytes.append(reinterpret_cast<const char*>(encoded), sizeof encoded);
        }
        return bytes;
    }
    void write_steps(const std::vector<step_record>& steps)
    {
        sandbox.write_file(STEP_FILE, encode_steps(steps));
    }
    std::vector<step_record> steps_in_file() const
    {
        const std::string bytes = sandbox.read_file(STEP_FILE);
        std::vector<step_record> steps;
        for (size_t at = 0; at + STEP_RECORD_SIZE <= bytes.size(); at += STEP_RECORD_SIZE) {
            step_record record;
            func_decode_step_record(reinterpret_cast<const unsigned char*>(bytes.data() + at), record);
            steps.push_back(record);
        }
        return steps;
    }
    static std::string chemical_file(int step_number)
    {
        char name[64];
        snprintf(name, sizeof name, "formulas/f-001/s-%03d_chems.dat", step_number);
        return name;
    }

    // The configuration file with these items changed from the defaults.
    void write_configuration(std::initializer_list<std::pair<int, float>> items)
    {
        machine_configuration record;
        func_set_default_configuration(record);
        for (const auto& item : items)
            record.items[item.first] = item.second;
        unsigned char bytes[CONFIGURATION_RECORD_SIZE];
        func_encode_configuration(record, bytes);
        sandbox.write_file("configuration/default.cfg",
                           std::string(reinterpret_cast<const char*>(bytes), sizeof bytes));
    }
    // Temp probe, reuse drain, overhead tank, flow meters and recirculation fitted.
    void write_fully_equipped_machine()
    {
        write_configuration({{19, 1.0f}, {11, 1.0f}, {12, 1.0f}, {13, 1.0f}, {16, 1.0f}});
    }

    // Formula 1 with these steps; start-up, home, formulas screen, then
    // formula 1's step button.
    void open_steps_screen(const std::vector<step_record>& steps)
    {
        std::vector<formula_record> formulas = {formula(1, 1, static_cast<int>(steps.size())), formula(2)};
        write_formula_list(formulas);
        write_steps(steps);
        open_formulas_screen();
        press_row(0);
        func_test_release(widget(row_name("btn_frm_step_#", 0)));
        func_test_run_loop(40);
        ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    }
    // The steps screen, then a step's row and its type button.
    void open_selected_step_screen(const std::vector<step_record>& steps, int step_number)
    {
        open_steps_screen(steps);
        const int row = (step_number - 1) % STEPS_ROWS;
        while (steps_page().current_page < (step_number - 1) / STEPS_ROWS + 1) {
            func_test_release(step_widget("btn_page_down"));
            func_test_run_loop(20);
        }
        press_step_row(row);
        func_test_release(step_widget(row_name("btn_stp_type_#", row)));
        func_test_run_loop(40);
        ASSERT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    }

    GtkWidget* steps_window() const { return preloaded_display[SCREEN_STEPS].window; }
    GtkWidget* selected_window() const { return preloaded_display[SCREEN_SELECTED_STEP].window; }
    GtkWidget* step_widget(const std::string& name) const { return func_test_find_widget(steps_window(), name); }
    GtkWidget* value(int item) const
    {
        return func_test_find_widget(selected_window(), row_name("btn_stp_item_name_#", item));
    }
    std::string value_text(int item) const { return func_test_label_text(value(item)); }
    bool value_sensitive(int item) const { return value(item) && gtk_widget_get_sensitive(value(item)); }
    bool step_sensitive(const std::string& name) const
    {
        GtkWidget* found = step_widget(name);
        return found && gtk_widget_get_sensitive(found);
    }
    std::vector<std::string> shown_step_names() const
    {
        return func_test_row_labels(steps_window(), "btn_stp_name_#");
    }
    void press_step_row(int row)
    {
        func_test_release(step_widget(row_name("btn_stp_name_#", row)));
        func_test_run_loop(20);
    }
    page_list_info& steps_page() const { return page_info[SCREEN_STEPS].list; }

    // The option of the open selection dialog labelled `text`.
    static GtkWidget* option(const std::string& text)
    {
        if (!temporary_display_window)
            return nullptr;
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
    // Opens a value's selection dialog and picks `text`.
    void choose(int item, const std::string& text)
    {
        func_test_release(value(item));
        func_test_run_loop(20);
        GtkWidget* picked = option(text);
        ASSERT_NE(nullptr, picked) << "no option " << text << " for item " << item;
        func_test_release(picked);
        func_test_run_loop(20);
    }

    // True when the button shows the picture of that file.
    bool shows_picture(GtkWidget* button, const char* file) const
    {
        GtkWidget* image = button ? gtk_button_get_image(GTK_BUTTON(button)) : nullptr;
        if (!image || !GTK_IS_IMAGE(image) || gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_PIXBUF)
            return false;
        GdkPixbuf* shown = gtk_image_get_pixbuf(GTK_IMAGE(image));
        GdkPixbuf* expected = gdk_pixbuf_new_from_file(sandbox.path(std::string("image/") + file).c_str(), nullptr);
        bool same = shown && expected && gdk_pixbuf_get_width(shown) == gdk_pixbuf_get_width(expected) &&
                    gdk_pixbuf_get_height(shown) == gdk_pixbuf_get_height(expected) &&
                    gdk_pixbuf_get_rowstride(shown) == gdk_pixbuf_get_rowstride(expected);
        if (same) {
            // The last row of a pixbuf stops at its width, not at the stride.
            const size_t size = static_cast<size_t>(gdk_pixbuf_get_rowstride(shown)) *
                                    static_cast<size_t>(gdk_pixbuf_get_height(shown) - 1) +
                                static_cast<size_t>(gdk_pixbuf_get_width(shown) * gdk_pixbuf_get_n_channels(shown));
            same = std::string(reinterpret_cast<const char*>(gdk_pixbuf_get_pixels(shown)), size) ==
                   std::string(reinterpret_cast<const char*>(gdk_pixbuf_get_pixels(expected)), size);
        }
        if (expected)
            g_object_unref(expected);
        return same;
    }
};
