#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "files/atomic_file.h"
#include "formulas/formula_list.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
std::string text_of(const formula_record& record)
{
    return std::to_string(record.number) + "|" + record.name + "|" + std::to_string(record.active) + "|" +
           std::to_string(record.step_count) + "|" + std::to_string(record.total_time);
}

int store_rows()
{
    return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(formula_list_store), nullptr);
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
};

TEST_F(FormulaListTest, LoadsWholeRecordsAndIgnoresStrayBytes)
{
    sandbox.write_file("formulas/formulas.dat",
                       formula_bytes(1, "Towels", 1, 12, 3725) + formula_bytes(2, "Sheets", 0, 3, 90) +
                           formula_bytes(999, "Last", 1, 99, 0x7FFFFFFF) +
                           formula_bytes(4, std::string(52, 'N'), 1, 0, 0) +  // no terminator
                           formula_bytes(5, "Ok\xC3", 1, 0, 0) +             // broken character
                           "stray");
    EXPECT_EQ(func_load_formula_list_from_file(), 1);
    auto list = snapshot();
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->records[2].name, std::string(51, 'N'));
    EXPECT_EQ(list->records[3].name, "Ok");
    EXPECT_EQ(text_of(list->records[0]), "1|Towels|1|12|3725");
    EXPECT_EQ(text_of(list->records[1]), "2|Sheets|0|3|90");
    EXPECT_EQ(text_of(list->records[4]), "999|Last|1|99|2147483647");
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(FormulaListTest, MissingFileGivesEmptyListAndFolderAndMoreThan999RecordsKeepTheFirst999)
{
    ASSERT_FALSE(sandbox.exists("formulas"));
    GtkTreeIter iter;
    gtk_list_store_append(formula_list_store, &iter);
    EXPECT_EQ(func_load_formula_list_from_file(), 0);
    EXPECT_EQ(store_rows(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.path("formulas")));

    std::string bytes;
    for (uint32_t number = 1; number <= 1003; ++number)
        bytes += formula_bytes(number, "F", 1, 1, 1);
    sandbox.write_file("formulas/formulas.dat", bytes);
    EXPECT_EQ(func_load_formula_list_from_file(), 1);
    EXPECT_EQ(store_rows(), 999);
    EXPECT_EQ(snapshot()->records.back().number, 999);
    const std::vector<std::string> logged = syserror_lines();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "func_load_formula_list : Can't open file " + sandbox.path("formulas/formulas.dat") + ".");
    EXPECT_NE(logged[1].find("999"), std::string::npos);
}

TEST_F(FormulaListTest, SaveWritesRowsInStoreOrderAndAFailedSaveKeepsTheFile)
{
    write_mixed_list();
    snapshot();  // sorts the store by number
    // A name of 60 two-byte characters is cut to 25 of them (51 bytes at most).
    std::string long_name, cut_name;
    for (int i = 0; i < 60; ++i)
        (i < 25 ? cut_name : long_name) += "\xC3\xA9";
    GtkTreeIter iter;
    gtk_list_store_append(formula_list_store, &iter);
    gtk_list_store_set(formula_list_store, &iter, 0, 3, 1, 1, 2, (cut_name + long_name).c_str(), 3, 0, 4, 0, -1);
    int syncs_before = sandbox.sync_calls;

    EXPECT_EQ(func_save_formula_list_to_file(), 1);
    const std::string saved = sandbox.read_file("formulas/formulas.dat");
    EXPECT_EQ(saved, formula_bytes(3, cut_name, 1, 0, 0) + formula_bytes(5, "Old mops", 0, 2, 600) +
                         formula_bytes(7, "Aprons", 1, 1, 60) + formula_bytes(12, "Towels", 1, 12, 3725) +
                         formula_bytes(30, "Sheets", 1, 4, 1800));
    EXPECT_EQ(sandbox.sync_calls, syncs_before + 1);

    gtk_list_store_clear(formula_list_store);
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_save_formula_list_to_file(), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("formulas/formulas.dat"), saved);
    EXPECT_TRUE(temporary_files("formulas").empty());
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_save_formula_list : Can't open file " +
                                                         sandbox.path("formulas/formulas.dat") + "."});
}

TEST_F(FormulaListTest, SnapshotsAreSortedAndTheActiveOnesLeaveTheOthersOut)
{
    EXPECT_EQ(func_find_formula_number(5), -1);  // empty list
    write_mixed_list();
    auto list = snapshot(true);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(text_of(list->records[2]), "30|Sheets|1|4|1800");
    EXPECT_EQ(func_find_formula_number(5, true), -1);
    EXPECT_EQ(func_find_formula_number(12, true), 1);
    EXPECT_EQ(func_find_formula_number(12), 2);

    list = snapshot();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(text_of(list->records[0]), "5|Old mops|0|2|600");
    EXPECT_EQ(func_find_formula_number(5), 0);
    EXPECT_EQ(func_find_formula_number(404), -1);
    EXPECT_EQ(func_lookup_formula_name(1, 1) + func_lookup_formula_name(0, 1) + func_lookup_formula_name(42, 2),
              "ONOFF42");
    EXPECT_EQ(func_lookup_formula_name(2, 1) + func_lookup_formula_name(-1, 1), "");
    EXPECT_EQ(func_lookup_formula_index("ON", 1), 1);
    EXPECT_EQ(func_lookup_formula_index("OFF", 2), -1);
}

// Loads and snapshots skip work while nothing changed: any change to the
// store or the file, by whatever way, must still show.
TEST_F(FormulaListTest, ReloadsAndSnapshotsFollowEveryChangeOfStoreOrFile)
{
    write_mixed_list();
    auto names = [this] {
        std::string joined;
        const auto list = snapshot();
        for (const formula_record& record : list->records)
            joined += record.name + ",";
        return joined;
    };
    EXPECT_EQ(names(), "Old mops,Aprons,Towels,Sheets,");
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
    EXPECT_EQ(snapshot(true)->count(), 3);
    std::filesystem::remove(sandbox.path("formulas/formulas.dat"));
    EXPECT_EQ(func_load_formula_list_from_file(), 0);
    EXPECT_EQ(names(), "");
}

TEST_F(FormulaListTest, EditsKeepStepsAndTimeAndNullBuffersAreLogged)
{
    write_mixed_list();
    // A number not in the list changes nothing.
    EXPECT_EQ(0, func_set_selected_formula_to_liststore_test(new formula_record{404, "Nobody", 0, 1, 1}));
    EXPECT_EQ(1, func_set_selected_formula_to_liststore_test(new formula_record{12, "Bath towels", 0, 13, 4000}));
    std::unique_ptr<formula_record> stored(func_get_selected_formula_from_liststore_test(12));
    ASSERT_TRUE(stored);
    EXPECT_EQ(text_of(*stored), "12|Bath towels|0|13|4000");

    // A list update takes names and flags, not steps and time; unknown numbers are ignored.
    auto* edits = new formula_snapshot();
    edits->records.push_back(formula_record{12, "Hand towels", 1, 99, 99});
    edits->records.push_back(formula_record{77, "Unknown", 1, 1, 1});
    func_update_formula_list_liststore_test(edits);
    EXPECT_EQ(store_rows(), 4);
    // Both edits reached the file.
    EXPECT_EQ(sandbox.read_file("formulas/formulas.dat").substr(2 * FORMULA_RECORD_SIZE, FORMULA_RECORD_SIZE),
              formula_bytes(12, "Hand towels", 1, 13, 4000));

    func_set_selected_formula_to_liststore_test(nullptr);
    func_update_formula_list_liststore_test(nullptr);
    EXPECT_EQ(func_get_selected_formula_from_liststore_test(3), nullptr);
    EXPECT_EQ(syserror_lines(),
              (std::vector<std::string>{
                  "func_update_selected_formula_into_liststore : Error formula buffer is NULL",
                  "func_update_formula_list_liststore : Error formula list buffer is NULL",
                  "func_get_selected_formula_from_liststore : No data for requested formula - 003"}));
}

TEST_F(FormulaListTest, DeleteFormulaStepsRemovesOnlyThatFolder)
{
    sandbox.write_file("formulas/f-007/steps.dat", "s");
    sandbox.write_file("formulas/f-070/steps.dat", "s");
    int syncs_before = sandbox.sync_calls;
    func_delete_formula_steps(7);
    func_delete_formula_steps(-1);
    func_delete_formula_steps(8);  // no such folder
    EXPECT_FALSE(sandbox.exists("formulas/f-007"));
    EXPECT_TRUE(sandbox.exists("formulas/f-070/steps.dat"));
    EXPECT_GT(sandbox.sync_calls, syncs_before);
}
