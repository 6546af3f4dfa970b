// The step file and step list: byte layouts built by hand, unit systems,
// damaged and oversized files, the formula's totals, and the conversions
// of older files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "formulas/step_list.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
constexpr int FORMULA = 7;

// A step record as it lies on disk: 152 bytes, or 108 in release 2.1 (items 0 to 12).
std::string step_bytes(uint32_t number, const std::string& name, const std::map<int, int32_t>& items,
                       size_t size = 152)
{
    std::string bytes(size, '\0');
    put_u32_by_hand(bytes, 0, number);
    bytes.replace(4, name.size(), name);
    for (const auto& [item, value] : items)
        put_u32_by_hand(bytes, 56 + 4 * item, static_cast<uint32_t>(value));
    return bytes;
}

step_record make_step(int number, const std::string& name, int type, int time)
{
    return step_record{number, name, {type, time}};
}
}  // namespace

class StepListTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        func_remove_all_step_rows();
    }

    // Formula 7 (and any other formulas given) on disk.
    void select_formula(const std::string& others = "")
    {
        sandbox.write_file("formulas/formulas.dat", others + formula_bytes(FORMULA, "Towels", 1, 0, 0));
        ASSERT_EQ(func_load_formula_list_from_file(), 1);
    }
    // (The folder layout itself: step_screens_fixture's literal paths.)
    std::string steps_file(int formula = FORMULA) const
    {
        return func_get_step_file_path(formula).substr(sandbox.root().size());
    }
    void set_metric(bool metric) { current_machine_configuration->items[0] = metric ? 1.0f : 0.0f; }
};

// --- byte layout --------------------------------------------------------------------

TEST_F(StepListTest, HandBuiltRecordsRoundTripInBothUnitSystemsAndAPartialLastRecordIsIgnored)
{
    select_formula();
    std::map<int, int32_t> all;
    for (int item = 0; item < 24; ++item)
        all[item] = 1000 + item;
    all[STEP_TEMPERATURE] = 0;
    all[23] = -5;
    const std::string records = step_bytes(1, "Wash", {{STEP_TYPE, 2}, {STEP_TIME, 300}, {STEP_TEMPERATURE, 140}}) +
                                step_bytes(2, "Every item", all);
    for (bool metric : {false, true}) {
        set_metric(metric);
        sandbox.write_file(steps_file(), records + step_bytes(3, "Cut short", {{STEP_TYPE, 5}}).substr(0, 100));
        EXPECT_EQ(func_load_step_list_from_file(FORMULA, func_metric_units()), 1);
        ASSERT_EQ(func_get_step_row_count(), 2);
        // 140 °F is 60 °C; 0 stays 0 in both systems.
        EXPECT_EQ(func_get_step_row(0).items[STEP_TEMPERATURE], metric ? 60 : 140);
        for (int item = 0; item < 24; ++item)
            EXPECT_EQ(func_get_step_row(1).items[item], all[item]) << "item " << item;

        sandbox.write_file(steps_file(), "");
        EXPECT_EQ(func_save_step_list_to_file(FORMULA, func_metric_units()), 1);
        EXPECT_EQ(sandbox.read_file(steps_file()), records) << "metric " << metric;
    }
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(StepListTest, MoreThan99RecordsKeepTheFirst99AndLongNamesAreCutAtACharacterBoundaryOnSave)
{
    std::string bytes;
    for (int number = 1; number <= 101; ++number)
        bytes += step_bytes(static_cast<uint32_t>(number), "Step", {{STEP_TIME, number}});
    sandbox.write_file(steps_file(), bytes);
    EXPECT_EQ(func_load_step_list_from_file(FORMULA, func_metric_units()), 1);
    ASSERT_EQ(func_get_step_row_count(), 99);
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_load_step_list : more than 99 steps in " +
                                                         sandbox.path(steps_file()) + ", only the first 99 are used."});
    func_remove_all_step_rows();
    select_formula();
    // 50 bytes and a two-byte character: the character would end at byte 52.
    func_append_step_row(make_step(1, std::string(50, 'a') + "\xC3\xA9" + "tail", 1, 60));
    ASSERT_EQ(func_save_step_list_to_file(FORMULA, func_metric_units()), 1);
    EXPECT_EQ(sandbox.read_file(steps_file()), step_bytes(1, std::string(50, 'a'), {{STEP_TYPE, 1}, {STEP_TIME, 60}}));
}

TEST_F(StepListTest, AMissingFileEmptiesTheListCreatesTheFolderAndLogsButAnEmptyOneDoesNotLog)
{
    func_append_step_row(make_step(1, "Old", 1, 60));
    EXPECT_EQ(func_load_step_list_from_file(FORMULA, func_metric_units()), 0);
    EXPECT_EQ(func_get_step_row_count(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.path("formulas/f-007")));
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_load_step_list : Can't open file " +
                                                         sandbox.path(steps_file()) + "."});
    sandbox.write_file(steps_file(), "");
    EXPECT_EQ(func_load_step_list_from_file(FORMULA, func_metric_units()), 0);
    EXPECT_EQ(syserror_lines().size(), 1u);
}

// --- the formula's totals ------------------------------------------------------------

TEST_F(StepListTest, SavingFailsWithoutASelectedOrKnownFormulaOrWhenTheWriteFails)
{
    sandbox.write_file("formulas/formulas.dat", formula_bytes(3, "Other", 1, 1, 60));
    ASSERT_EQ(func_load_formula_list_from_file(), 1);
    func_append_step_row(make_step(1, "New", 1, 60));
    EXPECT_EQ(func_save_step_list_to_file(-1, false), 0);
    // The steps are written, but the formula list has no record to update.
    EXPECT_EQ(func_save_step_list_to_file(FORMULA, false), 0);
    EXPECT_EQ(sandbox.read_file("formulas/formulas.dat"), formula_bytes(3, "Other", 1, 1, 60));

    select_formula();
    sandbox.write_file(steps_file(), step_bytes(1, "Old", {}));
    func_file_io_ops().rename_file = fail_rename;
    const int result = func_save_step_list_to_file(FORMULA, func_metric_units());
    func_reset_file_io_ops();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(sandbox.read_file(steps_file()), step_bytes(1, "Old", {}));
    EXPECT_EQ(syserror_lines().back(), "func_save_step_list : Can't open file " + sandbox.path(steps_file()) + ".");
}

// --- conversions ------------------------------------------------------------------------

TEST_F(StepListTest, Release21FilesBecomeCurrentRecordsWithSpeedsAndReversingTimes)
{
    sandbox.write_file(steps_file(), step_bytes(1, "Wash", {{0, 1}, {1, 300}, {6, 3}, {9, 2}, {12, 1}}, 108) +
                                         step_bytes(2, "Spin", {{0, 5}, {1, 420}, {9, 1}}, 108));
    EXPECT_EQ(func_load_step_list_from_file_21(FORMULA), 1);
    // Items by number: 0 type, 1 time, 6 level, 9 speed, 12 how to end, 13 and 14 reversing times.
    // Speed options 2 and 1 become 39 and 840 rpm, level option 3 becomes 2, the reversing times 20 and 3 s.
    EXPECT_EQ(sandbox.read_file(steps_file()),
              step_bytes(1, "Wash", {{0, 1}, {1, 300}, {6, 2}, {9, 39}, {12, 1}, {13, 20}, {14, 3}}) +
                  step_bytes(2, "Spin", {{0, 5}, {1, 420}, {9, 840}, {13, 20}, {14, 3}}));

    // Without programmable speed the speed option stays.
    step_record record = make_step(1, "Spin", STEP_STANDARD_EXTRACT, 60);
    record.items[STEP_RPM] = 1;
    record.items[23] = 77;
    func_convert_step_record_21(record, 1);
    EXPECT_EQ(record.items[STEP_RPM], 1);
    EXPECT_EQ(record.items[STEP_ON_TIME], 20);
    EXPECT_EQ(record.items[23], 0);
}

TEST_F(StepListTest, WaterConversionRewritesEveryFormulaAndKeepsTemperatures)
{
    select_formula(formula_bytes(8, "Sheets", 1, 1, 0));
    sandbox.write_file(steps_file(), step_bytes(1, "Wash", {{STEP_LEVEL, 1000}, {STEP_TEMPERATURE, 140}}) +
                                         step_bytes(2, "Rinse", {{STEP_LEVEL, 3}}));
    sandbox.write_file(steps_file(8), step_bytes(1, "Soak", {{STEP_LEVEL, 3500}}));
    func_convert_formulas_water(1);
    // 10 in are 25.39 cm, 35 in the top of 75 cm; Level 3 is an option.
    EXPECT_EQ(sandbox.read_file(steps_file()), step_bytes(1, "Wash", {{STEP_LEVEL, 2539}, {STEP_TEMPERATURE, 140}}) +
                                                   step_bytes(2, "Rinse", {{STEP_LEVEL, 3}}));
    EXPECT_EQ(sandbox.read_file(steps_file(8)), step_bytes(1, "Soak", {{STEP_LEVEL, 7500}}));

    // Back to inches on a metric machine: 20 cm are 7.87 in, the temperature on disk stays.
    set_metric(true);
    sandbox.write_file(steps_file(), step_bytes(1, "Wash", {{STEP_LEVEL, 2000}, {STEP_TEMPERATURE, 140}}));
    EXPECT_EQ(func_load_step_list_from_file_water(FORMULA, 0), 1);
    EXPECT_EQ(sandbox.read_file(steps_file()), step_bytes(1, "Wash", {{STEP_LEVEL, 787}, {STEP_TEMPERATURE, 140}}));
    EXPECT_EQ(func_load_step_list_from_file_water(9, 0), 0);
    EXPECT_EQ(syserror_lines().back(),
              "func_load_step_list_from_file_water : Can't open file " + sandbox.path(steps_file(9)) + ".");
}
