// Titles, help lines and checks of the data entry items. Language slot n
// holds "t<n>" so every text can be compared whole.
#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

#include "entry/value_limits.h"
#include "language/units.h"
#include "support/tcc_helpers.h"

namespace {

const char* const UNTOUCHED = "untouched";

class value_limits_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        for (int index = 0; index < LANGUAGE_SLOT_COUNT; ++index)
            p[index] = "t" + std::to_string(index);
        use_machine(0.0f, 0.0f);
    }

    static void use_machine(float temperature_unit, float type)
    {
        current_machine_configuration->items[0] = temperature_unit;
        current_machine_configuration->items[2] = type;
    }

    // Index of the first bad field (-1 accepted); the message is kept.
    int check(int item, const std::vector<std::string>& fields)
    {
        message = UNTOUCHED;
        return func_check_item_value(item, fields, message);
    }

    // Each of good accepted, each of bad rejected; message is the last bad one's.
    void expect_values(int item, std::initializer_list<std::string> good, std::initializer_list<std::string> bad)
    {
        for (const std::string& text : good)
            EXPECT_EQ(check(item, {text}), -1) << "item " << item << " text " << text;
        for (const std::string& text : bad)
            EXPECT_EQ(check(item, {text}), 0) << "item " << item << " text " << text;
    }

    std::string message;

    language_texts_kept texts_;
};

struct range_case {
    int item;
    const char *lowest, *highest, *below, *above;
    bool empty_accepted;
};

// One item of each kind of range (Fahrenheit, machine type 0): whole
// numbers from 0 and from 1, a temperature, a speed, decimals.
const range_case RANGE_CASES[] = {
    {0, "50", "205", "49", "206", true},  {11, "200", "664", "199", "665", false},
    {23, "1", "999", "0", "1000", false}, {54, "0", "255", "-1", "256", true},
    {73, "0", "100", "-0.1", "100.1", true},
};

}  // namespace

TEST_F(value_limits_test, every_range_holds_at_both_ends)
{
    for (const range_case& c : RANGE_CASES) {
        SCOPED_TRACE("item " + std::to_string(c.item));
        EXPECT_EQ(check(c.item, {c.lowest}), -1);
        EXPECT_EQ(check(c.item, {c.highest}), -1);
        EXPECT_EQ(message, UNTOUCHED);
        // 2^32 + 10 must not wrap to 10, nor 2^64 to 0.
        for (const char* bad : {c.below, c.above, "4294967306", "18446744073709551616"}) {
            EXPECT_EQ(check(c.item, {bad}), 0) << bad;
            EXPECT_NE(message, UNTOUCHED);
            EXPECT_FALSE(message.empty());
        }
        // Empty and non-numeric text read as 0; so does a missing field.
        const int expected = c.empty_accepted ? -1 : 0;
        EXPECT_EQ(check(c.item, {""}), expected);
        EXPECT_EQ(check(c.item, {"abc"}), expected);
        EXPECT_EQ(check(c.item, {}), expected);
    }
    expect_values(52, {"12abc", " +7"}, {"-4294967286"});
    expect_values(80, {}, {"nan", "inf"});
    // Unchecked and unknown items accept anything.
    for (int item : {1, 56, -1, 100}) {
        EXPECT_EQ(check(item, {"-5", "abc", "100000"}), -1) << item;
        EXPECT_EQ(message, UNTOUCHED);
    }
}

TEST_F(value_limits_test, ranges_follow_the_unit_and_machine_type_and_the_help_names_them)
{
    expect_values(0, {"0"}, {"49"});
    EXPECT_EQ(message, "t201 (50°-205° F)!");
    EXPECT_EQ(func_get_item_help(0, SCREEN_SELECTED_STEP), "* t256 (50°-205° F) *");
    expect_values(10, {"10", "38"}, {"9", "39"});
    EXPECT_EQ(message, "t114 t386, (010 - 038 RPM)");
    EXPECT_EQ(func_get_item_help(10, SCREEN_STEPS), std::nullopt);  // help on the step screen only
    // Two ranges; a limit in single precision: 999.99001 is above 999.99
    // in double but the same float as the bound.
    expect_values(57, {"1", "4094", "5001", "9094"}, {"0", "4095", "5000", "9095", ""});
    EXPECT_EQ(message, "t469 (1-4094 t474 | 5001-9094 t475)");
    expect_values(80, {"999.99", "999.99001"}, {"1000"});
    EXPECT_EQ(func_get_item_help(80, SCREEN_CHEMICAL_VALVES), "t538 (0.0-1000.0)!");

    use_machine(1.0f, 2.0f);
    expect_values(0, {"0", "96"}, {"-1", "97"});
    EXPECT_EQ(func_get_item_help(0, SCREEN_SELECTED_STEP), "* t256 (0°-96° C) *");
    expect_values(72, {"", "100"}, {"-1", "101"});
    expect_values(11, {"541"}, {"542"});
}

TEST_F(value_limits_test, times_and_dates_stop_at_the_first_bad_field)
{
    // Item, fields, the first bad one, its message.
    const std::tuple<int, std::vector<std::string>, int, const char*> cases[] = {
        {40, {"2", "29", "2024"}, -1, UNTOUCHED}, {40, {"6", "15", "1969"}, 2, "t199"},
        {40, {"13", "0", "2101"}, 0, "t197"},     {40, {"2", "29", "2023"}, 1, "t953"},
        {40, {"6", "32", "2000"}, 1, "t198"},     {3, {"23", "59", "59"}, -1, UNTOUCHED},
        {3, {"24", "60", "60"}, 0, "t202"},       {41, {"0", "60", "60"}, 1, "t203"},
        {41, {"0", "0", "60"}, 2, "t204"},
    };
    for (const auto& [item, fields, bad_index, expected] : cases) {
        EXPECT_EQ(check(item, fields), bad_index) << item << " " << fields[0] << ":" << fields[2];
        EXPECT_EQ(message, expected) << item;
    }
}

TEST_F(value_limits_test, remote_formula_fields_in_screen_order)
{
    const std::tuple<size_t, const char*, const char*> cases[] = {
        {0, "0", "t186 t648 (1-999)!"}, {2, "-1", "t490 t648 (0-9999)!"}, {6, "10000", "t671 t648 (0-9999)!"}};
    EXPECT_EQ(check(26, {"999", "9999", "9999", "999", "9999", "9999", "9999"}), -1);
    EXPECT_EQ(check(26, {"5"}), -1);  // missing fields read as 0
    for (const auto& [index, text, expected] : cases) {
        std::vector<std::string> fields = {"1", "0", "0", "0", "0", "0", "0"};
        fields[index] = text;
        EXPECT_EQ(check(26, fields), int(index)) << text;
        EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(check(32, {"0", "10000", "-1", "1000", "x", "", "99999"}), 0);  // the other remote formula item
    EXPECT_EQ(message, "t186 t648 (1-999)!");
}

TEST_F(value_limits_test, passwords_must_fit_their_record_and_addresses_must_be_dotted)
{
    EXPECT_EQ(check(37, {std::string(22, 'a'), "anything"}), -1);
    EXPECT_EQ(check(38, {std::string(23, 'a'), ""}), 0);
    EXPECT_EQ(message, "t944");
    // Each byte of a letter beyond ASCII takes eight digits.
    EXPECT_EQ(check(39, {"\xC3\xA4\xC3\xA4\xC3\xA4", ""}), 0);

    EXPECT_EQ(check(43, {"192.168.1.20", "255.255.255.0", "0.0.0.0"}), -1);
    const std::tuple<size_t, const char*, const char*> cases[] = {
        {0, "192.168.1", "t945"},   {0, "192.168.1.256", "t945"}, {0, "192.168.01.2", "t945"},
        {0, "0.0.0.0", "t945"},     {0, "10.0.0.1; reboot", "t945"}, {1, "255.0.255.0", "t956"},
        {2, "10.0.0.x", "t957"},
    };
    for (const auto& [index, text, expected] : cases) {
        std::vector<std::string> fields = {"10.0.0.5", "255.0.0.0", "10.0.0.1"};
        fields[index] = text;
        EXPECT_EQ(check(43, fields), int(index)) << text;
        EXPECT_EQ(message, expected) << text;
    }
}
