#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "support/core_data_fixture.h"

using ConfigurationLookupTest = core_data_test;

TEST_F(ConfigurationLookupTest, ValuesToButtonTexts)
{
    EXPECT_EQ(func_lookup_cfg_name(1.9, 0), "Celcius");  // truncated toward zero
    EXPECT_EQ(func_lookup_cfg_name(1, 3), "RPMs");       // item 3 uses row 6
    EXPECT_EQ(func_lookup_cfg_name(1, 5), "Port 1");     // item 5 uses row 9
    EXPECT_EQ(func_lookup_cfg_name(6, 6), "B:30/E:60 Secs");
    EXPECT_EQ(func_lookup_cfg_name(3, 9), "20 Minutes");
    EXPECT_EQ(func_lookup_cfg_name(2, 14), "Hydraulic Tilt");
    EXPECT_EQ(func_lookup_cfg_name(1, 53), "YES");
    // Levels are shown in units, other numbers truncated.
    EXPECT_EQ(func_lookup_cfg_name(750, 27), "7.5");
    EXPECT_EQ(func_lookup_cfg_name(1000, 28), "10.0");
    EXPECT_EQ(func_lookup_cfg_name(0, 29), "0.0");
    EXPECT_EQ(func_lookup_cfg_name(12, 30), "12");
    EXPECT_EQ(func_lookup_cfg_name(2.5, 56), "2.5");  // a typed fraction stays
    EXPECT_EQ(func_lookup_cfg_name(-3, 38), "-3");
    EXPECT_EQ(func_lookup_cfg_name(5, 4), "5");  // inactive items print their value
}

TEST_F(ConfigurationLookupTest, ValuesWithoutATextShowTheirNumber)
{
    EXPECT_EQ(func_lookup_cfg_name(2, 0), "2");  // row 0 has two texts
    EXPECT_EQ(func_lookup_cfg_name(-1, 0), "-1");
    EXPECT_EQ(func_lookup_cfg_name(7, 2), "7");  // a service machine type
    EXPECT_EQ(func_lookup_cfg_index(func_lookup_cfg_name(7, 2), 2), -1);  // read back as the number
    EXPECT_EQ(func_lookup_cfg_name(11, 2), "11");  // past the row
    EXPECT_EQ(func_lookup_cfg_name(std::nan(""), 6), "0");
    EXPECT_EQ(func_lookup_cfg_name(std::numeric_limits<double>::infinity(), 26), "");
    EXPECT_EQ(func_lookup_cfg_name(1e30, 59), "0");  // beyond int: no undefined conversion
}

TEST_F(ConfigurationLookupTest, DamagedItemsTakeTheirDefaults)
{
    machine_configuration record;
    func_set_default_configuration(record);
    const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
    record.items[0] = 2.0f;    // beyond Fahrenheit / Celsius
    record.items[1] = 11.0f;   // no such language number
    record.items[2] = 7.0f;    // a service type: kept
    record.items[8] = nan;
    record.items[10] = 1.0f;   // YES
    record.items[13] = 5.0f;   // beyond NO / YES
    record.items[26] = inf;
    record.items[27] = 650.0f;
    record.items[31] = -4.0f;
    record.items[50] = 3e38f;
    record.items[4] = 12.0f;   // inactive: kept
    EXPECT_EQ(func_repair_configuration(record), (std::vector<int>{0, 1, 8, 13, 26, 31, 50}));
    machine_configuration defaults;
    func_set_default_configuration(defaults);
    for (int item : {0, 1, 8, 13, 26, 31, 50})
        EXPECT_EQ(record.items[item], defaults.items[item]) << item;
    EXPECT_EQ(record.items[2], 7.0f);
    EXPECT_EQ(record.items[10], 1.0f);
    EXPECT_EQ(record.items[27], 650.0f);
    EXPECT_EQ(record.items[4], 12.0f);
}

TEST_F(ConfigurationLookupTest, TextsBackToValues)
{
    EXPECT_EQ(func_lookup_cfg_index("Celcius", 0), 1);
    EXPECT_EQ(func_lookup_cfg_index("celcius", 0), -1);  // case matters
    EXPECT_EQ(func_lookup_cfg_index("Port 3", 5), 0);
    EXPECT_EQ(func_lookup_cfg_index("Maybe", 10), -1);
    EXPECT_EQ(func_lookup_cfg_index("", 10), -1);
    EXPECT_EQ(func_lookup_cfg_index("7.5", 26), 750);
    EXPECT_EQ(func_lookup_cfg_index("8.2", 27), 819);    // 819.999... truncated
    EXPECT_EQ(func_lookup_cfg_index("120° F", 38), -1);  // caller reads the number itself
}

TEST_F(ConfigurationLookupTest, MachineTypeSelectsSpeeds)
{
    current_machine_configuration->items[2] = 1.0f;
    EXPECT_EQ(max_wash_rpm[func_get_machine_type_index()], 32);
    current_machine_configuration->items[2] = 2.9f;
    EXPECT_EQ(max_extract_rpm[func_get_machine_type_index()], 541);
    current_machine_configuration->items[2] = 0.0f;
    EXPECT_EQ(nominal_extract_rpm[func_get_machine_type_index()], 664);
    // Types the table does not know get the slowest machine's speeds,
    // never a read past the table.
    for (float type : {7.0f, 3.0f, -1.0f, 1e30f, std::nanf("")}) {
        current_machine_configuration->items[2] = type;
        ASSERT_EQ(func_get_machine_type_index(), 2) << type;
    }
    EXPECT_EQ(max_extract_rpm[func_get_machine_type_index()], 541);
}
