#include <gtest/gtest.h>

#include <cmath>

#include <cstring>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
// Float bit patterns worked out by hand.
constexpr uint32_t BITS_1 = 0x3F800000, BITS_5 = 0x40A00000, BITS_300 = 0x43960000, BITS_450 = 0x43E10000,
                   BITS_800 = 0x44480000, BITS_900 = 0x44610000, BITS_1000 = 0x447A0000;

size_t item_offset(int item) { return 52 + 4 * static_cast<size_t>(item); }

std::string default_record_bytes(const std::string& name)
{
    std::string bytes(292, '\0');
    bytes.replace(0, name.size(), name);
    put_u32_by_hand(bytes, item_offset(8), BITS_300);
    put_u32_by_hand(bytes, item_offset(26), BITS_800);
    put_u32_by_hand(bytes, item_offset(27), BITS_900);
    put_u32_by_hand(bytes, item_offset(28), BITS_1000);
    return bytes;
}

int store_rows()
{
    return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(configure_list_store), nullptr);
}

std::string store_name()
{
    GtkTreeIter iter;
    gchar* name = nullptr;
    if (gtk_tree_model_get_iter_first(GTK_TREE_MODEL(configure_list_store), &iter))
        gtk_tree_model_get(GTK_TREE_MODEL(configure_list_store), &iter, 33, &name, -1);
    std::string text = name ? name : "<none>";
    g_free(name);
    return text;
}

void set_store_name(const std::string& name)
{
    GtkTreeIter iter;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(GTK_TREE_MODEL(configure_list_store), &iter));
    gtk_list_store_set(configure_list_store, &iter, 33, name.c_str(), -1);
}
}  // namespace

using ConfigurationFileTest = core_data_test;

TEST_F(ConfigurationFileTest, EmptyFolderCreatesDefaultRecordAndSetName)
{
    EXPECT_EQ(func_get_configuration_filename(), "");
    EXPECT_TRUE(sandbox.exists("configuration"));  // created when missing
    EXPECT_EQ(func_load_configuration_from_file(), 0);
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), default_record_bytes(MACHINE_NAME));
    ASSERT_TRUE(sandbox.exists("configuration/default.cfs"));
    EXPECT_EQ(sandbox.read_file("configuration/default.cfs"), "");
    EXPECT_TRUE(temporary_files("configuration").empty());
    ASSERT_EQ(store_rows(), 1);
    EXPECT_EQ(store_name(), MACHINE_NAME);
    EXPECT_EQ(TIDAL_LOOP, 0);
    EXPECT_STREQ(current_machine_configuration->machine_name, MACHINE_NAME);
    EXPECT_EQ(current_machine_configuration->items[28], 1000.0f);
}

TEST_F(ConfigurationFileTest, ReadsFirstNameThatContainsCfgAnywhereButNoTemporaryOrFolder)
{
    sandbox.write_file(std::string("configuration/") + TEMPORARY_FILE_PREFIX + "9_1.cfg", "x");
    sandbox.write_file("configuration/folder.cfg/inside", "x");
    EXPECT_EQ(func_get_configuration_filename(), "");

    std::string bytes(292, '\0');
    bytes.replace(0, 4, "Site");
    put_u32_by_hand(bytes, item_offset(2), BITS_1);
    put_u32_by_hand(bytes, item_offset(25), BITS_1);
    put_u32_by_hand(bytes, item_offset(33), BITS_5);  // the name's slot is not an item
    put_u32_by_hand(bytes, item_offset(59), BITS_450);
    sandbox.write_file("configuration/site.cfg.bak", bytes);
    EXPECT_EQ(func_get_configuration_filename(), "site.cfg.bak");
    TIDAL_LOOP = 0;
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), "Site");
    const float* items = current_machine_configuration->items;
    EXPECT_EQ(items[2], 1.0f);
    EXPECT_EQ(items[59], 450.0f);
    EXPECT_EQ(items[8], 0.0f);
    EXPECT_EQ(TIDAL_LOOP, 1);
    EXPECT_FALSE(sandbox.exists("configuration/default.cfg"));
}

TEST_F(ConfigurationFileTest, ShortFileGivesDefaultsAndStaysUntilSaved)
{
    const std::string short_record(100, 'Z');
    sandbox.write_file("configuration/short.cfg", short_record);
    current_machine_configuration->items[8] = 17.0f;
    TIDAL_LOOP = 1;
    EXPECT_EQ(func_load_configuration_from_file(), 0);
    EXPECT_EQ(store_rows(), 1);  // the screen shows the defaults
    EXPECT_EQ(TIDAL_LOOP, 0);
    EXPECT_EQ(current_machine_configuration->items[8], 300.0f);
    EXPECT_STREQ(current_machine_configuration->machine_name, MACHINE_NAME);
    const std::string path = sandbox.path("configuration/short.cfg");
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_load_machine : Can't read machine configuration record from file " +
                                       path + " . \n"});
    EXPECT_EQ(sandbox.read_file("configuration/short.cfg"), short_record);
    // Only the operator's save replaces it.
    EXPECT_EQ(func_save_configuration_to_file(), 1);
    EXPECT_EQ(sandbox.read_file("configuration/short.cfg").size(), 292u);
}

TEST_F(ConfigurationFileTest, TwoFilesChooseTheFirstNameAndDamagedItemsAreRepaired)
{
    machine_configuration record;
    func_set_default_configuration(record);
    record.items[6] = 3.0f;
    unsigned char bytes[292];
    func_encode_configuration(record, bytes);
    sandbox.write_file("configuration/b.cfg", std::string(reinterpret_cast<char*>(bytes), 292));
    record.items[6] = 5.0f;
    record.items[29] = std::nanf("");
    func_encode_configuration(record, bytes);
    sandbox.write_file("configuration/a.cfg", std::string(reinterpret_cast<char*>(bytes), 292));
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(current_machine_configuration->items[6], 5.0f);
    EXPECT_EQ(current_machine_configuration->items[29], 0.0f);
    ASSERT_EQ(syserror_lines().size(), 1u);
    EXPECT_NE(syserror_lines()[0].find("items 29 of " + sandbox.path("configuration/a.cfg")), std::string::npos);
}

TEST_F(ConfigurationFileTest, GarbageNameIsBoundedAndValidText)
{
    std::string bytes(292, 'A');  // no terminator in the name field
    bytes[10] = '\xC3';           // start of a two-byte character ...
    bytes[11] = 'A';              // ... that never finishes
    sandbox.write_file("configuration/junk.cfg", bytes);
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), std::string(10, 'A'));

    bytes.assign(400, 'B');  // longer than a record: the first 292 bytes count
    sandbox.write_file("configuration/junk.cfg", bytes);
    EXPECT_EQ(func_load_configuration_from_file(), 1);
    EXPECT_EQ(store_name(), std::string(51, 'B'));
}

TEST_F(ConfigurationFileTest, SaveWritesItemsByOffsetZeroesNameSlotAndCutsLongNames)
{
    func_load_configuration_from_file();
    machine_configuration* record = func_get_configuration_from_liststore();
    ASSERT_NE(record, nullptr);
    record->items[8] = 450.0f;
    record->items[33] = 5.0f;
    record->items[59] = 1.0f;
    std::strcpy(record->machine_name, "Line 2");
    func_update_configuration_liststore_test(record);
    std::string expected = default_record_bytes("Line 2");
    put_u32_by_hand(expected, item_offset(8), BITS_450);
    put_u32_by_hand(expected, item_offset(59), BITS_1);
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), expected);
    EXPECT_EQ(current_machine_configuration->items[8], 450.0f);
    EXPECT_STREQ(current_machine_configuration->machine_name, "Line 2");

    std::string long_name;
    for (int i = 0; i < 60; ++i)
        long_name += "\xC3\xA9";  // é, two bytes each
    set_store_name(long_name);
    EXPECT_EQ(func_save_configuration_to_file(), 1);
    expected.replace(0, 52, long_name.substr(0, 50) + std::string(2, '\0'));  // a 26th é would need 52
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), expected);
    EXPECT_TRUE(temporary_files("configuration").empty());
}

TEST_F(ConfigurationFileTest, FailuresAreLoggedAndKeepTheOldFile)
{
    func_update_configuration_liststore_test(nullptr);
    auto* record = new machine_configuration();
    func_set_default_configuration(*record);
    func_update_configuration_liststore_test(record);  // no row: nothing written
    EXPECT_FALSE(sandbox.exists("configuration/default.cfg"));

    func_load_configuration_from_file();
    const std::string before = sandbox.read_file("configuration/default.cfg");
    set_store_name("Changed");
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_save_configuration_to_file(), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), before);
    EXPECT_TRUE(temporary_files("configuration").empty());
    EXPECT_STREQ(current_machine_configuration->machine_name, MACHINE_NAME);
    EXPECT_EQ(syserror_lines(),
              (std::vector<std::string>{"func_put_configuration_into_liststore : Error Allocating Buffer Machine",
                                        "func_save_machine :can't create/open file " +
                                            sandbox.path("configuration/default.cfg") + " not found."}));
}
