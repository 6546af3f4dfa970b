// formulas.dat and the formula list: records built by hand, stray and
// oversized files, saves that fail, snapshots that must follow every
// change, and the numbers offered to a new formula or step. A list update
// that keeps steps and time is formulas_screen_gui_test's; a formula's
// folder removed alone, formula_changes_test's.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>

#include "formulas/formula_list.h"
#include "formulas/step_files.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
std::string text_of(const formula_record& record)
{
    return std::to_string(record.number) + "|" + record.name + "|" + std::to_string(record.active) + "|" +
           std::to_string(record.step_count) + "|" + std::to_string(record.total_time);
}
}  // namespace

class FormulaListTest : public core_data_test {
protected:
    // 30 active, 5 inactive, 12 active, 7 active: deliberately unsorted.
    void write_mixed_list()
    {
        sandbox.write_file("formulas/formulas.dat", formula_bytes(30, "Sheets", 1, 4, 1800) +
                                                        formula_bytes(5, "Old mops", 0, 2, 600) +
                                                        formula_bytes(12, "Towels", 1, 12, 3725) +
                                                        formula_bytes(7, "Aprons", 1, 1, 60));
        ASSERT_EQ(func_load_formula_list_from_file(), 1);
    }
    std::unique_ptr<formula_snapshot> snapshot(bool active_only = false)
    {
        return std::unique_ptr<formula_snapshot>(func_get_formula_list_from_liststore(active_only));
    }
    std::string names()
    {
        std::string joined;
        const auto list = snapshot();
        for (const formula_record& record : list->records)
            joined += record.name + ",";
        return joined;
    }
};

TEST_F(FormulaListTest, LoadsWholeRecordsAndIgnoresStrayBytes)
{
    sandbox.write_file("formulas/formulas.dat",
                       formula_bytes(1, "Towels", 1, 12, 3725) + formula_bytes(999, "Last", 1, 99, 0x7FFFFFFF) +
                           formula_bytes(4, std::string(52, 'N'), 1, 0, 0) +  // no terminator
                           formula_bytes(5, "Ok\xC3", 0, 0, 0) +              // broken character
                           "stray");
    EXPECT_EQ(func_load_formula_list_from_file(), 1);
    auto list = snapshot();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(text_of(list->records[0]), "1|Towels|1|12|3725");
    EXPECT_EQ(list->records[1].name, std::string(51, 'N'));
    EXPECT_EQ(text_of(list->records[2]), "5|Ok|0|0|0");
    EXPECT_EQ(text_of(list->records[3]), "999|Last|1|99|2147483647");
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(FormulaListTest, MissingFileGivesEmptyListAndFolderAndMoreThan999RecordsKeepTheFirst999)
{
    func_append_formula_row(formula_record{1, "Stale", 1, 0, 0});
    EXPECT_EQ(func_load_formula_list_from_file(), 0);
    EXPECT_EQ(snapshot()->count(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.path("formulas")));

    std::string bytes;
    for (uint32_t number = 1; number <= 1003; ++number)
        bytes += formula_bytes(number, "F", 1, 1, 1);
    sandbox.write_file("formulas/formulas.dat", bytes);
    EXPECT_EQ(func_load_formula_list_from_file(), 1);
    EXPECT_EQ(snapshot()->count(), 999);
    EXPECT_EQ(snapshot()->records.back().number, 999);
    const std::vector<std::string> logged = syserror_lines();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "func_load_formula_list : Can't open file " + sandbox.path("formulas/formulas.dat") + ".");
    EXPECT_NE(logged[1].find("999"), std::string::npos);
}

TEST_F(FormulaListTest, SaveWritesRowsInNumberOrderAndAFailedSaveKeepsTheFile)
{
    write_mixed_list();
    // A name of 60 two-byte characters is cut to 25 of them (51 bytes at most).
    std::string long_name, cut_name;
    for (int i = 0; i < 60; ++i)
        (i < 25 ? cut_name : long_name) += "\xC3\xA9";
    func_append_formula_row(formula_record{3, cut_name + long_name, 1, 0, 0});
    snapshot();  // sorts the store by number
    EXPECT_EQ(func_save_formula_list_to_file(), 1);
    const std::string saved = sandbox.read_file("formulas/formulas.dat");
    EXPECT_EQ(saved, formula_bytes(3, cut_name, 1, 0, 0) + formula_bytes(5, "Old mops", 0, 2, 600) +
                         formula_bytes(7, "Aprons", 1, 1, 60) + formula_bytes(12, "Towels", 1, 12, 3725) +
                         formula_bytes(30, "Sheets", 1, 4, 1800));

    gtk_list_store_clear(formula_list_store);
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_save_formula_list_to_file(), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("formulas/formulas.dat"), saved);
    EXPECT_TRUE(temporary_files("formulas").empty());
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_save_formula_list : Can't open file " +
                                                         sandbox.path("formulas/formulas.dat") + "."});
}

// Loads and snapshots skip work while nothing changed: any change to the
// store or the file, by whatever way, must still show.
TEST_F(FormulaListTest, SnapshotsAreSortedAndFollowEveryChangeOfStoreOrFile)
{
    EXPECT_EQ(func_find_formula_number(5), -1);  // empty list
    write_mixed_list();
    EXPECT_EQ(names(), "Old mops,Aprons,Towels,Sheets,");
    EXPECT_EQ(text_of(snapshot(true)->records[0]), "7|Aprons|1|1|60");
    EXPECT_EQ(func_find_formula_number(5, true), -1);
    EXPECT_EQ(func_find_formula_number(12, true), 1);
    EXPECT_EQ(func_find_formula_number(12), 2);
    GtkTreeIter first;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(GTK_TREE_MODEL(formula_list_store), &first));
    gtk_list_store_set(formula_list_store, &first, FORMULA_COLUMN_NAME, "Edited", -1);
    EXPECT_EQ(names(), "Edited,Aprons,Towels,Sheets,");
    ASSERT_EQ(func_load_formula_list_from_file(), 1);  // the same file: its rows come back
    EXPECT_EQ(names(), "Old mops,Aprons,Towels,Sheets,");

    // Same size, other bytes; then the same numbers twice (kept in file order).
    sandbox.write_file("formulas/formulas.dat", formula_bytes(9, "Mats", 0, 1, 60) + formula_bytes(3, "Caps", 1, 1, 60) +
                                                    formula_bytes(9, "Rugs", 1, 1, 60) +
                                                    formula_bytes(3, "Bibs", 1, 1, 60));
    ASSERT_EQ(func_load_formula_list_from_file(), 1);
    EXPECT_EQ(names(), "Caps,Bibs,Mats,Rugs,");
    std::filesystem::remove(sandbox.path("formulas/formulas.dat"));
    EXPECT_EQ(func_load_formula_list_from_file(), 0);
    EXPECT_EQ(names(), "");
}

// The type item is set to the number too, so a lookup in the wrong column
// would find the same values.
TEST_F(FormulaListTest, NewFormulasAndStepsAreOfferedTheFirstFreeNumberAndFileNumbersOutsideTheRangeAreSkipped)
{
    func_remove_all_step_rows();
    const auto add_steps = [](std::initializer_list<int> numbers) {
        for (int number : numbers) {
            step_record step;
            step.number = step.items[STEP_TYPE] = number;
            func_append_step_row(step);
        }
    };
    EXPECT_EQ(1, func_get_next_free_formula_number());
    for (int number : {5, 1, 2, INT_MAX, -7})
        func_append_formula_row(formula_record{number, "Towels", 1, 0, 0});
    EXPECT_EQ(6, func_get_next_free_formula_number());
    EXPECT_TRUE(func_formula_number_taken(5));
    EXPECT_FALSE(func_formula_number_taken(3));
    func_append_formula_row(formula_record{999, "Towels", 1, 0, 0});
    EXPECT_EQ(3, func_get_next_free_formula_number());

    EXPECT_EQ(1, func_get_next_free_step_number());
    add_steps({INT_MAX, 2, INT_MIN, 1});
    EXPECT_EQ(3, func_get_next_free_step_number());
    EXPECT_FALSE(func_step_list_full());
    func_remove_all_step_rows();
    for (int number = 1; number <= STEP_LIST_MAX; ++number)
        add_steps({number});
    EXPECT_TRUE(func_step_list_full());
}
