// Option rows and label tables: the refresh from the language slots and
// the bounded look-ups.
#include <gtest/gtest.h>

#include <climits>

#include "language/language_fixture.h"

using OptionTablesTest = language_test;

TEST_F(OptionTablesTest, AnalogUnitsAndOutput111FollowTheConfigurationAndLookupsNeverReadOutsideARow)
{
    p[863] = "type two";
    p[864] = "other types";
    struct config_case {
        float unit, type;
        const char* expected;
    } const cases[] = {
        // Level text needs exactly 1.0; the temperature text any non-zero value.
        {1.0f, 0.0f, "CmCother types"}, {2.0f, 0.0f, "InCother types"}, {0.0f, 2.0f, "InFtype two"},
        {0.0f, 2.5f, "InFother types"},
    };
    for (const config_case& c : cases) {
        machine_configuration configuration{};
        configuration.items[0] = c.unit;
        configuration.items[2] = c.type;
        func_copy_language_to_tables(&configuration);
        EXPECT_EQ(a2d_selections_value[23] + a2d_selections_value[35] + output_label[111], c.expected) << c.unit;
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

    const int outside[][2] = {{0, -1}, {0, 8}, {1, 0}, {INT_MAX, 0}};  // (row, index)
    for (const auto& at : outside)
        EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, at[0], at[1]), "") << at[0] << "," << at[1];
    EXPECT_EQ(func_option_text(nullptr, 8, FRM_LOOKUP_WIDTH, 0, 0), "");
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, "on"), -1);
    // Nothing after the end of a row is a choice.
    std::string row[6] = {"a", "b", "", "stray", "", ""};
    EXPECT_EQ(func_option_text(row, 6, 6, 0, 3), "");
    EXPECT_EQ(func_option_index(row, 6, 6, 0, "stray"), -1);
}
