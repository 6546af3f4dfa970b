// Paging arithmetic, row names and the selection after list edits.
#include <gtest/gtest.h>

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

TEST(paging, page_counts_follow_the_rows_per_page)
{
    EXPECT_EQ(1, paged(6, 6).pages);
    EXPECT_EQ(2, paged(7, 6).pages);
    EXPECT_EQ(1, paged(0, 6).pages);
    EXPECT_EQ(1, paged(20, 20).pages);
    EXPECT_EQ(2, paged(21, 20).pages);
    EXPECT_EQ(3, paged(12, 5).pages);
}

TEST(paging, the_last_page_holds_the_rest_and_an_out_of_range_page_falls_back_to_one)
{
    page_list_info last = paged(12, 5, 3);
    EXPECT_EQ(10, last.first_item);
    EXPECT_EQ(12, last.end_item);
    page_list_info shrunk = paged(4, 5, 3);
    EXPECT_EQ(1, shrunk.current_page);
    EXPECT_EQ(0, shrunk.first_item);
    EXPECT_EQ(4, shrunk.end_item);
    EXPECT_EQ(1, paged(0, 5, 0).current_page);
}

TEST(paging, the_row_is_the_number_after_the_last_hash)
{
    EXPECT_EQ(3, func_get_row_from_name("btn_frm_name_#003"));
    EXPECT_EQ(0, func_get_row_from_name("btn_configure_enabled_#000"));
    EXPECT_EQ(12, func_get_row_from_name("a#1#12x"));
    EXPECT_EQ(-1, func_get_row_from_name("btn_home"));
    EXPECT_EQ(-1, func_get_row_from_name(nullptr));
}

TEST(paging, deleting_moves_the_selection_to_the_item_before)
{
    page_list_info info = paged(14, 6, 3);
    info.pressed_row = 0;
    info.pressed_page = 3;
    info.active_row = 0;
    func_compute_selection_after_deletion(info, 13);
    EXPECT_EQ(5, info.pressed_row);
    EXPECT_EQ(2, info.pressed_page);
    EXPECT_EQ(-1, info.active_row);

    info.pressed_row = 3;
    info.pressed_page = 2;
    func_compute_selection_after_deletion(info, 12);
    EXPECT_EQ(2, info.pressed_row);
    EXPECT_EQ(2, info.pressed_page);
}

TEST(paging, deleting_the_first_or_the_only_item_leaves_nothing_selected)
{
    page_list_info first = paged(3, 6);
    first.pressed_row = 0;
    first.pressed_page = 1;
    func_compute_selection_after_deletion(first, 2);
    EXPECT_EQ(-1, first.pressed_row);

    page_list_info only = paged(1, 6);
    only.pressed_row = 0;
    only.pressed_page = 1;
    func_compute_selection_after_deletion(only, 0);
    EXPECT_EQ(-1, only.pressed_row);
}

TEST(paging, an_added_item_is_selected_on_its_page)
{
    page_list_info info = paged(7, 6);
    func_compute_selection_after_adding(info, 7);
    EXPECT_EQ(2, info.current_page);
    EXPECT_EQ(2, info.pressed_page);
    EXPECT_EQ(0, info.pressed_row);
    EXPECT_EQ(1, info.reload);

    page_list_info small = paged(6, 6);
    func_compute_selection_after_adding(small, 6);
    EXPECT_EQ(1, small.current_page);
    EXPECT_EQ(5, small.pressed_row);
}

}  // namespace
