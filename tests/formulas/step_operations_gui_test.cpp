// Adding, inserting, pasting, renaming and deleting steps: the step file,
// the chemical files and the order they are renamed in, the formula's
// totals, the change-log lines, the refusals and the selection left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "entry/selection_dialog.h"
#include "files/atomic_file.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "formulas/step_operations.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screens.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "support/console_fixture.h"
#include "support/core_data_fixture.h"

namespace {
constexpr int FORMULA = 7;
constexpr const char* FOLDER = "formulas/f-007/";
// The console's clock stands in March 2018 (console_gui_test).
constexpr const char* SYSERROR_LOG = "log/03-2018-syserror.log";
constexpr const char* ERROR_LOG = "log/03-2018-error.log";

int harvests = 0;
int redraws = 0;
std::vector<std::string> chemical_renames;

void count_harvest() { ++harvests; }
void count_redraw() { ++redraws; }

std::string base_name(const char* path)
{
    std::string text = path;
    return text.substr(text.find_last_of('/') + 1);
}

// Records every rename of a chemical file, then does it.
int recording_rename(const char* from, const char* to)
{
    if (std::string(from).find("_chems") != std::string::npos)
        chemical_renames.push_back(base_name(from) + " -> " + base_name(to));
    return std::rename(from, to);
}

int32_t int_at(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return static_cast<int32_t>(value);
}

std::string chemicals_file(int step)
{
    char name[40];
    snprintf(name, sizeof name, "s-%03d_chems.dat", step);
    return std::string(FOLDER) + name;
}

std::string chemicals_of(int step) { return "chemicals of step " + std::to_string(step); }

// What one record of steps.dat holds, read by hand.
struct stored_step {
    int number;
    std::string name;
    int type, time, temperature, chemicals, reserved5;
};
}  // namespace

class step_operations_gui_test : public console_gui_test {
protected:
    void SetUp() override
    {
        console_gui_test::SetUp();
        harvests = redraws = 0;
        chemical_renames.clear();
    }

    void TearDown() override
    {
        func_reset_file_io_ops();
        if (prepared_) {
            func_list_screen_hooks(SCREEN_STEPS) = saved_hooks_;
            steps_screen_harvest = saved_harvest_;
        }
        for (GtkWidget* button : name_buttons_)
            if (button)
                gtk_widget_destroy(button);
        console_gui_test::TearDown();
    }

    // Formula 7 with `count` wash steps (step k: k * 100 s, 100 + k °F,
    // k chemicals) and a chemical file per step, shown on the steps screen.
    void open_formula(int count, const std::vector<int>& extract_steps = {}, bool chemical_files = true)
    {
        std::string formulas(68, '\0');
        put_u32_by_hand(formulas, 0, FORMULA);
        formulas.replace(4, 6, "Towels");
        put_u32_by_hand(formulas, 56, 1);
        sandbox.write_file("formulas/formulas.dat", formulas);

        std::string steps;
        for (int k = 1; k <= count; ++k) {
            std::string record(152, '\0');
            put_u32_by_hand(record, 0, static_cast<uint32_t>(k));
            const std::string name = "Step " + std::to_string(k);
            record.replace(4, name.size(), name);
            bool extract = false;
            for (int e : extract_steps)
                extract = extract || e == k;
            put_u32_by_hand(record, 56, extract ? 5 : 1);
            put_u32_by_hand(record, 60, static_cast<uint32_t>(k * 100));
            put_u32_by_hand(record, 64, static_cast<uint32_t>(100 + k));
            put_u32_by_hand(record, 68, 1);
            put_u32_by_hand(record, 88, static_cast<uint32_t>(k));
            put_u32_by_hand(record, 148, static_cast<uint32_t>(1000 + k));
            steps += record;
            if (chemical_files)
                sandbox.write_file(chemicals_file(k), chemicals_of(k));
        }
        sandbox.write_file(std::string(FOLDER) + "steps.dat", steps);

        prepare_console();
        prepared_ = true;
        saved_hooks_ = func_list_screen_hooks(SCREEN_STEPS);
        saved_harvest_ = steps_screen_harvest;
        func_reset_page_info();
        ASSERT_EQ(1, func_load_formula_list_from_file());
        page_list_info& formula_page = page_info[SCREEN_FORMULAS].list;
        formula_page.selected_number = FORMULA;
        formula_page.pressed_row = 0;
        formula_page.pressed_page = 1;

        // The steps screen as its own developer draws it is not needed:
        // the operations only see its page record and hooks.
        func_make_screen_current(SCREEN_STEPS, SCREEN_STEPS, 405, 400);
        list_screen_hooks hooks;
        hooks.display = count_redraw;
        func_list_screen_hooks(SCREEN_STEPS) = hooks;
        steps_screen_harvest = count_harvest;
        func_begin_log_transaction();
        func_load_step_list_from_file(FORMULA);
        ASSERT_EQ(count, func_get_step_row_count());
        steps_page().total_items = count;
        steps_page().rows_per_page = 6;
        func_file_io_ops().rename_file = recording_rename;
    }

    // What a press on the step's name button leaves in the page record.
    void select_step(int number)
    {
        page_list_info& info = steps_page();
        info.pressed_row = (number - 1) % 6;
        info.pressed_page = (number - 1) / 6 + 1;
        info.current_page = info.pressed_page;
        info.rows_shown = std::min(6, info.total_items - (info.current_page - 1) * 6);
        info.selected_number = number;
        snprintf(info.selected_text, sizeof info.selected_text, "Step %d", number);
    }

    page_list_info& steps_page() const { return page_info[SCREEN_STEPS].list; }

    std::vector<stored_step> steps_in_file() const
    {
        const std::string bytes = sandbox.read_file(std::string(FOLDER) + "steps.dat");
        std::vector<stored_step> steps;
        for (size_t at = 0; at + 152 <= bytes.size(); at += 152) {
            const std::string field = bytes.substr(at + 4, 52);
            steps.push_back({int_at(bytes, at), field.substr(0, field.find('\0')), int_at(bytes, at + 56),
                             int_at(bytes, at + 60), int_at(bytes, at + 64), int_at(bytes, at + 88),
                             int_at(bytes, at + 148)});
        }
        return steps;
    }
    std::vector<int> numbers_in_file() const
    {
        std::vector<int> numbers;
        for (const stored_step& step : steps_in_file())
            numbers.push_back(step.number);
        return numbers;
    }
    std::vector<std::string> names_in_file() const
    {
        std::vector<std::string> names;
        for (const stored_step& step : steps_in_file())
            names.push_back(step.name);
        return names;
    }
    // Step count and total time of formula 7, read from formulas.dat.
    std::pair<int, int> formula_totals() const
    {
        const std::string bytes = sandbox.read_file("formulas/formulas.dat");
        return {int_at(bytes, 60), int_at(bytes, 64)};
    }
    int time_sum() const
    {
        int total = 0;
        for (const stored_step& step : steps_in_file())
            total += step.time;
        return total;
    }
    std::vector<std::pair<int, std::string>> queued_lines() const
    {
        std::vector<std::pair<int, std::string>> lines;
        GtkTreeModel* model = GTK_TREE_MODEL(log_transaction_store);
        GtkTreeIter iter;
        if (!gtk_tree_model_get_iter_first(model, &iter))
            return lines;
        do {
            gint code = 0;
            gchar* text = nullptr;
            gtk_tree_model_get(model, &iter, 0, &code, 1, &text, -1);
            lines.emplace_back(code, text ? text : "");
            g_free(text);
        } while (gtk_tree_model_iter_next(model, &iter));
        return lines;
    }
    bool has_line(const char* log, const std::string& line) const
    {
        for (const std::string& text : read_log_texts(sandbox.read_file(log)))
            if (text == line)
                return true;
        return false;
    }
    static std::string dialog_text()
    {
        if (!dialog_window || !dialog_window_message)
            return "";
        std::string text = gtk_label_get_text(GTK_LABEL(dialog_window_message));
        const std::string before = "\n   ", after = "   \n";
        if (text.rfind(before, 0) == 0 && text.size() >= before.size() + after.size())
            text = text.substr(before.size(), text.size() - before.size() - after.size());
        return text;
    }
    static GtkWidget* dialog_button(int index)
    {
        GtkWidget* area = gtk_dialog_get_action_area(GTK_DIALOG(dialog_window));
        GList* children = gtk_container_get_children(GTK_CONTAINER(area));
        GtkWidget* button = GTK_WIDGET(g_list_nth_data(children, index));
        g_list_free(children);
        return button;
    }

    GtkWidget* name_buttons_[7] = {};

private:
    bool prepared_ = false;
    list_screen_hooks saved_hooks_;
    void (*saved_harvest_)() = nullptr;
};

// --- insert -----------------------------------------------------------------------------

TEST_F(step_operations_gui_test, add_before_step_2_renames_the_chemical_files_from_the_last_one_back)
{
    open_formula(4);
    select_step(2);
    func_insert_step_test(nullptr, 0);

    EXPECT_EQ((std::vector<std::string>{"s-004_chems.dat -> s-005_chems.dat", "s-003_chems.dat -> s-004_chems.dat",
                                        "s-002_chems.dat -> s-003_chems.dat"}),
              chemical_renames);
    const std::string new_name = "[I] " + p[187] + " 002";
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), numbers_in_file());
    EXPECT_EQ((std::vector<std::string>{"Step 1", new_name, "Step 2", "Step 3", "Step 4"}), names_in_file());
    const stored_step fresh = steps_in_file()[1];
    EXPECT_EQ(0, fresh.type);
    EXPECT_EQ(0, fresh.time);
    EXPECT_EQ(0, fresh.reserved5);
    EXPECT_EQ(1002, steps_in_file()[2].reserved5);  // old step 2 keeps its settings

    EXPECT_EQ(chemicals_of(1), sandbox.read_file(chemicals_file(1)));
    EXPECT_FALSE(sandbox.exists(chemicals_file(2)));
    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemicals_file(3)));
    EXPECT_EQ(chemicals_of(4), sandbox.read_file(chemicals_file(5)));
    EXPECT_EQ(std::make_pair(5, 1000), formula_totals());

    ASSERT_EQ(1u, queued_lines().size());
    EXPECT_EQ(std::make_pair(1, "------> [" + p[281] + "] S-002 (" + new_name + ")"), queued_lines()[0]);
    // The selection stays on its row, which now holds the new step.
    EXPECT_EQ(1, steps_page().pressed_row);
    EXPECT_EQ(2, steps_page().selected_number);
    EXPECT_EQ(new_name, steps_page().selected_text);
    EXPECT_EQ(5, steps_page().total_items);
    EXPECT_EQ(1, steps_page().reload);
    EXPECT_GE(harvests, 1);
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(nullptr, dialog_window);  // the wait dialog is closed
}

TEST_F(step_operations_gui_test, add_after_step_2_inserts_step_3_and_selects_it)
{
    open_formula(4);
    select_step(2);
    func_insert_step_test(nullptr, 1);

    EXPECT_EQ((std::vector<std::string>{"s-004_chems.dat -> s-005_chems.dat", "s-003_chems.dat -> s-004_chems.dat"}),
              chemical_renames);
    EXPECT_EQ((std::vector<std::string>{"Step 1", "Step 2", "[I] " + p[187] + " 003", "Step 3", "Step 4"}),
              names_in_file());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), numbers_in_file());
    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemicals_file(2)));
    EXPECT_FALSE(sandbox.exists(chemicals_file(3)));
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemicals_file(4)));
    EXPECT_EQ(2, steps_page().pressed_row);
    EXPECT_EQ(3, steps_page().selected_number);
}

TEST_F(step_operations_gui_test, add_after_the_last_row_of_a_page_selects_row_0_of_the_next_page)
{
    open_formula(7);
    select_step(6);
    func_insert_step_test(nullptr, 1);
    EXPECT_EQ(8, static_cast<int>(steps_in_file().size()));
    EXPECT_EQ(0, steps_page().pressed_row);
    EXPECT_EQ(2, steps_page().pressed_page);
    EXPECT_EQ(2, steps_page().current_page);
    EXPECT_EQ(7, steps_page().selected_number);
    EXPECT_EQ("[I] " + p[187] + " 007", std::string(steps_page().selected_text));
}

TEST_F(step_operations_gui_test, the_add_button_without_a_selection_appends_and_selects_the_new_step)
{
    open_formula(6);
    fun_add_insert_step(nullptr, nullptr);

    const std::string new_name = "[N] " + p[187] + " 007";
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), numbers_in_file());
    EXPECT_EQ(new_name, steps_in_file().back().name);
    EXPECT_EQ(std::make_pair(7, 2100), formula_totals());
    ASSERT_EQ(1u, queued_lines().size());
    EXPECT_EQ(std::make_pair(1, "------> [" + p[278] + "] S-007 (" + new_name + ")"), queued_lines()[0]);
    EXPECT_EQ(0, steps_page().pressed_row);
    EXPECT_EQ(2, steps_page().pressed_page);
    EXPECT_EQ(7, steps_page().selected_number);
    EXPECT_TRUE(chemical_renames.empty());
}

TEST_F(step_operations_gui_test, with_a_step_selected_the_buttons_offer_their_menus_first)
{
    open_formula(3);
    select_step(2);
    GtkWidget* add = gtk_button_new_with_label("");
    gtk_widget_set_name(add, "btn_add_step");
    g_object_ref_sink(add);
    fun_add_insert_step(add, nullptr);
    func_test_run_loop(20);
    EXPECT_NE(nullptr, temporary_display_window);
    EXPECT_EQ(3u, steps_in_file().size());  // nothing added before a choice
    func_unload_selections_window(temporary_display_window);
    g_object_unref(add);
}

TEST_F(step_operations_gui_test, a_formula_without_steps_gets_step_1)
{
    open_formula(0);
    fun_add_insert_step(nullptr, nullptr);
    EXPECT_EQ((std::vector<int>{1}), numbers_in_file());
    EXPECT_EQ(std::make_pair(1, 0), formula_totals());
    EXPECT_EQ(1, steps_page().selected_number);
}

TEST_F(step_operations_gui_test, cancel_or_no_selection_leaves_everything_as_it_was)
{
    open_formula(3);
    const std::string before = sandbox.read_file(std::string(FOLDER) + "steps.dat");
    select_step(2);
    func_insert_step_test(nullptr, STEP_MENU_CANCEL);
    func_copy_step_test(nullptr, STEP_MENU_CANCEL);
    steps_page().pressed_row = -1;
    steps_page().selected_number = -1;
    func_insert_step_test(nullptr, 0);
    func_copy_step_test(nullptr, 1);
    fun_copy_insert_step(nullptr, nullptr);
    func_delete_step_test(nullptr, nullptr);
    EXPECT_EQ(before, sandbox.read_file(std::string(FOLDER) + "steps.dat"));
    EXPECT_TRUE(queued_lines().empty());
    EXPECT_TRUE(chemical_renames.empty());
}

// --- paste ------------------------------------------------------------------------------

TEST_F(step_operations_gui_test, paste_after_step_2_gives_step_3_with_step_2s_settings_and_chemicals)
{
    open_formula(4);
    select_step(2);
    func_copy_step_test(nullptr, 1);

    const std::vector<stored_step> steps = steps_in_file();
    ASSERT_EQ(5u, steps.size());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), numbers_in_file());
    const std::string copy_name = "(" + p[282] + ") Step 2";
    EXPECT_EQ(copy_name, steps[2].name);
    EXPECT_EQ(200, steps[2].time);
    EXPECT_EQ(102, steps[2].temperature);
    EXPECT_EQ(2, steps[2].chemicals);
    EXPECT_EQ(1002, steps[2].reserved5);
    EXPECT_EQ(1003, steps[3].reserved5);

    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemicals_file(2)));
    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemicals_file(3)));
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemicals_file(4)));
    EXPECT_EQ(chemicals_of(4), sandbox.read_file(chemicals_file(5)));
    EXPECT_FALSE(sandbox.exists(std::string(FOLDER) + "s-003_chems"));
    EXPECT_EQ((std::vector<std::string>{"s-004_chems.dat -> s-005_chems.dat", "s-003_chems.dat -> s-004_chems.dat",
                                        "s-003_chems -> s-003_chems.dat"}),
              chemical_renames);
    EXPECT_EQ(std::make_pair(5, 1200), formula_totals());
    ASSERT_EQ(1u, queued_lines().size());
    EXPECT_EQ(std::make_pair(1, "------> [" + p[282] + "] S-002 (Step 2) --> S-003 (" + copy_name + ")"),
              queued_lines()[0]);
    EXPECT_EQ(3, steps_page().selected_number);
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, paste_before_a_step_without_chemicals_logs_the_copy_and_moves_the_rest)
{
    open_formula(3);
    std::remove(sandbox.path(chemicals_file(2)).c_str());
    select_step(2);
    func_copy_step_test(nullptr, 0);

    EXPECT_EQ((std::vector<std::string>{"Step 1", "(" + p[282] + ") Step 2", "Step 2", "Step 3"}), names_in_file());
    EXPECT_FALSE(sandbox.exists(chemicals_file(2)));
    EXPECT_FALSE(sandbox.exists(chemicals_file(3)));
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemicals_file(4)));
    EXPECT_TRUE(has_line(SYSERROR_LOG, "func_copy_file : Can't open source file : " + sandbox.path(chemicals_file(2))));
    EXPECT_EQ(2, steps_page().selected_number);  // the copy, on the row that was selected
}

TEST_F(step_operations_gui_test, paste_to_end_appends_a_c_copy_with_its_chemicals)
{
    open_formula(3);
    select_step(2);
    func_copy_step_test(nullptr, 2);
    const std::vector<stored_step> steps = steps_in_file();
    ASSERT_EQ(4u, steps.size());
    EXPECT_EQ(4, steps[3].number);
    EXPECT_EQ("[C] Step 2", steps[3].name);
    EXPECT_EQ(1002, steps[3].reserved5);
    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemicals_file(4)));
    EXPECT_TRUE(chemical_renames.empty());
    EXPECT_EQ(std::make_pair(1, "------> [" + p[282] + "] S-002 (Step 2) --> S-004 ([C] Step 2)"),
              queued_lines().at(0));
    EXPECT_EQ(4, steps_page().selected_number);
    EXPECT_EQ(std::make_pair(4, time_sum()), formula_totals());
}

TEST_F(step_operations_gui_test, a_selected_step_missing_from_the_list_cannot_be_pasted)
{
    open_formula(3);
    select_step(2);
    steps_page().selected_number = 9;
    func_copy_step_test(nullptr, 1);
    EXPECT_EQ(p[284] + " Step 2", dialog_text());
    EXPECT_TRUE(has_line(SYSERROR_LOG, "func_copy_step: step buffer is NULL."));
    EXPECT_EQ(3u, steps_in_file().size());
}

// --- delete -------------------------------------------------------------------------------

TEST_F(step_operations_gui_test, deleting_step_2_of_5_removes_its_file_and_renames_front_to_back)
{
    open_formula(5);
    select_step(2);
    func_delete_step_test(nullptr, nullptr);

    EXPECT_EQ((std::vector<std::string>{"s-003_chems.dat -> s-002_chems.dat", "s-004_chems.dat -> s-003_chems.dat",
                                        "s-005_chems.dat -> s-004_chems.dat"}),
              chemical_renames);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), numbers_in_file());
    EXPECT_EQ((std::vector<std::string>{"Step 1", "Step 3", "Step 4", "Step 5"}), names_in_file());
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemicals_file(2)));
    EXPECT_EQ(chemicals_of(5), sandbox.read_file(chemicals_file(4)));
    EXPECT_FALSE(sandbox.exists(chemicals_file(5)));
    EXPECT_EQ(std::make_pair(4, 1300), formula_totals());
    ASSERT_EQ(1u, queued_lines().size());
    EXPECT_EQ(std::make_pair(1, "------> [" + p[279] + "] S-002 (Step 2)"), queued_lines()[0]);
    // The step before the deleted one is selected.
    EXPECT_EQ(0, steps_page().pressed_row);
    EXPECT_EQ(1, steps_page().selected_number);
    EXPECT_EQ("Step 1", std::string(steps_page().selected_text));
    EXPECT_EQ(4, steps_page().total_items);
    EXPECT_EQ(1, steps_page().reload);
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, deleting_the_only_step_leaves_nothing_selected)
{
    open_formula(1);
    select_step(1);
    func_delete_step_test(nullptr, nullptr);
    EXPECT_TRUE(steps_in_file().empty());
    EXPECT_EQ(0u, sandbox.read_file(std::string(FOLDER) + "steps.dat").size());
    EXPECT_FALSE(sandbox.exists(chemicals_file(1)));
    EXPECT_EQ(-1, steps_page().pressed_row);
    EXPECT_EQ(-1, steps_page().selected_number);
    EXPECT_EQ(std::make_pair(0, 0), formula_totals());
}

TEST_F(step_operations_gui_test, delete_is_refused_where_two_extracts_or_a_leading_extract_would_follow)
{
    open_formula(5, {2, 4});
    select_step(1);
    EXPECT_EQ(0, func_validate_delete_step());
    EXPECT_EQ(p[685], dialog_text());
    EXPECT_TRUE(has_line(ERROR_LOG, p[685]));
    func_close_active_dialog();

    select_step(3);
    EXPECT_EQ(0, func_validate_delete_step());
    EXPECT_EQ(p[398], dialog_text());
    func_close_active_dialog();
    // No confirmation is offered for a refused step, and nothing changes.
    const std::string before = sandbox.read_file(std::string(FOLDER) + "steps.dat");
    func_confirm_delete_step(nullptr, nullptr);
    EXPECT_EQ(p[398], dialog_text());
    func_close_active_dialog();
    EXPECT_EQ(before, sandbox.read_file(std::string(FOLDER) + "steps.dat"));

    select_step(5);  // the last step, right after an extract
    EXPECT_EQ(1, func_validate_delete_step());
    select_step(2);  // between two washes
    EXPECT_EQ(1, func_validate_delete_step());
    func_set_step_row(1, step_record{2, "Wash", {1}});
    select_step(3);  // only one extract beside it now
    EXPECT_EQ(1, func_validate_delete_step());
    select_step(1);
    EXPECT_EQ(1, func_validate_delete_step());
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, the_confirmation_names_the_step_and_its_ok_deletes_it)
{
    open_formula(3);
    select_step(3);
    func_confirm_delete_step(nullptr, nullptr);
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[279] + " S-003 (Step 3) ?", dialog_text());
    func_test_release(dialog_button(0));
    func_test_run_loop(20);
    EXPECT_EQ((std::vector<int>{1, 2}), numbers_in_file());
    EXPECT_FALSE(sandbox.exists(chemicals_file(3)));
    EXPECT_EQ(2, steps_page().selected_number);
    EXPECT_EQ(nullptr, dialog_window);
}

// --- the 99 limit ---------------------------------------------------------------------------

TEST_F(step_operations_gui_test, ninety_nine_steps_refuse_every_addition_and_98_take_one_more)
{
    open_formula(99, {}, false);
    select_step(50);
    const std::string full = sandbox.read_file(std::string(FOLDER) + "steps.dat");
    func_add_step_test(nullptr);
    func_insert_step_test(nullptr, 0);
    func_copy_step_test(nullptr, 1);
    func_add_step_copy_test(nullptr, 50);
    EXPECT_EQ(full, sandbox.read_file(std::string(FOLDER) + "steps.dat"));
    EXPECT_EQ(99, func_get_step_row_count());
    EXPECT_TRUE(queued_lines().empty());
    EXPECT_TRUE(has_line(SYSERROR_LOG, "add_new_step : Max Number of step reached, no new step can be added"));
    EXPECT_TRUE(has_line(SYSERROR_LOG, "func_copy_step : Max Number of step reached, no new step can be added"));
    EXPECT_TRUE(
        has_line(SYSERROR_LOG, "add_new_step_copy : Max Number of step reached, no new step can be added"));
}

TEST_F(step_operations_gui_test, a_formula_of_98_steps_accepts_the_99th)
{
    open_formula(98, {}, false);
    select_step(98);
    func_insert_step_test(nullptr, 1);
    EXPECT_EQ(99u, steps_in_file().size());
    EXPECT_EQ(99, formula_totals().first);
    EXPECT_EQ(99, steps_page().selected_number);
    EXPECT_EQ(2, steps_page().pressed_row);  // step 99: page 17, row 2
    EXPECT_EQ(17, steps_page().pressed_page);
}

// --- rename ---------------------------------------------------------------------------------

TEST_F(step_operations_gui_test, rename_opens_the_data_entry_on_the_selected_name_button)
{
    open_formula(3);
    for (int row = 0; row < 3; ++row) {
        name_buttons_[row] = gtk_button_new_with_label(("Step " + std::to_string(row + 1)).c_str());
        gtk_widget_set_name(name_buttons_[row], ("btn_stp_name_#00" + std::to_string(row)).c_str());
    }
    func_list_screen_hooks(SCREEN_STEPS).name_buttons = name_buttons_;
    select_step(2);
    steps_page().reload = 0;
    func_rename_step_test(nullptr, nullptr);
    func_test_run_loop(30);

    GtkWidget* entry_window = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
        if (g_strcmp0(gtk_widget_get_name(GTK_WIDGET(item->data)), "win_data_entry") == 0 &&
            gtk_widget_get_visible(GTK_WIDGET(item->data)))
            entry_window = GTK_WIDGET(item->data);
    g_list_free(windows);
    ASSERT_NE(nullptr, entry_window);
    EXPECT_EQ(1, steps_page().reload);
    EXPECT_GE(harvests, 1);

    gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(entry_window, "entry_text")), "Heavy soil");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(entry_window, "btn_save")));
    func_test_run_loop(30);
    EXPECT_EQ("Heavy soil", func_test_label_text(name_buttons_[1]));
    EXPECT_EQ("Step 1", func_test_label_text(name_buttons_[0]));
}
