// The step file and step list: byte layouts built by hand, unit systems,
// damaged and oversized files, the formula's totals, and the conversions
// of older files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "support/core_data_fixture.h"

namespace {
constexpr int FORMULA = 7;

// A 152-byte step record as it lies on disk.
std::string step_bytes(uint32_t number, const std::string& name, const std::map<int, int32_t>& items)
{
    std::string bytes(152, '\0');
    put_u32_by_hand(bytes, 0, number);
    bytes.replace(4, name.size(), name);
    for (const auto& [item, value] : items)
        put_u32_by_hand(bytes, 56 + 4 * item, static_cast<uint32_t>(value));
    return bytes;
}

// The 108-byte layout of release 2.1: items 0 to 12 only.
std::string step_bytes_21(uint32_t number, const std::string& name, const std::map<int, int32_t>& items)
{
    std::string bytes(108, '\0');
    put_u32_by_hand(bytes, 0, number);
    bytes.replace(4, name.size(), name);
    for (const auto& [item, value] : items)
        put_u32_by_hand(bytes, 56 + 4 * item, static_cast<uint32_t>(value));
    return bytes;
}

std::string formula_bytes(uint32_t number, const std::string& name, uint32_t steps, uint32_t seconds)
{
    std::string bytes(68, '\0');
    put_u32_by_hand(bytes, 0, number);
    bytes.replace(4, name.size(), name);
    put_u32_by_hand(bytes, 56, 1);
    put_u32_by_hand(bytes, 60, steps);
    put_u32_by_hand(bytes, 64, seconds);
    return bytes;
}

int32_t int_at(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return static_cast<int32_t>(value);
}

step_record make_step(int number, const std::string& name, int type, int time)
{
    step_record record;
    record.number = number;
    record.name = name;
    record.items[STEP_TYPE] = type;
    record.items[STEP_TIME] = time;
    return record;
}
}  // namespace

class StepListTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        gtk_list_store_clear(step_list_store);
    }

    void select_formula(int number, int pressed_row = 0)
    {
        page_info[SCREEN_FORMULAS].list.selected_number = number;
        page_info[SCREEN_FORMULAS].list.pressed_row = pressed_row;
    }
    void write_formulas(const std::string& bytes)
    {
        sandbox.write_file("formulas/formulas.dat", bytes);
        ASSERT_EQ(func_load_formula_list_from_file(), 1);
    }
    std::string steps_file(int formula = FORMULA) const
    {
        char name[40];
        snprintf(name, sizeof name, "formulas/f-%03d/steps.dat", formula);
        return name;
    }
    void set_metric(bool metric) { current_machine_configuration->items[0] = metric ? 1.0f : 0.0f; }
};

// --- byte layout --------------------------------------------------------------------

TEST_F(StepListTest, LoadsHandBuiltRecordsAndIgnoresAPartialLastRecord)
{
    std::map<int, int32_t> all;
    for (int item = 0; item < 24; ++item)
        all[item] = 1000 + item;
    all[STEP_TEMPERATURE] = 160;
    sandbox.write_file(steps_file(), step_bytes(1, "Prewash", {{STEP_TYPE, 1}, {STEP_TIME, 240}}) +
                                         step_bytes(2, "Every item", all) +
                                         step_bytes(3, "Cut short", {{STEP_TYPE, 5}}).substr(0, 100));
    EXPECT_EQ(func_load_step_list_from_file(FORMULA), 1);
    ASSERT_EQ(func_get_step_row_count(), 2);

    const step_record first = func_get_step_row(0);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.name, "Prewash");
    EXPECT_EQ(first.items[STEP_TYPE], 1);
    EXPECT_EQ(first.items[STEP_TIME], 240);
    const step_record second = func_get_step_row(1);
    for (int item = 0; item < 24; ++item)
        EXPECT_EQ(second.items[item], item == STEP_TEMPERATURE ? 160 : 1000 + item) << "item " << item;
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(StepListTest, SavesExactlyTheHandBuiltBytesInTheImperialSystem)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    std::map<int, int32_t> items = {{STEP_TYPE, 2}, {STEP_TIME, 300}, {STEP_TEMPERATURE, 140}, {STEP_HOT, 1},
                                    {STEP_LEVEL, 650}, {STEP_RPM, 30},  {STEP_ON_TIME, 20},    {STEP_OFF_TIME, 3},
                                    {23, -5}};
    const std::string expected = step_bytes(1, "Wash", items) + step_bytes(2, "Rinse", {{STEP_TYPE, 1}});
    sandbox.write_file(steps_file(), expected);
    ASSERT_EQ(func_load_step_list_from_file(FORMULA), 1);
    sandbox.write_file(steps_file(), "");

    EXPECT_EQ(func_save_step_list_to_file(), 1);
    EXPECT_EQ(sandbox.read_file(steps_file()), expected);
    EXPECT_TRUE(temporary_files("formulas/f-007").empty());
}

TEST_F(StepListTest, MetricConvertsNonZeroTemperaturesOnLoadAndBackOnSave)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    set_metric(true);
    sandbox.write_file(steps_file(), step_bytes(1, "Hot", {{STEP_TYPE, 1}, {STEP_TEMPERATURE, 140}}) +
                                         step_bytes(2, "Cold", {{STEP_TYPE, 1}, {STEP_TEMPERATURE, 0}}));
    ASSERT_EQ(func_load_step_list_from_file(FORMULA), 1);
    EXPECT_EQ(func_get_step_row(0).items[STEP_TEMPERATURE], 60);
    EXPECT_EQ(func_get_step_row(1).items[STEP_TEMPERATURE], 0);

    // 60 °C typed on the screen is stored as 140 °F; 0 stays 0.
    ASSERT_EQ(func_save_step_list_to_file(), 1);
    const std::string bytes = sandbox.read_file(steps_file());
    ASSERT_EQ(bytes.size(), 2u * 152);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_TEMPERATURE), 140);
    EXPECT_EQ(int_at(bytes, 152 + 56 + 4 * STEP_TEMPERATURE), 0);

    ASSERT_EQ(func_load_step_list_from_file(FORMULA), 1);
    EXPECT_EQ(func_get_step_row(0).items[STEP_TEMPERATURE], 60);
}

TEST_F(StepListTest, MoreThan99RecordsKeepTheFirst99AndSayItOnce)
{
    std::string bytes;
    for (int number = 1; number <= 101; ++number)
        bytes += step_bytes(static_cast<uint32_t>(number), "Step", {{STEP_TIME, number}});
    sandbox.write_file(steps_file(), bytes);
    EXPECT_EQ(func_load_step_list_from_file(FORMULA), 1);
    ASSERT_EQ(func_get_step_row_count(), 99);
    EXPECT_EQ(func_get_step_row(98).number, 99);
    const auto lines = syserror_lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "func_load_step_list : more than 99 steps in " + sandbox.path(steps_file()) +
                            ", only the first 99 are used.");
}

TEST_F(StepListTest, LongNamesAreCutAtACharacterBoundaryOnSave)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    // 50 bytes and a two-byte character: the character would end at byte 52.
    const std::string long_name = std::string(50, 'a') + "\xC3\xA9" + "tail";
    func_append_step_row(make_step(1, long_name, 1, 60));
    func_append_step_row(make_step(2, std::string(51, 'b'), 1, 60));
    ASSERT_EQ(func_save_step_list_to_file(), 1);

    const std::string bytes = sandbox.read_file(steps_file());
    ASSERT_EQ(bytes.size(), 2u * 152);
    EXPECT_EQ(bytes.substr(4, 52), std::string(50, 'a') + std::string(2, '\0'));
    EXPECT_EQ(bytes.substr(152 + 4, 52), std::string(51, 'b') + std::string(1, '\0'));
    ASSERT_EQ(func_load_step_list_from_file(FORMULA), 1);
    EXPECT_EQ(func_get_step_row(0).name, std::string(50, 'a'));
}

TEST_F(StepListTest, AMissingFileEmptiesTheListCreatesTheFolderAndLogs)
{
    func_append_step_row(make_step(1, "Old", 1, 60));
    EXPECT_EQ(func_load_step_list_from_file(FORMULA), 0);
    EXPECT_EQ(func_get_step_row_count(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.path("formulas/f-007")));
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_load_step_list : Can't open file " +
                                                         sandbox.path(steps_file()) + "."});
    // An empty file is a formula without steps: no line for it.
    sandbox.write_file(steps_file(), "");
    EXPECT_EQ(func_load_step_list_from_file(FORMULA), 0);
    EXPECT_EQ(syserror_lines().size(), 1u);
}

// --- the formula's totals ------------------------------------------------------------

TEST_F(StepListTest, SavingThreeStepsSetsStepCountAndTotalTimeInFormulasDat)
{
    write_formulas(formula_bytes(3, "Other", 9, 999) + formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    func_append_step_row(make_step(1, "Fill", 1, 120));
    func_append_step_row(make_step(2, "Wash", 2, 300));
    func_append_step_row(make_step(3, "End", 0, 0));
    ASSERT_EQ(func_save_step_list_to_file(), 1);

    const std::string formulas = sandbox.read_file("formulas/formulas.dat");
    ASSERT_EQ(formulas.size(), 2u * 68);
    EXPECT_EQ(int_at(formulas, 68 + 0), FORMULA);
    EXPECT_EQ(int_at(formulas, 68 + 60), 3);
    EXPECT_EQ(int_at(formulas, 68 + 64), 420);
    EXPECT_EQ(int_at(formulas, 60), 9);  // the other formula is untouched
    EXPECT_EQ(int_at(formulas, 64), 999);
    EXPECT_EQ(sandbox.read_file(steps_file()).size(), 3u * 152);
}

TEST_F(StepListTest, TotalsAreSavedAlsoWhenTheFormulaWasSelectedWithoutARowPress)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA, -1);
    func_append_step_row(make_step(1, "Wash", 1, 250));
    func_append_step_row(make_step(2, "Spin", 5, 200));
    ASSERT_EQ(func_save_step_list_to_file(), 1);
    const std::string formulas = sandbox.read_file("formulas/formulas.dat");
    EXPECT_EQ(int_at(formulas, 60), 2);
    EXPECT_EQ(int_at(formulas, 64), 450);
}

TEST_F(StepListTest, SavingWithoutASelectedFormulaOrWithAnUnknownOneFails)
{
    write_formulas(formula_bytes(3, "Other", 1, 60));
    func_append_step_row(make_step(1, "Wash", 1, 250));
    EXPECT_EQ(func_save_step_list_to_file(), 0);
    EXPECT_FALSE(sandbox.exists("formulas/f-007"));

    // The steps are written, but the formula list has no record to update.
    select_formula(FORMULA);
    EXPECT_EQ(func_save_step_list_to_file(), 0);
    EXPECT_EQ(sandbox.read_file(steps_file()).size(), 152u);
    EXPECT_EQ(sandbox.read_file("formulas/formulas.dat"), formula_bytes(3, "Other", 1, 60));
}

TEST_F(StepListTest, AFailedWriteKeepsTheOldFileAndLogs)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    sandbox.write_file(steps_file(), step_bytes(1, "Old", {}));
    func_append_step_row(make_step(1, "New", 1, 60));
    func_file_io_ops().rename_file = [](const char*, const char*) { return -1; };
    const int result = func_save_step_list_to_file();
    func_reset_file_io_ops();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(sandbox.read_file(steps_file()), step_bytes(1, "Old", {}));
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_save_step_list : Can't open file " +
                                                         sandbox.path(steps_file()) + "."});
}

// --- store, snapshot and selected step ---------------------------------------------

TEST_F(StepListTest, SnapshotSelectedStepAndRenamesWorkByStepNumber)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 0, 0));
    select_formula(FORMULA);
    func_append_step_row(make_step(1, "Fill", 1, 120));
    func_append_step_row(make_step(2, "Wash", 2, 300));

    std::unique_ptr<step_snapshot> snapshot(func_get_step_list_from_liststore());
    ASSERT_EQ(snapshot->count(), 2);
    EXPECT_EQ(snapshot->records[1].name, "Wash");

    std::unique_ptr<step_record> copy(func_get_selected_step_from_liststore_test(2));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->items[STEP_TIME], 300);
    EXPECT_EQ(func_get_selected_step_from_liststore_test(9), nullptr);
    EXPECT_EQ(syserror_lines().back(), "func_get_selected_step_from_liststore : No data for requested step - 009");

    // Written back only while a step is selected on the steps screen.
    step_record edited = *copy;
    edited.items[STEP_TIME] = 45;
    func_set_selected_step_to_liststore_test(new step_record(edited));  // freed though refused
    EXPECT_EQ(func_get_step_row(1).items[STEP_TIME], 300);
    EXPECT_EQ(syserror_lines().back(), "func_set_selected_step_to_liststore : Invalid step Index");
    page_info[SCREEN_STEPS].list.selected_number = 2;
    page_info[SCREEN_STEPS].list.pressed_row = 1;
    func_set_selected_step_to_liststore_test(new step_record(edited));
    EXPECT_EQ(func_get_step_row(1).items[STEP_TIME], 45);

    auto* names = new step_snapshot();
    names->records.push_back(make_step(1, "Cool fill", 0, 0));
    func_update_step_list_liststore_test(names);
    EXPECT_EQ(func_get_step_row(0).name, "Cool fill");
    EXPECT_EQ(func_get_step_row(0).items[STEP_TIME], 120);  // only number and name change
    const std::string bytes = sandbox.read_file(steps_file());
    EXPECT_EQ(bytes.substr(4, 10), std::string("Cool fill") + '\0');
    EXPECT_EQ(int_at(sandbox.read_file("formulas/formulas.dat"), 64), 165);
}

TEST_F(StepListTest, OptionTextsFollowTheItemRowsAndNeverReadPastARow)
{
    EXPECT_EQ(func_lookup_step_name(5, STEP_TYPE), "Standard Extract");
    EXPECT_EQ(func_lookup_step_name(3, STEP_COLD), "Lower Fill Temp");
    EXPECT_EQ(func_lookup_step_name(1, STEP_RECIRCULATE), "YES");
    EXPECT_EQ(func_lookup_step_name(6, STEP_TYPE), "");  // past the row's last text
    EXPECT_EQ(func_lookup_step_name(9, STEP_STEAM), "");
    EXPECT_EQ(func_lookup_step_name(-1, STEP_HOT), "");
    EXPECT_EQ(func_lookup_step_name(300, STEP_TIME), "300");
    EXPECT_EQ(func_lookup_step_index("Stops", STEP_STEAM), 2);
    EXPECT_EQ(func_lookup_step_index("Do Not Drain", STEP_DRAIN_TYPE), 2);
    EXPECT_EQ(func_lookup_step_index("Add Before", STEP_HOW_TO_END), -1);
    EXPECT_EQ(func_lookup_step_index("", STEP_TYPE), -1);
    EXPECT_EQ(func_lookup_step_index("00:20", STEP_ON_TIME), -1);
}

TEST_F(StepListTest, CooldownStepsAreWashStepsWithoutWaterFrom50To205Fahrenheit)
{
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 120, 1), 1);
    EXPECT_EQ(func_is_a_cooldown_step(1, 0, 0, 120, 1), 0);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 3, 120, 1), 0);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 50, 3), 1);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 205, 2), 1);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 49, 2), 0);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 206, 2), 0);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 120, 0), 0);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 120, 4), 0);
    set_metric(true);
    EXPECT_EQ(func_is_a_cooldown_step(0, 0, 0, 60, 1), 0);
    EXPECT_EQ(func_is_a_cooldown_step_in(0, 0, 0, 120, 1, false), 1);
}

// --- conversions ------------------------------------------------------------------------

TEST_F(StepListTest, Release21FilesBecomeCurrentRecordsWithSpeedsAndReversingTimes)
{
    sandbox.write_file(steps_file(),
                       step_bytes_21(1, "Wash", {{STEP_TYPE, 1}, {STEP_TIME, 300}, {STEP_LEVEL, 3}, {STEP_RPM, 2},
                                                 {STEP_HOW_TO_END, 1}}) +
                           step_bytes_21(2, "Spin", {{STEP_TYPE, 5}, {STEP_TIME, 420}, {STEP_RPM, 1}}));
    EXPECT_EQ(func_load_step_list_from_file_21(FORMULA), 1);

    const std::string bytes = sandbox.read_file(steps_file());
    ASSERT_EQ(bytes.size(), 2u * 152);
    EXPECT_EQ(int_at(bytes, 0), 1);
    EXPECT_EQ(bytes.substr(4, 5), std::string("Wash") + '\0');
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_TIME), 300);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_LEVEL), 2);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_RPM), 39);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_HOW_TO_END), 1);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_ON_TIME), 20);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_OFF_TIME), 3);
    EXPECT_EQ(int_at(bytes, 152 + 56 + 4 * STEP_RPM), 840);
    EXPECT_EQ(int_at(bytes, 152 + 56 + 4 * STEP_TIME), 420);
    for (int item = STEP_START_LIQUOR; item < 24; ++item)
        EXPECT_EQ(int_at(bytes, 152 + 56 + 4 * item), 0) << "item " << item;
}

TEST_F(StepListTest, Release21SpeedsStayWhenTheSpeedIsNotProgrammable)
{
    step_record record;
    record.items[STEP_TYPE] = STEP_STANDARD_EXTRACT;
    record.items[STEP_RPM] = 1;
    record.items[STEP_LEVEL] = 1;
    for (int item = STEP_START_LIQUOR; item < 24; ++item)
        record.items[item] = 77;
    func_convert_step_record_21(record, 1);
    EXPECT_EQ(record.items[STEP_RPM], 1);
    EXPECT_EQ(record.items[STEP_LEVEL], 1);
    EXPECT_EQ(record.items[STEP_ON_TIME], 20);
    EXPECT_EQ(record.items[23], 0);

    record.items[STEP_TYPE] = STEP_SOAK_WASH;
    func_convert_step_record_21(record, 0);
    EXPECT_EQ(record.items[STEP_RPM], 0);
}

TEST_F(StepListTest, Release21LoadOfAMissingFileEmptiesTheListAndLogs)
{
    func_append_step_row(make_step(1, "Old", 1, 60));
    EXPECT_EQ(func_load_step_list_from_file_21(FORMULA), 0);
    EXPECT_EQ(func_get_step_row_count(), 0);
    EXPECT_FALSE(sandbox.exists(steps_file()));
    ASSERT_EQ(syserror_lines().size(), 1u);
}

TEST_F(StepListTest, LevelUnitConversionUsesSinglePrecisionAndTruncates)
{
    EXPECT_EQ(func_convert_level_to_unit(1000, 1, 0), 2539);  // 10 in
    EXPECT_EQ(func_convert_level_to_unit(3500, 1, 0), 7500);  // 35 in: above 75 cm
    EXPECT_EQ(func_convert_level_to_unit(300, 1, 0), 1000);   // 3 in: below 10 cm
    EXPECT_EQ(func_convert_level_to_unit(1000, 0, 1), 400);   // 10 cm: below 4 in
    EXPECT_EQ(func_convert_level_to_unit(2000, 0, 1), 787);   // 20 cm
    EXPECT_EQ(func_convert_level_to_unit(9000, 0, 1), 3000);  // 90 cm: above 30 in
    EXPECT_EQ(func_convert_level_to_unit(650, 1, 0), 1523);   // whole inches only: 6 -> 15.24 cm
    EXPECT_EQ(func_convert_level_to_unit(3, 1, 0), 3);
    EXPECT_EQ(func_convert_level_to_unit(99, 0, 1), 99);
    EXPECT_EQ(func_convert_level_to_unit(1000, 1, 1), 1000);  // already centimetres
    EXPECT_EQ(func_convert_level_to_unit(1000, 0, 0), 1000);
}

TEST_F(StepListTest, WaterConversionRewritesEveryFormulaAndKeepsTemperatures)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 2, 0) + formula_bytes(8, "Sheets", 1, 0));
    set_metric(false);
    sandbox.write_file(steps_file(), step_bytes(1, "Wash", {{STEP_LEVEL, 1000}, {STEP_TEMPERATURE, 140}}) +
                                         step_bytes(2, "Rinse", {{STEP_LEVEL, 3}, {STEP_TEMPERATURE, 0}}));
    sandbox.write_file(steps_file(8), step_bytes(1, "Soak", {{STEP_LEVEL, 3500}}));
    func_convert_formulas_water(1);

    const std::string seven = sandbox.read_file(steps_file());
    ASSERT_EQ(seven.size(), 2u * 152);
    EXPECT_EQ(int_at(seven, 56 + 4 * STEP_LEVEL), 2539);
    EXPECT_EQ(int_at(seven, 56 + 4 * STEP_TEMPERATURE), 140);
    EXPECT_EQ(int_at(seven, 152 + 56 + 4 * STEP_LEVEL), 3);
    EXPECT_EQ(int_at(sandbox.read_file(steps_file(8)), 56 + 4 * STEP_LEVEL), 7500);
}

TEST_F(StepListTest, WaterConversionInMetricMovesTemperaturesUnchanged)
{
    write_formulas(formula_bytes(FORMULA, "Towels", 1, 0));
    set_metric(true);
    sandbox.write_file(steps_file(), step_bytes(1, "Wash", {{STEP_LEVEL, 2000}, {STEP_TEMPERATURE, 140}}));
    EXPECT_EQ(func_load_step_list_from_file_water(FORMULA, 0), 1);
    const std::string bytes = sandbox.read_file(steps_file());
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_LEVEL), 787);
    EXPECT_EQ(int_at(bytes, 56 + 4 * STEP_TEMPERATURE), 140);

    EXPECT_EQ(func_load_step_list_from_file_water(9, 0), 0);
    EXPECT_EQ(syserror_lines().back(), "func_load_step_list_from_file_water : Can't open file " +
                                           sandbox.path(steps_file(9)) + ".");
}
