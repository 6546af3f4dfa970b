// Which formula and step numbers are free, and which number a new
// formula or step is offered, also when a file holds numbers no screen
// could show.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "formulas/formula_list.h"
#include "formulas/step_files.h"
#include "support/core_data_fixture.h"

namespace {
class formula_numbers_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        func_remove_all_step_rows();
    }

    void fill_formulas(std::initializer_list<int> numbers)
    {
        for (int number : numbers)
            func_append_formula_row(formula_record{number, "Towels", 1, 0, 0});
    }
    // The type item is set to the number too, so a lookup in the wrong
    // column would find the same values.
    void fill_steps(std::initializer_list<int> numbers)
    {
        for (int number : numbers) {
            step_record step;
            step.number = number;
            step.items[STEP_TYPE] = number;
            func_append_step_row(step);
        }
    }
};

TEST_F(formula_numbers_test, a_new_formula_is_offered_the_number_after_the_highest_or_the_first_gap)
{
    EXPECT_EQ(1, func_get_next_free_formula_number());
    fill_formulas({5, 1, 2});
    EXPECT_EQ(6, func_get_next_free_formula_number());
    EXPECT_TRUE(func_formula_number_taken(5));
    EXPECT_FALSE(func_formula_number_taken(3));
    fill_formulas({999});
    EXPECT_EQ(3, func_get_next_free_formula_number());
}

TEST_F(formula_numbers_test, numbers_from_a_file_outside_the_range_never_reach_the_arithmetic)
{
    fill_formulas({INT_MAX, 4, -7});
    EXPECT_EQ(5, func_get_next_free_formula_number());
    fill_steps({INT_MAX, 2, INT_MIN});
    EXPECT_EQ(3, func_get_next_free_step_number());
}

TEST_F(formula_numbers_test, steps_are_counted_by_their_numbers_and_stop_at_99)
{
    EXPECT_EQ(1, func_get_next_free_step_number());
    fill_steps({1, 2, 3, 4});
    EXPECT_EQ(5, func_get_next_free_step_number());
    EXPECT_FALSE(func_step_list_full());
    func_remove_all_step_rows();
    for (int number = 1; number <= STEP_LIST_MAX; ++number)
        fill_steps({number});
    EXPECT_TRUE(func_step_list_full());
}
}  // namespace
