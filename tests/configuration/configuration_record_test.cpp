// The configuration file: its bytes worked out by hand, which file is
// read, short, long and garbage files, saves that fail, damaged values.
// Values as button texts are shown by configuration_screen_gui_test and
// printed by configuration_printout_test; the configuration fuzzer reads
// them past every row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
// Float bit patterns worked out by hand.
constexpr uint32_t BITS_1 = 0x3F800000, BITS_300 = 0x43960000, BITS_450 = 0x43E10000, BITS_800 = 0x44480000,
                   BITS_900 = 0x44610000, BITS_1000 = 0x447A0000;

size_t item_offset(int item) { return 52 + 4 * static_cast<size_t>(item); }

std::string default_record_bytes(const std::string& name)
{
    std::string bytes(292, '\0');
    bytes.replace(0, name.size(), name);
    for (const auto& [item, bits] : {std::pair(8, BITS_300), {26, BITS_800}, {27, BITS_900}, {28, BITS_1000}})
        put_u32_by_hand(bytes, item_offset(item), bits);
    return bytes;
}

std::string store_name()
{
    GtkTreeIter iter;
    gchar* name = nullptr;
    if (gtk_tree_model_get_iter_first(GTK_TREE_MODEL(configure_list_store), &iter))
        gtk_tree_model_get(GTK_TREE_MODEL(configure_list_store), &iter, CONFIGURATION_NAME_ITEM, &name, -1);
    std::string text = name ? name : "<none>";
    g_free(name);
    return text;
}

void set_store_name(const std::string& name)
{
    GtkTreeIter iter;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(GTK_TREE_MODEL(configure_list_store), &iter));
    gtk_list_store_set(configure_list_store, &iter, CONFIGURATION_NAME_ITEM, name.c_str(), -1);
}
}  // namespace

using ConfigurationFileTest = core_data_test;

TEST_F(ConfigurationFileTest, AnEmptyFolderGetsTheDefaultRecordAndSetName)
{
    EXPECT_EQ(func_get_configuration_filename(), "");
    EXPECT_EQ(func_load_configuration_from_file(), 0);
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), default_record_bytes(MACHINE_NAME));
    ASSERT_TRUE(sandbox.exists("configuration/default.cfs"));
    EXPECT_EQ(sandbox.read_file("configuration/default.cfs"), "");
    EXPECT_TRUE(temporary_files("configuration").empty());
    EXPECT_EQ(store_name(), MACHINE_NAME);
    EXPECT_EQ(current_machine_configuration->items[28], 1000.0f);
}

TEST_F(ConfigurationFileTest, TheFirstNameHoldingCfgIsReadButNoTemporaryOrFolderAndDamagedItemsAreRepaired)
{
    sandbox.write_file(std::string("configuration/") + TEMPORARY_FILE_PREFIX + "9_1.cfg", "x");
    sandbox.write_file("configuration/folder.cfg/inside", "x");
    EXPECT_EQ(func_get_configuration_filename(), "");

    std::string bytes(292, '\0');
    bytes.replace(0, 4, "Site");
    // Item 29 is not a number.
    for (const auto& [item, bits] : {std::pair(2, BITS_1), {25, BITS_1}, {59, BITS_450}, {29, 0x7FC00000u}})
        put_u32_by_hand(bytes, item_offset(item), bits);
    sandbox.write_file("configuration/site.cfg.bak", bytes);
    sandbox.write_file("configuration/zz.cfg", default_record_bytes("Other"));
    EXPECT_EQ(func_get_configuration_filename(), "site.cfg.bak");
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), "Site");
    const float* items = current_machine_configuration->items;
    EXPECT_EQ((std::vector<float>{1.0f, 450.0f, 0.0f, 0.0f}), (std::vector<float>{items[2], items[59], items[8], items[29]}));
    EXPECT_EQ(TIDAL_LOOP, 1);
    ASSERT_EQ(syserror_lines().size(), 1u);
    EXPECT_NE(syserror_lines()[0].find("items 29 of " + sandbox.path("configuration/site.cfg.bak")), std::string::npos);
}

TEST_F(ConfigurationFileTest, AShortFileGivesDefaultsAndStaysUntilSavedAndAGarbageNameIsBoundedValidText)
{
    const std::string short_record(100, 'Z');
    sandbox.write_file("configuration/short.cfg", short_record);
    current_machine_configuration->items[8] = 17.0f;
    TIDAL_LOOP = 1;
    EXPECT_EQ(func_load_configuration_from_file(), 0);
    EXPECT_EQ(TIDAL_LOOP, 0);
    EXPECT_EQ(current_machine_configuration->items[8], 300.0f);
    EXPECT_EQ(store_name(), MACHINE_NAME);  // the screen shows the defaults
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_load_machine : Can't read machine configuration record from file " +
                                       sandbox.path("configuration/short.cfg") + " . \n"});
    EXPECT_EQ(sandbox.read_file("configuration/short.cfg"), short_record);
    // Only the operator's save replaces it.
    EXPECT_EQ(func_save_configuration_to_file(), 1);
    EXPECT_EQ(sandbox.read_file("configuration/short.cfg").size(), 292u);

    std::string bytes(292, 'A');  // no terminator in the name field
    bytes[10] = '\xC3';           // start of a two-byte character ...
    bytes[11] = 'A';              // ... that never finishes
    sandbox.write_file("configuration/short.cfg", bytes);
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), std::string(10, 'A'));
    bytes.assign(400, 'B');  // longer than a record: the first 292 bytes count
    sandbox.write_file("configuration/short.cfg", bytes);
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), std::string(51, 'B'));
}

TEST_F(ConfigurationFileTest, SaveWritesItemsByOffsetCutsLongNamesAndAFailedOneKeepsTheOldFile)
{
    func_load_configuration_from_file();
    machine_configuration* record = func_get_configuration_from_liststore();
    ASSERT_NE(record, nullptr);
    record->items[8] = 450.0f;
    record->items[CONFIGURATION_NAME_ITEM] = 5.0f;  // the name's slot is not an item
    record->items[59] = 1.0f;
    std::strcpy(record->machine_name, "Line 2");
    func_update_configuration_liststore_test(record);
    std::string expected = default_record_bytes("Line 2");
    put_u32_by_hand(expected, item_offset(8), BITS_450);
    put_u32_by_hand(expected, item_offset(59), BITS_1);
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), expected);
    EXPECT_STREQ(current_machine_configuration->machine_name, "Line 2");

    std::string long_name;
    for (int i = 0; i < 60; ++i)
        long_name += "\xC3\xA9";  // é, two bytes each
    set_store_name(long_name);
    EXPECT_EQ(func_save_configuration_to_file(), 1);
    expected.replace(0, 52, long_name.substr(0, 50) + std::string(2, '\0'));  // a 26th é would need 52
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), expected);

    set_store_name("Changed");
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_save_configuration_to_file(), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), expected);
    EXPECT_TRUE(temporary_files("configuration").empty());
    EXPECT_NE(std::string("Changed"), current_machine_configuration->machine_name);
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_save_machine :can't create/open file " +
                                                         sandbox.path("configuration/default.cfg") + " not found."});
}

TEST_F(ConfigurationFileTest, DamagedItemsTakeTheirDefaultsAndUnknownMachineTypesTheSlowestSpeeds)
{
    machine_configuration record, defaults;
    func_set_default_configuration(record);
    func_set_default_configuration(defaults);
    record.items[0] = 2.0f;   // beyond Fahrenheit / Celsius
    record.items[2] = 7.0f;   // a service type: kept
    record.items[8] = std::nanf("");
    record.items[26] = std::numeric_limits<float>::infinity();
    record.items[27] = 650.0f;
    record.items[31] = -4.0f;
    record.items[4] = 12.0f;  // inactive: kept
    EXPECT_EQ(func_repair_configuration(record), (std::vector<int>{0, 8, 26, 31}));
    for (int item : {0, 8, 26, 31})
        EXPECT_EQ(record.items[item], defaults.items[item]) << item;
    EXPECT_EQ((std::vector<float>{7.0f, 650.0f, 12.0f}),
              (std::vector<float>{record.items[2], record.items[27], record.items[4]}));

    // Types the speed tables do not know get the slowest machine's speeds,
    // never a read past the tables.
    current_machine_configuration->items[2] = 2.0f;
    const int slowest = func_get_machine_type_index();
    for (float type : {7.0f, 3.0f, -1.0f, 1e30f, std::nanf("")}) {
        current_machine_configuration->items[2] = type;
        EXPECT_EQ(func_get_machine_type_index(), slowest) << type;
    }
}
