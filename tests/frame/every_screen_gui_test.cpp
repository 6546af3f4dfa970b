// Every registered screen and every dialog as an operator meets them:
// whole again the second time they are shown, every text fitting its
// space and readable on its background, every button large enough for a
// finger. Screenshots of each go to the screenshot folder.
#include <gtest/gtest.h>

#include <functional>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "support/console_fixture.h"

namespace {
// One thing an operator can bring up: how, and how it goes away.
struct showing {
    std::string name;
    std::function<GtkWidget*()> show;
    std::function<void()> leave;
};

class every_screen_gui_test : public console_gui_test {
protected:
    void SetUp() override
    {
        console_gui_test::SetUp();
        // A name as long as its field: it must end in an ellipsis, not be cut.
        std::vector<formula_record> records;
        for (int number = 1; number <= 8; ++number)
            records.push_back(formula(number));
        records[1].name = "Bath towels, heavily soiled, extra rinse and soft";
        write_formula_list(records);
        std::string steps;
        for (int number = 1; number <= 3; ++number) {
            step_record step{number, "Step " + std::to_string(number), {number == 3 ? 5 : 1, 120}};
            step.items[STEP_HOT] = 1;
            unsigned char bytes[STEP_RECORD_SIZE];
            func_encode_step_record(step, bytes);
            steps.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
        }
        sandbox.write_file("formulas/f-001/steps.dat", steps);
        prepare_console();
        show_home();
        // Formula 1 and its step 1 chosen, as on the way to the step screens.
        page_info_record& formulas = page_info[SCREEN_FORMULAS];
        formulas.list.selected_number = 1;
        g_strlcpy(formulas.list.selected_text, "Towels 001", sizeof formulas.list.selected_text);
        page_info[SCREEN_STEPS].list.selected_number = 1;
        caller_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        caller = gtk_button_new_with_label("120");
        gtk_widget_set_name(caller, "btn_value_#000");
        gtk_container_add(GTK_CONTAINER(caller_window), caller);
    }
    void TearDown() override
    {
        func_unload_data_entry_screen();
        func_unload_selections_window(temporary_display_window);
        gtk_widget_destroy(caller_window);
        console_gui_test::TearDown();
    }

    GtkWidget* settled(GtkWidget* window)
    {
        func_test_run_loop(80);
        return window;
    }

    // Everything there is to show, each with its way back.
    std::vector<showing> everything()
    {
        std::vector<showing> all;
        for (int code : func_registered_screens())
            all.push_back({std::string("screen_") + func_get_screen(code)->name,
                           [this, code] {
                               func_show_screen(code);
                               return settled(preloaded_display[code].window);
                           },
                           [] { func_show_screen(SCREEN_HOME); }});
        for (int kind = 1; kind <= 31; ++kind)
            all.push_back({"dialog_kind_" + std::to_string(kind),
                           [this, kind] {
                               func_show_dialog(kind, "Formula 012 could not be renamed.", 1, nullptr);
                               return settled(dialog_window);
                           },
                           [] { func_close_active_dialog(); }});
        // The data entry dialog in each of its layouts.
        for (int code : {0, 25, 3, 40, 41, 43, 26, 37, 44, 1})
            all.push_back({"data_entry_item_" + std::to_string(code),
                           [this, code] {
                               gtk_button_set_label(GTK_BUTTON(caller), code == 3 ? "01:30" : "120");
                               func_show_data_entry_dialog(caller, GINT_TO_POINTER(code));
                               return settled(data_entry_window());
                           },
                           [] {
                               gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_cancel")));
                           }});
        all.push_back({"selection_home_menu",
                       [this] {
                           func_show_screen(SCREEN_HOME);
                           func_unload_home_screen_4_configuration(home_widget("btn_configuration"), nullptr);
                           return settled(temporary_display_window);
                       },
                       [] { func_unload_selections_window(temporary_display_window); }});
        return all;
    }

    GtkWidget* caller_window = nullptr;
    GtkWidget* caller = nullptr;
};

TEST_F(every_screen_gui_test, every_screen_and_dialog_is_whole_again_readable_and_takes_a_finger)
{
    for (const showing& each : everything()) {
        GtkWidget* window = each.show();
        ASSERT_NE(nullptr, window) << each.name;
        const std::vector<std::string> first = func_test_shown_names(window);
        each.leave();
        func_test_run_loop(30);
        window = each.show();
        ASSERT_NE(nullptr, window) << each.name;
        EXPECT_EQ(first, func_test_shown_names(window)) << each.name << " lost or gained widgets";
        func_test_save_screenshot(window, each.name);
        for (const std::string& fault : func_test_texts_that_do_not_fit(window))
            ADD_FAILURE() << each.name << ": does not fit: " << fault;
        for (const std::string& fault : func_test_unreadable_texts(window))
            ADD_FAILURE() << each.name << ": hard to read: " << fault;
        for (const std::string& fault : func_test_small_buttons(window, 48))
            ADD_FAILURE() << each.name << ": too small to touch: " << fault;
        each.leave();
    }
    // The loader names the file and id of every widget it misses.
    for (const std::string& line : syserror_log())
        EXPECT_EQ(std::string::npos, line.find("not found in")) << line;
}
}  // namespace
