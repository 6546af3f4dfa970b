// The VEZ configuration file: its bytes worked out by hand, odd sizes,
// the older layout and its conversion, which file is written.
#include <gtest/gtest.h>

#include <cstdio>

#include "configuration/vez_configuration.h"
#include "support/tcc_helpers.h"

namespace {
const char* const VEZ_FILE = "configuration/site.vez";

// Items 0 to 10 as an older console wrote them: a byte pattern that shows
// a shifted or swapped field, the extremes, and a negative value.
const std::vector<uint32_t> OLDER_ITEMS = {0x000000FF, 7,          0x80000000, 0x7FFFFFFF, 0xFFFFFFFE, 0x01020304,
                                           0,          0x00000352, 1,          0xA0B0C0D0, 0x11223344};

void expect_items(const vez_configuration& record, const std::vector<uint32_t>& items)
{
    for (int i = 0; i < VEZ_ITEM_COUNT; ++i) {
        const uint32_t expected = i < static_cast<int>(items.size()) ? items[i] : 0;
        EXPECT_EQ(static_cast<uint32_t>(record.items[i]), expected) << "item " << i;
    }
}

void fill_current(int32_t value)
{
    for (int32_t& item : current_vez_configuration.items)
        item = value;
}
}  // namespace

using VezConfigurationTest = core_data_test;

TEST_F(VezConfigurationTest, MissingFileIsMadeAndOddSizesAreLoggedAndKeptWhole)
{
    fill_current(5);
    EXPECT_EQ(func_load_vez_configuration_from_file(), 0);
    EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), std::string(76, '\0'));
    expect_items(current_vez_configuration, {});
    EXPECT_TRUE(syserror_lines().empty());
    ASSERT_EQ(sandbox.list_folder("configuration").size(), 1u);  // nothing else, no temporaries

    size_t reports = 0;
    for (size_t size : {43, 77}) {  // around the older and the current layout
        SCOPED_TRACE(size);
        std::string odd(size, '\0');
        for (size_t i = 0; i < size; ++i)
            odd[i] = static_cast<char>(0xA5 ^ i);
        sandbox.write_file("configuration/configuration.vez", odd);
        fill_current(5);
        EXPECT_EQ(func_load_vez_configuration_from_file(), 0);
        expect_items(current_vez_configuration, {});
        // Nor does asking for the conversion touch it.
        EXPECT_EQ(func_convert_vez_configuration_50027_to_50028(), 0);
        EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), odd);
        EXPECT_EQ(syserror_lines().size(), reports += 2);
    }
    EXPECT_EQ(syserror_lines().back(), "func_load_vez_cfg_from_file : Can't read vez configuration record from file " +
                                           sandbox.path("configuration/configuration.vez") + " . \n");
    std::vector<uint32_t> items = OLDER_ITEMS;
    items.insert(items.end(), {1, 0xFFFFFFFF, 13, 14, 15, 16, 17, 0x80000000});
    sandbox.write_file("configuration/configuration.vez", int_bytes(items));
    EXPECT_EQ(func_load_vez_configuration_from_file(), 1);
    expect_items(current_vez_configuration, items);
    EXPECT_EQ(func_convert_vez_configuration_50027_to_50028(), 0);  // already current
    EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), int_bytes(items));
    EXPECT_EQ(syserror_lines().size(), reports);
}

TEST_F(VezConfigurationTest, OlderLayoutBecomesTheCurrentOneOnLoadAndOnRequest)
{
    std::vector<uint32_t> converted = OLDER_ITEMS;
    converted.resize(19, 0);

    for (bool on_request : {false, true}) {
        sandbox.write_file(VEZ_FILE, int_bytes(OLDER_ITEMS));
        fill_current(5);
        EXPECT_EQ(on_request ? func_convert_vez_configuration_50027_to_50028() : func_load_vez_configuration_from_file(),
                  1);
        EXPECT_EQ(sandbox.read_file(VEZ_FILE), int_bytes(converted));
        expect_items(current_vez_configuration, converted);
        EXPECT_NE(syserror_lines().back().find("converted " + sandbox.path(VEZ_FILE)), std::string::npos);
    }
    EXPECT_TRUE(temporary_files("configuration").empty());

    // A file that cannot be rewritten stays as it was; its items are still read.
    sandbox.write_file(VEZ_FILE, int_bytes(OLDER_ITEMS));
    sandbox.refuse_writes_under({"configuration/"});
    EXPECT_EQ(func_convert_vez_configuration_50027_to_50028(), 0);
    fill_current(5);
    EXPECT_EQ(func_load_vez_configuration_from_file(), 1);
    expect_items(current_vez_configuration, converted);
    EXPECT_EQ(sandbox.read_file(VEZ_FILE), int_bytes(OLDER_ITEMS));
    func_reset_file_io_ops();

    // With no file at all the conversion makes the zero record.
    std::remove(sandbox.path(VEZ_FILE).c_str());
    EXPECT_EQ(func_convert_vez_configuration_50027_to_50028(), 0);
    EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), std::string(76, '\0'));
}

TEST_F(VezConfigurationTest, SaveWritesLittleEndianItemsToTheFirstNameAndFailureKeepsTheOldFile)
{
    sandbox.write_file(std::string("configuration/") + TEMPORARY_FILE_PREFIX + "1_0.vez", "x");
    sandbox.write_file("configuration/a.vez.d/inside", "x");  // a folder
    sandbox.write_file("configuration/novez", "");
    EXPECT_EQ(func_get_vez_configuration_filename(), "");
    // Whatever order the folder lists them in, the smallest name is taken.
    for (const char* name : {"c.vez", "bb.vez", "b.vez"})
        sandbox.write_file(std::string("configuration/") + name, "");
    EXPECT_EQ(func_get_vez_configuration_filename(), "b.vez");

    vez_configuration record{};
    std::vector<uint32_t> items(19);
    for (int i = 0; i < VEZ_ITEM_COUNT; ++i) {
        items[i] = 0x01000000u * (i + 1) + 0x00020000u * i + 0x00000300u + static_cast<uint32_t>(i);
        record.items[i] = static_cast<int32_t>(items[i]);
    }
    record.items[7] = -2;
    items[7] = 0xFFFFFFFE;
    EXPECT_EQ(func_save_vez_configuration(record), 1);
    EXPECT_EQ(sandbox.read_file("configuration/b.vez"), int_bytes(items));
    EXPECT_EQ(sandbox.read_file("configuration/c.vez"), "");
    expect_items(current_vez_configuration, items);

    sandbox.refuse_writes_under({"configuration/"});
    vez_configuration other{};
    other.items[0] = 99;
    EXPECT_EQ(func_save_vez_configuration(other), 0);
    EXPECT_EQ(sandbox.read_file("configuration/b.vez"), int_bytes(items));
    expect_items(current_vez_configuration, items);
    EXPECT_EQ(temporary_files("configuration").size(), 1u);  // only the one planted above
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_save_vez_configuration_to_file :can't create/open file " +
                                       sandbox.path("configuration/b.vez") + " not found."});
}
