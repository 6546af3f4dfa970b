// Which formula, step and post-dry numbers are free, and which number a
// new formula or step is offered.
#include <gtest/gtest.h>

#include <initializer_list>

#include "formulas/formula_list.h"
#include "formulas/formula_operations.h"
#include "support/core_data_fixture.h"

namespace {
class formula_numbers_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        gtk_list_store_clear(step_list_store);
        gtk_list_store_clear(post_dry_list_store);
    }

    void fill_formulas(std::initializer_list<int> numbers)
    {
        for (int number : numbers) {
            GtkTreeIter iter;
            gtk_list_store_append(formula_list_store, &iter);
            gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, number, FORMULA_COLUMN_ACTIVE, 1,
                               FORMULA_COLUMN_NAME, "Towels", -1);
        }
    }
    // Steps keep their settings in columns 0 to 23 and the number in 24;
    // the type column is set to the number too, so a lookup in the wrong
    // column would find the same values.
    void fill_steps(std::initializer_list<int> numbers, int type)
    {
        for (int number : numbers) {
            GtkTreeIter iter;
            gtk_list_store_append(step_list_store, &iter);
            gtk_list_store_set(step_list_store, &iter, 0, type, 24, number, 25, "Wash", -1);
        }
    }
    void fill_post_dry(std::initializer_list<int> numbers)
    {
        for (int number : numbers) {
            GtkTreeIter iter;
            gtk_list_store_append(post_dry_list_store, &iter);
            gtk_list_store_set(post_dry_list_store, &iter, 0, number, 1, 7, 2, 8, -1);
        }
    }
};

TEST_F(formula_numbers_test, a_new_formula_is_offered_the_number_after_the_highest)
{
    show_screen(SCREEN_FORMULAS);
    EXPECT_EQ(1, func_get_next_available_formula_step_number());
    fill_formulas({5, 1, 2});
    EXPECT_EQ(6, func_get_next_available_formula_step_number());
    EXPECT_EQ(0, func_formula_step_number_available(5));
    EXPECT_EQ(1, func_formula_step_number_available(3));
    EXPECT_EQ(1, func_formula_step_number_available(6));
}

TEST_F(formula_numbers_test, with_formula_999_present_the_first_gap_is_offered)
{
    show_screen(SCREEN_FORMULAS);
    fill_formulas({1, 2, 3, 999});
    EXPECT_EQ(4, func_get_next_available_formula_step_number());
}

TEST_F(formula_numbers_test, steps_are_checked_by_their_number_column)
{
    show_screen(SCREEN_STEPS);
    EXPECT_EQ(1, func_get_next_available_formula_step_number());
    fill_steps({1, 2, 3, 4}, 9);
    EXPECT_EQ(5, func_get_next_available_formula_step_number());
    EXPECT_EQ(0, func_formula_step_number_available(4));
    EXPECT_EQ(1, func_formula_step_number_available(9));  // a type value, not a step number
    // Formula numbers do not count on the steps screen.
    fill_formulas({5, 6});
    EXPECT_EQ(1, func_formula_step_number_available(6));
}

TEST_F(formula_numbers_test, post_dry_entries_are_checked_by_their_formula_number)
{
    show_screen(SCREEN_POST_DRY);
    fill_post_dry({12, 40});
    EXPECT_EQ(0, func_formula_step_number_available(40));
    EXPECT_EQ(1, func_formula_step_number_available(7));
    EXPECT_EQ(1, func_get_next_available_formula_step_number());
}

TEST_F(formula_numbers_test, other_screens_take_any_number_and_offer_one)
{
    fill_formulas({1, 2});
    fill_steps({1}, 0);
    for (int screen : {SCREEN_HOME, SCREEN_CONFIGURATION, SCREEN_SELECTED_STEP}) {
        show_screen(screen);
        EXPECT_EQ(1, func_formula_step_number_available(1)) << screen;
        EXPECT_EQ(1, func_get_next_available_formula_step_number()) << screen;
    }
}
}  // namespace
