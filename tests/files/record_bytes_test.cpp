// Field encoders of the fixed-size records.
#include <gtest/gtest.h>

#include <cstring>

#include "files/record_bytes.h"

TEST(record_bytes, numbers_are_little_endian_and_text_fields_cut_at_a_character_boundary)
{
    unsigned char field[8];
    std::memset(field, 0xAA, sizeof field);
    // Seven bytes fit; the fourth "é" (two bytes) would be split, so it goes.
    func_put_text_field(field, sizeof field, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(std::string("\xC3\xA9\xC3\xA9\xC3\xA9"), func_get_text_field(field, sizeof field));
    EXPECT_EQ(0, field[6]);
    EXPECT_EQ(0, field[7]);

    func_put_text_field(field, sizeof field, "abc");
    EXPECT_EQ("abc", func_get_text_field(field, sizeof field));
    EXPECT_EQ(0, field[5]);  // the rest of the field is cleared

    // Integers and floats are little endian.
    unsigned char bytes[8] = {};
    func_put_int32_le(bytes, -2);
    const unsigned char minus_two[4] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(0, std::memcmp(bytes, minus_two, 4));
    EXPECT_EQ(-2, func_get_int32_le(bytes));

    func_put_float32_le(bytes + 4, 300.0f);  // 0x43960000
    const unsigned char three_hundred[4] = {0x00, 0x00, 0x96, 0x43};
    EXPECT_EQ(0, std::memcmp(bytes + 4, three_hundred, 4));
    EXPECT_EQ(300.0f, func_get_float32_le(bytes + 4));
}
