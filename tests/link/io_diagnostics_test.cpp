// What the diagnostics screen shows, without a display: terminal names,
// output buttons, which points a record repaints, analog texts at the
// ends of the 32-bit range.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "files/record_bytes.h"
#include "link/io_diagnostics.h"

namespace {
TEST(io_diagnostics_test, points_names_and_buttons_stay_inside_their_tables_and_analogs_show_the_32_bit_range)
{
    unsigned char previous[64] = {}, record[64] = {};
    record[3] = 1;
    record[20] = 7;  // anything but 1 reads off, but it is still a change
    record[40] = 1;  // not on the page
    EXPECT_EQ((std::vector<int>{3, 20}), func_changed_points(record, previous, 64, false, 0, 36));
    EXPECT_TRUE(func_changed_points(previous, previous, 64, false, 0, 64).empty());
    EXPECT_EQ(18u, func_changed_points(previous, previous, 64, true, 18, 36).size());
    // No previous record: everything on the page is new; a page past the end stops at it.
    EXPECT_EQ(10u, func_changed_points(record, nullptr, 64, false, 54, 72).size());
    EXPECT_FALSE(func_point_on(7));
    EXPECT_TRUE(func_point_on(1));

    // Names and buttons exist only inside their tables.
    EXPECT_EQ("1KPB4-11", func_input_terminal_name(8)) << "terminals 9 and 10 are skipped";
    EXPECT_EQ("", func_input_terminal_name(-1));
    EXPECT_EQ("", func_input_terminal_name(64));
    for (int beyond : {-1, 128, INT_MAX, INT_MIN}) {
        EXPECT_FALSE(func_output_in_table(beyond)) << beyond;
        EXPECT_EQ("", func_output_number_text(beyond)) << beyond;
    }

    unsigned char bytes[48 * 4] = {};
    func_put_int32_le(bytes + 0, INT32_MIN);         // A/D 0 counts
    func_put_int32_le(bytes + 4 * 8, INT32_MAX);     // A/D 0 actual
    func_put_int32_le(bytes + 4 * 16 + 4 * 5, 180);  // A/D 5 desired
    func_put_int32_le(bytes + 4 * 24, 7);            // D/A 0 counts
    func_put_int32_le(bytes + 4 * 29, INT32_MIN);    // D/A 1 actual
    int32_t values[48], before[48] = {};
    func_decode_analog_record(bytes, values);

    std::vector<analog_cell> cells = func_changed_analog_cells(values, before, false);
    auto text_of = [&cells](bool da, int channel, int column) {
        for (const analog_cell& cell : cells)
            if (cell.da == da && cell.channel == channel && cell.column == column)
                return cell.text;
        return std::string("(not repainted)");
    };
    EXPECT_EQ(5u, cells.size());
    EXPECT_EQ("-2147483648", text_of(false, 0, 2));
    EXPECT_EQ("2147483647", text_of(false, 0, 3));
    EXPECT_EQ("0007", text_of(true, 0, 2)) << "counts in four digits";

    // Channels 36-47 and the D/A channels 2 and 3 are not shown.
    std::memcpy(before, values, sizeof before);
    values[40] = 1;
    values[26] = 1;
    EXPECT_TRUE(func_changed_analog_cells(values, before, false).empty());
    cells = func_changed_analog_cells(values, before, true);
    EXPECT_EQ(8u * 3 + 2 * 3, cells.size());
    EXPECT_EQ("0", text_of(false, 1, 3));
}
}  // namespace
