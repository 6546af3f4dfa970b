// A change of level unit touches every formula and the configuration:
// whatever fails or wherever the power goes, they end in one unit.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "formulas/level_unit.h"
#include "support/core_data_fixture.h"
#include "support/part_a_records.h"

namespace {
class level_unit_test : public core_data_test {
protected:
    void TearDown() override
    {
        func_reset_file_io_ops();
        core_data_test::TearDown();
    }
    // Formulas 1 and 2, each one step at that level, and a configuration
    // in inches.
    void write_formulas_at(int level1, int level2)
    {
        std::vector<formula_record> formulas(2);
        for (int number : {1, 2}) {
            formulas[number - 1].number = number;
            formulas[number - 1].name = "F";
            step_record step{1, "", {}};
            step.items[STEP_LEVEL] = number == 1 ? level1 : level2;
            step.items[STEP_TIME] = 77;
            // A partial record after the step stays as it is.
            sandbox.write_file(steps(number), encode_records(std::vector<step_record>{step}, STEP_RECORD_SIZE,
                                                             func_encode_step_record) + "tail");
        }
        sandbox.write_file("formulas/formulas.dat",
                           encode_records(formulas, FORMULA_RECORD_SIZE, func_encode_formula_record));
        machine_configuration configuration;
        func_set_default_configuration(configuration);
        ASSERT_EQ(func_save_configuration(configuration), 1);
    }
    static std::string steps(int formula) { return "formulas/f-00" + std::to_string(formula) + "/steps.dat"; }
    int level_in_file(int formula) const
    {
        step_record step;
        func_decode_step_record(reinterpret_cast<const unsigned char*>(sandbox.read_file(steps(formula)).data()), step);
        return step.items[STEP_LEVEL];
    }
    // The configuration in centimetres, as the screen saves it.
    static int save_in_centimetres()
    {
        machine_configuration record = *current_machine_configuration;
        func_convert_configuration_levels(record, 1);
        return func_save_configuration(record);
    }
    bool leftovers() const
    {
        return sandbox.exists("formulas/level-unit.journal") || sandbox.exists("formulas/f-001/steps.level-unit") ||
               sandbox.exists("formulas/f-002/steps.level-unit");
    }
};

TEST_F(level_unit_test, every_formula_and_the_configuration_change_together)
{
    write_formulas_at(800, 1000);
    ASSERT_EQ(func_change_level_unit(1, false, save_in_centimetres), 1);
    EXPECT_EQ(level_in_file(1), 2031);
    EXPECT_EQ(level_in_file(2), 2539);
    EXPECT_EQ(sandbox.read_file(steps(1)).substr(STEP_RECORD_SIZE), "tail");
    EXPECT_EQ(current_machine_configuration->items[0], 1.0f);
    EXPECT_EQ(current_machine_configuration->items[26], 2032.0f);
    EXPECT_FALSE(leftovers());
}

TEST_F(level_unit_test, a_failed_write_or_configuration_save_changes_nothing)
{
    write_formulas_at(800, 1000);
    const std::string first = sandbox.read_file(steps(1)), second = sandbox.read_file(steps(2));
    sandbox.refuse_writes_under({"formulas/f-002"});
    bool asked = false;
    EXPECT_EQ(func_change_level_unit(1, false, [&asked] { asked = true; return 1; }), 0);
    EXPECT_FALSE(asked);
    sandbox.refuse_writes_under({});
    EXPECT_EQ(func_change_level_unit(1, false, [] { return 0; }), 0);
    EXPECT_EQ(sandbox.read_file(steps(1)), first);
    EXPECT_EQ(sandbox.read_file(steps(2)), second);
    EXPECT_EQ(current_machine_configuration->items[0], 0.0f);
    EXPECT_FALSE(leftovers());
}

TEST_F(level_unit_test, a_cut_before_the_journal_is_dropped_and_one_after_it_is_finished)
{
    write_formulas_at(800, 1000);
    const std::string first = sandbox.read_file(steps(1));
    // Cut while the converted files were being written: undecided.
    sandbox.write_file("formulas/level-unit.journal", "staging\n");
    sandbox.write_file("formulas/f-001/steps.level-unit", "half");
    EXPECT_EQ(func_finish_level_unit_change(), 0);
    EXPECT_EQ(sandbox.read_file(steps(1)), first);
    EXPECT_FALSE(leftovers());

    // Cut after the point of no return, before any file was put in place:
    // renames fail as the power would have stopped them.
    func_file_io_ops().rename_file = [](const char* from, const char* to) {
        if (std::strstr(from, "steps.level-unit")) {
            errno = EIO;
            return -1;
        }
        return ::rename(from, to);
    };
    EXPECT_EQ(func_change_level_unit(1, false, [] { return 1; }), 0);
    EXPECT_EQ(level_in_file(1), 800);
    EXPECT_TRUE(sandbox.exists("formulas/level-unit.journal"));
    func_reset_file_io_ops();
    // The next start finishes it, the configuration included.
    EXPECT_EQ(func_finish_level_unit_change(), 1);
    EXPECT_EQ(level_in_file(1), 2031);
    EXPECT_EQ(level_in_file(2), 2539);
    EXPECT_EQ(current_machine_configuration->items[0], 1.0f);
    EXPECT_EQ(current_machine_configuration->items[26], 2032.0f);
    EXPECT_FALSE(leftovers());
    EXPECT_EQ(func_finish_level_unit_change(), 0);  // and only once
}
}  // namespace
