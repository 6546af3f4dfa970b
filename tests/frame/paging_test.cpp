// Paging arithmetic, row names and the selection after list edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/paging.h"

namespace {
page_list_info paged(int total, int rows, int current_page = 1)
{
    page_list_info info;
    info.current_page = current_page;
    func_compute_paging(info, total, rows);
    return info;
}

TEST(paging, pages_follow_the_rows_a_page_out_of_range_falls_back_to_one_and_deleting_and_adding_move_the_selection)
{
    // total, rows, page asked for -> pages, page, first item, end item
    const int cases[][7] = {{6, 6, 1, 1, 1, 0, 6},  {7, 6, 1, 2, 1, 0, 6},    {0, 6, 1, 1, 1, 0, 0},
                            {21, 20, 2, 2, 2, 20, 21}, {12, 5, 3, 3, 3, 10, 12}, {4, 5, 3, 1, 1, 0, 4},
                            {0, 5, 0, 1, 1, 0, 0}};
    for (const auto& c : cases) {
        const page_list_info info = paged(c[0], c[1], c[2]);
        EXPECT_EQ((std::vector<int>{c[3], c[4], c[5], c[6]}),
                  (std::vector<int>{info.pages, info.current_page, info.first_item, info.end_item}))
            << "case " << c[0] << " items, " << c[1] << " rows, page " << c[2];
    }

    // The row is the number after the last hash.
    EXPECT_EQ(12, func_get_row_from_name("a#1#12x"));
    EXPECT_EQ(-1, func_get_row_from_name("btn_home"));
    EXPECT_EQ(-1, func_get_row_from_name(nullptr));

    // items before, rows, page, pressed row, pressed page -> pressed row, pressed page
    const int deletions[][7] = {{14, 6, 3, 0, 3, 5, 2}, {14, 6, 2, 3, 2, 2, 2}, {3, 6, 1, 0, 1, -1, 1}, {1, 6, 1, 0, 1, -1, 1}};
    for (const auto& c : deletions) {
        page_list_info info = paged(c[0], c[1], c[2]);
        info.pressed_row = c[3];
        info.pressed_page = c[4];
        info.active_row = 0;
        func_compute_selection_after_deletion(info, c[0] - 1);
        const std::string name = "case " + std::to_string(c[0]) + " items, row " + std::to_string(c[3]);
        EXPECT_EQ(c[5], info.pressed_row) << name;
        EXPECT_EQ(c[6], info.pressed_page) << name;
        EXPECT_EQ(-1, info.active_row) << name;
    }

    // An added item is selected on its page.
    page_list_info added = paged(7, 6);
    func_compute_selection_after_adding(added, 7);
    EXPECT_EQ(2, added.current_page);
    EXPECT_EQ(2, added.pressed_page);
    EXPECT_EQ(0, added.pressed_row);
    EXPECT_EQ(1, added.reload);

    page_list_info small = paged(6, 6);
    func_compute_selection_after_adding(small, 6);
    EXPECT_EQ(1, small.current_page);
    EXPECT_EQ(5, small.pressed_row);
}

}  // namespace
