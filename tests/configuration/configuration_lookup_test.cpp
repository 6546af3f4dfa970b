#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
    EXPECT_EQ(func_lookup_cfg_name(12.9, 30), "12");
    EXPECT_EQ(func_lookup_cfg_name(-3.7, 38), "-3");
    EXPECT_EQ(func_lookup_cfg_name(5, 4), "5");  // inactive items print their value
}

TEST_F(ConfigurationLookupTest, ValuesWithoutATextShowNothing)
{
    EXPECT_EQ(func_lookup_cfg_name(2, 0), "");   // row 0 has two texts
    EXPECT_EQ(func_lookup_cfg_name(-1, 0), "");
    EXPECT_EQ(func_lookup_cfg_name(10, 2), "");  // last slot of the row, empty
    EXPECT_EQ(func_lookup_cfg_name(11, 2), "");  // past the row
    EXPECT_EQ(func_lookup_cfg_name(1e20, 6), "");
    EXPECT_EQ(func_lookup_cfg_name(std::nan(""), 6), "");
    EXPECT_EQ(func_lookup_cfg_name(std::numeric_limits<double>::infinity(), 26), "");
    EXPECT_EQ(func_lookup_cfg_name(1e30, 59), "0");  // beyond int: no undefined conversion
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
    // Types the table does not know use type 0, never a read past it.
    for (float type : {7.0f, 3.0f, -1.0f, 1e30f, std::nanf("")}) {
        current_machine_configuration->items[2] = type;
        EXPECT_EQ(func_get_machine_type_index(), 0) << type;
    }
    EXPECT_EQ(nominal_extract_rpm[func_get_machine_type_index()], 664);
}
