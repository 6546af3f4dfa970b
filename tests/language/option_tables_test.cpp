// Option rows and label tables: compiled English texts, the refresh from
// the language slots, and the bounded look-ups.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "language/language_fixture.h"

namespace {

machine_configuration configuration_with(float temperature_unit, float machine_type)
{
    machine_configuration record;
    std::memset(&record, 0, sizeof record);
    record.items[0] = temperature_unit;
    record.items[2] = machine_type;
    return record;
}

int row_length(const std::string* table, int size, int width, int row)
{
    int length = 0;
    while (length < width && !func_option_text(table, size, width, row, length).empty())
        ++length;
    return length;
}

}  // namespace

using OptionTablesTest = language_test;

TEST_F(OptionTablesTest, CompiledRowsEndAtTheFirstEmptyText)
{
    EXPECT_EQ(cfg_lookup_table[0], "Fahrenheit");
    EXPECT_EQ(cfg_lookup_table[1], "Celcius");
    EXPECT_EQ(row_length(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 0), 2);
    EXPECT_EQ(row_length(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 3), 7);
    EXPECT_EQ(func_option_text(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 3, 5), "B:90/E:120 Secs");
    EXPECT_EQ(func_option_text(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 5, 3), "20 Minutes");
    EXPECT_EQ(func_option_text(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 9, 1), "Port 1");
    EXPECT_EQ(row_length(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 10), 0);

    EXPECT_EQ(func_option_text(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 2, 2), "~");
    EXPECT_EQ(func_option_text(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 4, 2), " Level 3");
    EXPECT_EQ(func_option_text(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 7, 1), "Two-Way Wash");
    EXPECT_EQ(row_length(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 9), 8);
    EXPECT_EQ(func_option_text(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 12, 3), "<< CANCEL >>");
    EXPECT_EQ(row_length(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 13), 0);

    EXPECT_EQ(row_length(vez_lookup_table, 32, VEZ_LOOKUP_WIDTH, 1), 8);
    EXPECT_EQ(func_option_text(vez_lookup_table, 32, VEZ_LOOKUP_WIDTH, 1, 7), "99 = 57600 kb/s");
    EXPECT_EQ(func_option_text(chm_lookup_table, 16, CHM_LOOKUP_WIDTH, 2, 1), "YES");
    EXPECT_EQ(func_option_text(vez_batch_lookup_table, 8, VEZ_BATCH_LOOKUP_WIDTH, 1, 1), "YES");
}

TEST_F(OptionTablesTest, ManualButtonsComeInGroupsOfFive)
{
    const int row_lengths[7] = {4, 4, 3, 3, 3, 3, 3};
    for (int row = 0; row < 7; ++row) {
        int length = row_length(manual_btn_lookup_table, 40, MANUAL_BTN_LOOKUP_WIDTH, row);
        EXPECT_EQ(length, row_lengths[row]) << "row " << row;
        // Each group ends with its cancel choice.
        const std::string& last = func_option_text(manual_btn_lookup_table, 40, MANUAL_BTN_LOOKUP_WIDTH, row, length - 1);
        EXPECT_EQ(last.find("CANCEL"), 2u) << "row " << row;
    }
    EXPECT_EQ(manual_btn_lookup_table[3], "<<CANCEL>>");
    EXPECT_EQ(manual_btn_lookup_table[8], "<<CANCEL>>>");
    EXPECT_EQ(manual_btn_lookup_table[30], "Increase RPM");
}

TEST_F(OptionTablesTest, CompiledLabelTables)
{
    for (int item : {5, 17, 21, 23, 24})
        EXPECT_EQ(config_selections_label_value[item], "---") << item;
    EXPECT_EQ(config_selections_label_value[4], "Lofter");
    EXPECT_EQ(config_selections_label_value[25], "Tidal Loop");
    EXPECT_EQ(config_selections_label_value[33], "Machine Name");
    EXPECT_EQ(config_selections_label_value[59], "Generic 4");
    EXPECT_EQ(config_selections_label_value[60], "");

    EXPECT_EQ(step_item_selections_label_value[11], "Re-Use Drain");
    EXPECT_EQ(step_item_selections_label_value[23], "Reserved 5");
    EXPECT_EQ(vez_selections_label_value[13], "Reserved_3");
    EXPECT_EQ(vez_selections_label_value[16], "Reserved_6");

    EXPECT_EQ(machine_error_table[2], "Level Transducer Fault");
    EXPECT_EQ(machine_status_table[3], "Extract");
    EXPECT_EQ(machine_status_table[7], "Coasting");
    EXPECT_EQ(vez_warning_table[0], "Machine in Recovered Mode");

    EXPECT_EQ(input_label[15], "Three Wire");
    EXPECT_EQ(input_label[21], "Brng Seal Dfltd");
    EXPECT_EQ(input_label[48], "Form 0");
    EXPECT_EQ(input_label[61], "Weight 7");
    EXPECT_EQ(input_label[63], "---");
    EXPECT_EQ(output_label[12], "CCW Wash ");
    EXPECT_EQ(output_label[40], "Chem 14 ");
    EXPECT_EQ(output_label[71], "Lofter Mv Dwn");
    EXPECT_EQ(output_label[72], "cbit 00");
    EXPECT_EQ(output_label[95], "cbit 23");
    EXPECT_EQ(output_label[96], "Drycode 0");
    EXPECT_EQ(output_label[103], "Dest 3");
    EXPECT_EQ(output_label[111], "Tilt Front");
    EXPECT_EQ(output_label[126], "Seq Flag Dwn Disch");
    EXPECT_EQ(output_label[127], "---");

    EXPECT_EQ(a2d_selections_value[0], "N/A");
    EXPECT_EQ(a2d_selections_value[19], "0x21/3");
    EXPECT_EQ(a2d_selections_value[25], "0x/21/4");
    EXPECT_EQ(a2d_selections_value[29], "mVolts");
    EXPECT_EQ(a2d_selections_value[47], "-");
    EXPECT_EQ(d2a_selections_value[5], "RPM");
    EXPECT_EQ(d2a_selections_value[7], "0x31/1");
}

TEST_F(OptionTablesTest, RefreshCopiesSlotsIntoTheirEntries)
{
    p[18] = "Grad F";
    p[27] = "JA";
    p[73] = "ABBRUCH";
    p[111] = "Fehler 15";
    p[126] = "Zustand 13";
    p[560] = "Vornetzen";
    p[553] = "Kunde";
    p[611] = "Adresse";
    p[683] = "Reserve 3";
    p[687] = "Tank voll";
    p[750] = "Eingang 63";
    p[752] = "Umwaelzpumpe";
    p[880] = "Ausgang 127";

    func_init_language_array();

    EXPECT_EQ(cfg_lookup_table[0], "Grad F");
    EXPECT_EQ(cfg_lookup_table[78], "JA");
    EXPECT_EQ(vez_lookup_table[19], "JA");
    EXPECT_EQ(vez_batch_lookup_table[5], "JA");
    EXPECT_EQ(stp_lookup_table[91], "JA");
    EXPECT_EQ(chm_lookup_table[9], "JA");
    for (int entry : {3, 8, 12, 17, 22, 27, 32})
        EXPECT_EQ(manual_btn_lookup_table[entry], "ABBRUCH") << entry;
    EXPECT_EQ(stp_lookup_table[102], "ABBRUCH");
    EXPECT_EQ(stp_lookup_table[111], "ABBRUCH");
    EXPECT_EQ(machine_error_table[15], "Fehler 15");
    EXPECT_EQ(machine_status_table[13], "Zustand 13");
    EXPECT_EQ(machine_status_table[15], "Vornetzen");
    EXPECT_EQ(config_selections_label_value[29], "Vornetzen");
    EXPECT_EQ(config_selections_label_value[56], "Kunde");
    EXPECT_EQ(vez_selections_label_value[0], "Adresse");
    EXPECT_EQ(vez_selections_label_value[13], "Reserve 3");
    EXPECT_EQ(input_label[0], "Tank voll");
    EXPECT_EQ(input_label[63], "Eingang 63");
    EXPECT_EQ(output_label[0], "Umwaelzpumpe");
    EXPECT_EQ(output_label[127], "Ausgang 127");
    // Entries of slots nobody filled keep their text.
    EXPECT_EQ(cfg_lookup_table[1], "Celcius");
    EXPECT_EQ(cfg_lookup_table[77], "NO");
}

TEST_F(OptionTablesTest, ItemsNotOfferedReadThreeHyphensInEveryLanguage)
{
    func_copy_language_to_tables(nullptr);
    for (int item : {4, 5, 17, 21, 23, 24, 25, 51, 52, 53, 54, 55})
        EXPECT_EQ(config_selections_label_value[item], "---") << item;
    EXPECT_EQ(step_item_selections_label_value[15], "---");
    EXPECT_EQ(step_item_selections_label_value[16], "---");
    // Slot 680 (item 5) replaces the "---" once a file fills it.
    p[680] = "Comm Port";
    func_copy_language_to_tables(nullptr);
    EXPECT_EQ(config_selections_label_value[5], "Comm Port");
}

TEST_F(OptionTablesTest, AnalogUnitsFollowTheTemperatureUnitItem)
{
    machine_configuration imperial = configuration_with(0.0f, 0.0f);
    func_copy_language_to_tables(&imperial);
    EXPECT_EQ(a2d_selections_value[23], "In");
    EXPECT_EQ(a2d_selections_value[35], "F");

    machine_configuration metric = configuration_with(1.0f, 0.0f);
    func_copy_language_to_tables(&metric);
    EXPECT_EQ(a2d_selections_value[23], "Cm");
    EXPECT_EQ(a2d_selections_value[35], "C");

    // Level text needs exactly 1.0; the temperature text any non-zero value.
    machine_configuration odd = configuration_with(2.0f, 0.0f);
    func_copy_language_to_tables(&odd);
    EXPECT_EQ(a2d_selections_value[23], "In");
    EXPECT_EQ(a2d_selections_value[35], "C");

    func_copy_language_to_tables(nullptr);
    EXPECT_EQ(a2d_selections_value[23], "In");
    EXPECT_EQ(a2d_selections_value[35], "F");
}

TEST_F(OptionTablesTest, Output111FollowsTheMachineType)
{
    p[863] = "type two text";
    p[864] = "other types text";
    p[862] = "output 110";
    p[865] = "output 112";

    machine_configuration type_two = configuration_with(0.0f, 2.0f);
    func_copy_language_to_tables(&type_two);
    EXPECT_EQ(output_label[110], "output 110");
    EXPECT_EQ(output_label[111], "type two text");
    EXPECT_EQ(output_label[112], "output 112");

    machine_configuration type_one = configuration_with(0.0f, 1.0f);
    func_copy_language_to_tables(&type_one);
    EXPECT_EQ(output_label[111], "other types text");

    machine_configuration type_two_and_a_bit = configuration_with(0.0f, 2.5f);
    func_copy_language_to_tables(&type_two_and_a_bit);
    EXPECT_EQ(output_label[111], "other types text");
}

TEST_F(OptionTablesTest, ArrayRefreshReadsTheConfigurationStore)
{
    // An empty store gives the default configuration: imperial, type 0.
    p[864] = "from the defaults";
    p[863] = "type two";
    func_init_language_array();
    EXPECT_EQ(output_label[111], "from the defaults");
    EXPECT_EQ(a2d_selections_value[23], "In");
    ASSERT_NE(current_machine_configuration, nullptr);

    // A configuration file of a metric type-2 machine: item 0 = 1.0f and
    // item 2 = 2.0f, little-endian at 52 + 4 * item.
    std::string record(292, '\0');
    record.replace(52 + 2, 2, "\x80\x3f", 2);
    record.replace(52 + 8 + 2, 2, "\x00\x40", 2);
    sandbox.write_file("configuration/default.cfg", record);
    ASSERT_EQ(func_load_configuration_from_file(), 1);
    // Whatever the current record holds, the refresh takes the store's.
    current_machine_configuration->items[2] = 0.0f;
    func_init_language_array();
    EXPECT_EQ(output_label[111], "type two");
    EXPECT_EQ(a2d_selections_value[23], "Cm");
    EXPECT_EQ(a2d_selections_value[35], "C");
}

TEST_F(OptionTablesTest, ResetBringsBackTheEnglishTexts)
{
    cfg_lookup_table[0] = "changed";
    output_label[127] = "changed";
    vez_power_up_lookup_table[0] = "changed";
    func_reset_option_tables();
    EXPECT_EQ(cfg_lookup_table[0], "Fahrenheit");
    EXPECT_EQ(output_label[127], "---");
    EXPECT_EQ(vez_power_up_lookup_table[0], "Automatic Mode");
}

TEST(OptionLookup, TextIsEmptyOutsideTheRowOrTable)
{
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, 1), "ON");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, -1), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, 8), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 1, 0), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, -1, 0), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, INT_MAX, 0), "");
    EXPECT_EQ(func_option_text(nullptr, 8, FRM_LOOKUP_WIDTH, 0, 0), "");
    EXPECT_EQ(func_option_text(frm_lookup_table, 8, 0, 0, 0), "");
    // Row 10 of the configuration table is cut short by the table's end.
    EXPECT_EQ(func_option_text(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 10, 1), "");
    EXPECT_EQ(func_option_text(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 10, 2), "");
}

TEST(OptionLookup, NothingAfterTheEndOfARowIsAChoice)
{
    std::string row[6] = {"a", "b", "", "stray", "", ""};
    EXPECT_EQ(func_option_text(row, 6, 6, 0, 1), "b");
    EXPECT_EQ(func_option_text(row, 6, 6, 0, 3), "");
    EXPECT_EQ(func_option_index(row, 6, 6, 0, "stray"), -1);
}

TEST(OptionLookup, IndexOfAText)
{
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, "OFF"), 0);
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, "ON"), 1);
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, "on"), -1);
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 0, ""), -1);
    EXPECT_EQ(func_option_index(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, 3, "OFF"), -1);
    EXPECT_EQ(func_option_index(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 2, "~"), 2);
    EXPECT_EQ(func_option_index(stp_lookup_table, 120, STP_LOOKUP_WIDTH, 2, "Lower Fill Temp"), 3);
    EXPECT_EQ(func_option_index(vez_lookup_table, 32, VEZ_LOOKUP_WIDTH, 1, "99 = 57600 kb/s"), 7);
    EXPECT_EQ(func_option_index(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 7, "YES"), 1);
    EXPECT_EQ(func_option_index(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, 10, "x"), -1);
}
