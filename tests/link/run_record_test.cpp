// What the run screen makes of a run record, with the controller's
// values at and beyond their ranges.
#include <gtest/gtest.h>

#include <climits>

#include "link/ipc_frame.h"
#include "link/run_record.h"

namespace {
TEST(run_record, decodes_what_was_encoded_refuses_other_sizes_and_holds_what_the_screen_shows_in_range)
{
    run_record sent;
    sent.formula = 12;
    sent.step = 3;
    sent.formula_left = 600;
    sent.level_actual = 812;
    sent.speed = 999;
    sent.status = 17;
    sent.outputs[191] = 1;
    unsigned char bytes[IPC_REMOTE_RUN_RECORD_SIZE] = {};
    func_encode_run_record(sent, bytes);
    EXPECT_EQ(12, bytes[0]) << "little-endian at offset 0";
    EXPECT_EQ(1, bytes[45 + 191]);
    run_record got;
    ASSERT_TRUE(func_decode_run_record(bytes, IPC_RUN_RECORD_SIZE, got));
    EXPECT_EQ((std::vector<int>{3, 600, 812, 17, 1}),
              (std::vector<int>{got.step, got.formula_left, got.level_actual, got.status, got.outputs[191]}));
    EXPECT_TRUE(func_decode_run_record(bytes, IPC_REMOTE_RUN_RECORD_SIZE, got));
    EXPECT_FALSE(func_decode_run_record(bytes, IPC_RUN_RECORD_SIZE - 1, got));
    EXPECT_FALSE(func_decode_run_record(nullptr, IPC_RUN_RECORD_SIZE, got));

    EXPECT_FALSE(func_run_formula_valid(0) || func_run_formula_valid(1001));
    EXPECT_DOUBLE_EQ(0.0, func_run_progress(10, 0)) << "no total: empty bar";
    EXPECT_DOUBLE_EQ(0.0, func_run_progress(900, 600)) << "more left than total";
    EXPECT_DOUBLE_EQ(0.25, func_run_progress(450, 600));
    EXPECT_DOUBLE_EQ(1.0, func_run_progress(INT_MIN, INT_MAX));
    EXPECT_DOUBLE_EQ(0.0, func_run_bar_fraction(800, 0)) << "nothing desired: empty bar";
    EXPECT_DOUBLE_EQ(1.0, func_run_bar_fraction(INT_MAX, 800)) << "beyond the bar's range";
    EXPECT_DOUBLE_EQ(0.0, func_run_bar_fraction(-5, 800));
    EXPECT_EQ("", func_basket_speed_text(0));
    EXPECT_EQ((std::vector<int>{12, 24, 36, 48, 60, 72, 84, 96, 108, 120}), func_temperature_scale(120));
    // The basket turns both ways and stops at its first picture.
    EXPECT_EQ(0, func_next_basket_picture(5, 2)) << "after the last picture the first";
    EXPECT_EQ(5, func_next_basket_picture(0, 1));
    EXPECT_EQ(0, func_next_basket_picture(4, 0));
    EXPECT_EQ(4, func_next_basket_picture(77, 1)) << "an index from nowhere is held to the pictures";
    // Five chemical slots take the lowest numbers on.
    unsigned char outputs[RUN_OUTPUT_COUNT] = {};
    // Chemicals 1, 2, 6, 9, 14, 15 by their outputs; output 3 holds 2, which is not "on".
    for (int output : {4, 6, 50, 41, 40, 44})
        outputs[output] = 1;
    outputs[3] = 2;
    EXPECT_EQ((std::vector<int>{1, 2, 6, 9, 14}), func_chemicals_on(outputs));
    outputs[4] = outputs[6] = 0;
    EXPECT_EQ((std::vector<int>{6, 9, 14, 15}), func_chemicals_on(outputs));
}

}  // namespace
