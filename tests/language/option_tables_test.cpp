// Option rows and label tables: the refresh from the language slots and
// the bounded look-ups.
#include <gtest/gtest.h>

#include <climits>

#include "language/language_fixture.h"

using OptionTablesTest = language_test;

TEST_F(OptionTablesTest, RefreshCopiesEachSlotIntoItsEntries)
{
    struct slot_case {
        int slot;
        const std::string* table;
        int entry;
    } const mapping[] = {
        {18, cfg_lookup_table, 0},  {27, vez_batch_lookup_table, 5}, {27, stp_lookup_table, 91},
        {73, manual_btn_lookup_table, 32}, {111, machine_error_table, 15}, {560, machine_status_table, 15},
        {560, config_selections_label_value, 29}, {683, vez_selections_label_value, 13},
        {687, input_label, 0}, {750, input_label, 63}, {752, output_label, 0}, {880, output_label, 127},
    };
    for (const slot_case& c : mapping)
        p[c.slot] = "slot " + std::to_string(c.slot);
    func_init_language_array();
    for (const slot_case& c : mapping)
        EXPECT_EQ(c.table[c.entry], "slot " + std::to_string(c.slot)) << "entry " << c.entry;
    // Entries of slots nobody filled keep their text.
    EXPECT_EQ(cfg_lookup_table[1], "Celcius");
    EXPECT_EQ(config_selections_label_value[17], "---");
}

TEST_F(OptionTablesTest, AnalogUnitsAndOutput111FollowTheConfiguration)
{
    p[863] = "type two";
    p[864] = "other types";
    struct config_case {
        float unit, type;
        const char *level, *temperature, *output_111;
    } const cases[] = {
        {0.0f, 0.0f, "In", "F", "other types"}, {1.0f, 0.0f, "Cm", "C", "other types"},
        // Level text needs exactly 1.0; the temperature text any non-zero value.
        {2.0f, 0.0f, "In", "C", "other types"}, {0.0f, 2.0f, "In", "F", "type two"},
        {0.0f, 1.0f, "In", "F", "other types"}, {0.0f, 2.5f, "In", "F", "other types"},
    };
    for (const config_case& c : cases) {
        machine_configuration configuration{};
        configuration.items[0] = c.unit;
        configuration.items[2] = c.type;
        func_copy_language_to_tables(&configuration);
        EXPECT_EQ(a2d_selections_value[23], c.level) << c.unit;
        EXPECT_EQ(a2d_selections_value[35], c.temperature) << c.unit;
        EXPECT_EQ(output_label[111], c.output_111) << c.type;
    }
    func_copy_language_to_tables(nullptr);
    EXPECT_EQ(a2d_selections_value[23] + a2d_selections_value[35] + output_label[111], "InFother types");

    // The array refresh reads the store: a metric type-2 machine, item 0 =
    // 1.0f and item 2 = 2.0f, little-endian at 52 + 4 * item.
    std::string record(292, '\0');
    record.replace(52 + 2, 2, "\x80\x3f", 2);
    record.replace(52 + 8 + 2, 2, "\x00\x40", 2);
    sandbox.write_file("configuration/default.cfg", record);
    ASSERT_EQ(func_load_configuration_from_file(), 1);
    current_machine_configuration->items[2] = 0.0f;
    func_init_language_array();
    EXPECT_EQ(a2d_selections_value[23] + a2d_selections_value[35] + output_label[111], "CmCtype two");
}

TEST(OptionLookup, NeverReadsOutsideARow)
{
    const int outside[][2] = {{0, -1}, {0, 8}, {1, 0}, {-1, 0}, {INT_MAX, 0}};  // (row, index)
    for (const auto& at : outside)
        EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, at[0], at[1]), "") << at[0] << "," << at[1];
    EXPECT_EQ(func_option_text(nullptr, 8, FRM_LOOKUP_WIDTH, 0, 0), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, 0, 0, 0), "");
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, "on"), -1);
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 3, "OFF"), -1);
    // Nothing after the end of a row is a choice.
    std::string row[6] = {"a", "b", "", "stray", "", ""};
    EXPECT_EQ(func_option_text(row, 6, 6, 0, 3), "");
    EXPECT_EQ(func_option_index(row, 6, 6, 0, "stray"), -1);
}
