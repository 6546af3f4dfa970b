// A console started in a sandbox with formula 1's steps on disk, opened
// the way an operator gets there (formulas screen, the formula's step
// button), with readers for the step files and the two step screens.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "formulas/formulas_screen_fixture.h"
#include "formulas/selected_step_screen.h"
#include "formulas/steps_screen.h"
#include "frame/widget_style.h"
#include "support/tcc_helpers.h"

class step_screens_fixture : public formulas_screen_fixture {
protected:
    using texts = std::vector<std::string>;
    static constexpr const char* STEP_FILE = "formulas/f-001/steps.dat";

    void SetUp() override
    {
        formulas_screen_fixture::SetUp();
        shown_screens.insert(shown_screens.end(), {SCREEN_STEPS, SCREEN_SELECTED_STEP});
    }

    // A step named "Step %03d"; the other settings 0 unless given.
    static step_record step(int number, int type, int time, std::initializer_list<std::pair<int, int>> items = {})
    {
        char name[32];
        snprintf(name, sizeof name, "Step %03d", number);
        step_record record{number, name, {type, time}};
        for (const auto& [item, value] : items)
            record.items[item] = value;
        return record;
    }
    // A wash that fills with hot water, so step 1 may be saved.
    static step_record hot_wash(int number, int time = 120)
    {
        return step(number, STEP_ONE_WAY_WASH, time, {{STEP_HOT, 1}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}});
    }

    static std::string encode_steps(const std::vector<step_record>& steps)
    {
        return encode_records(steps, STEP_RECORD_SIZE, func_encode_step_record);
    }
    std::vector<step_record> steps_in_file() const
    {
        return decode_records<step_record>(sandbox.read_file(STEP_FILE), STEP_RECORD_SIZE, func_decode_step_record);
    }
    // "number name" of each record in steps.dat.
    std::vector<std::string> listing() const
    {
        std::vector<std::string> found;
        for (const step_record& record : steps_in_file())
            found.push_back(std::to_string(record.number) + " " + record.name);
        return found;
    }
    static std::string chemical_file(int step_number)
    {
        char name[64];
        snprintf(name, sizeof name, "formulas/f-001/s-%03d_chems.dat", step_number);
        return name;
    }

    // Temp probe, reuse drain, overhead tank, flow meters and recirculation fitted.
    void write_fully_equipped_machine() { write_configuration({{19, 1}, {11, 1}, {12, 1}, {13, 1}, {16, 1}}); }

    // Formula 1 with these steps and formula 2 on disk; start-up, home,
    // formulas screen, then formula 1's step button.
    void open_steps_screen(const std::vector<step_record>& steps)
    {
        write_formula_list({formula(1, 1, static_cast<int>(steps.size())), formula(2)});
        sandbox.write_file(STEP_FILE, encode_steps(steps));
        open_formulas_screen();
        press_row(0);
        tap(widget(row_name("btn_frm_step_#", 0)), 40);
        ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    }
    // The step on that row of the page shown: its name, then its type button.
    void open_step_on_row(int row)
    {
        press_step_row(row);
        tap(step_widget(row_name("btn_stp_type_#", row)), 40);
        ASSERT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    }

    GtkWidget* steps_window() const { return preloaded_display[SCREEN_STEPS].window; }
    GtkWidget* selected_window() const { return preloaded_display[SCREEN_SELECTED_STEP].window; }
    GtkWidget* step_widget(const std::string& name) const { return func_test_find_widget(steps_window(), name); }
    bool step_sensitive(const std::string& name) const { return gtk_widget_get_sensitive(step_widget(name)); }
    GtkWidget* value(int item) const
    {
        return func_test_find_widget(selected_window(), row_name("btn_stp_item_name_#", item));
    }
    std::string value_text(int item) const { return func_test_label_text(value(item)); }
    bool value_sensitive(int item) const { return gtk_widget_get_sensitive(value(item)); }
    texts shown_step_names() const { return func_test_row_labels(steps_window(), "btn_stp_name_#"); }
    void press_step_row(int row) { tap(step_widget(row_name("btn_stp_name_#", row)), 20); }
    page_list_info& steps_page() const { return page_info[SCREEN_STEPS].list; }

    // Opens a value's selection dialog and picks `text`.
    void choose(int item, const std::string& text) { choose_option(value(item), text); }

    // True when the button shows the picture of that file, pixel for pixel.
    bool shows_picture(GtkWidget* button, const char* file) const
    {
        GdkPixbuf* shown = func_get_button_picture(button);
        GdkPixbuf* expected = gdk_pixbuf_new_from_file(sandbox.path(std::string("image/") + file).c_str(), nullptr);
        gsize size = 0;
        const bool same = shown && expected && gdk_pixbuf_get_width(shown) == gdk_pixbuf_get_width(expected) &&
                          gdk_pixbuf_get_rowstride(shown) == gdk_pixbuf_get_rowstride(expected) &&
                          (size = gdk_pixbuf_get_byte_length(shown)) == gdk_pixbuf_get_byte_length(expected) &&
                          std::equal(gdk_pixbuf_read_pixels(shown), gdk_pixbuf_read_pixels(shown) + size,
                                     gdk_pixbuf_read_pixels(expected));
        if (expected)
            g_object_unref(expected);
        return same;
    }
};
