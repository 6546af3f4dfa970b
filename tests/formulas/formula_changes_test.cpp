// Operations on formulas and steps that touch several files, failed or
// cut short by a power cut at every call they make: afterwards (and after
// the start-up that follows a cut) formulas.dat, the formula folders,
// steps.dat and the chemical files agree and are all as before or all as
// after; a failure is reported and leaves them as before. A change of
// level unit also takes the configuration along.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "files/write_failures.h"
#include "formulas/formula_changes.h"
#include "formulas/level_unit.h"
#include "formulas/step_files.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

namespace {
namespace fs = std::filesystem;

// Calls through the seam are counted; call fail_at fails, and with
// power_cut every call after it too (nothing runs after a cut).
int calls = 0, fail_at = -1;
bool power_cut = false;
bool fails()
{
    const int call = calls++;
    if (fail_at >= 0 && (call == fail_at || (power_cut && call > fail_at)))
        return (errno = EIO, true);
    return false;
}
void install_failing_calls()
{
    file_io_ops& ops = func_file_io_ops();
    ops.open_file = [](const char* path, int flags, mode_t mode) { return fails() ? -1 : ::open(path, flags, mode); };
    ops.write_file = [](int fd, const void* data, size_t size) -> ssize_t { return fails() ? -1 : ::write(fd, data, size); };
    // Counted, not done: a real flush per call makes the loop slow.
    ops.fsync_file = [](int) { return fails() ? -1 : 0; };
    ops.sync_filesystem = [](int) { return fails() ? -1 : 0; };
    ops.close_file = [](int fd) { return ::close(fd) != 0 || fails() ? -1 : 0; };
    ops.rename_file = [](const char* from, const char* to) { return fails() ? -1 : ::rename(from, to); };
    ops.unlink_file = [](const char* path) { return fails() ? -1 : ::unlink(path); };
    ops.make_folder = [](const char* path, mode_t mode) { return fails() ? -1 : ::mkdir(path, mode); };
    ops.remove_folder = [](const char* path) { return fails() ? -1 : ::rmdir(path); };
    ops.change_mode = [](int fd, mode_t mode) { return fails() ? -1 : ::fchmod(fd, mode); };
}

using tree = file_tree;

class formula_changes_test : public core_data_test {
protected:
    std::string formulas() const { return sandbox.path("formulas/"); }

    // Formulas 1 (steps A, B, C), 2 (step D) and 5 (no folder); every
    // step has chemicals that name it.
    void write_data()
    {
        fs::remove_all(formulas());
        write_formula(1, {"A", "B", "C"});
        write_formula(2, {"D"});
        const std::vector<formula_record> list = {{1, "F1", 0, 3, 0}, {2, "F2", 0, 1, 0}, {5, "F5", 0, 0, 0}};
        sandbox.write_file("formulas/formulas.dat", encode_records(list, FORMULA_RECORD_SIZE, func_encode_formula_record));
    }

    void write_formula(int formula, std::vector<std::string> names)
    {
        std::vector<step_record> steps(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            steps[i].number = static_cast<int32_t>(i + 1);
            steps[i].name = names[i];
            steps[i].items[STEP_LEVEL] = formula == 1 ? 800 : 1000;  // 8 and 10 in
            sandbox.write_file(relative(func_get_step_chemicals_path(formula, steps[i].number)), "chems of " + names[i]);
        }
        sandbox.write_file(relative(func_get_step_file_path(formula)),
                           encode_records(steps, STEP_RECORD_SIZE, func_encode_step_record));
    }

    std::string relative(const std::string& path) const { return path.substr(sandbox.root().size()); }

    tree snapshot() const { return read_tree(formulas()); }

    // formulas.dat, the folders, steps.dat and the chemical files agree.
    void expect_agreement()
    {
        func_load_formula_list_from_file();
        for (const auto& entry : fs::directory_iterator(formulas())) {
            const std::string name = entry.path().filename();
            if (!entry.is_directory())
                continue;
            ASSERT_EQ(0u, name.rfind("f-", 0)) << name;
            const int formula = std::stoi(name.substr(2));
            std::unique_ptr<formula_record> listed(func_get_selected_formula_from_liststore_test(formula));
            ASSERT_TRUE(listed) << name << " has no formula";
            func_load_step_list_from_file(formula, false);
            const int count = func_get_step_row_count();
            EXPECT_EQ(listed->step_count, count) << name;
            for (int row = 0; row < count; ++row) {
                const step_record step = func_get_step_row(row);
                EXPECT_EQ(row + 1, step.number) << name;
                const std::string chems = relative(func_get_step_chemicals_path(formula, step.number));
                if (step.name == "new")
                    EXPECT_FALSE(sandbox.exists(chems)) << chems;
                else
                    EXPECT_EQ("chems of " + step.name, sandbox.read_file(chems)) << chems;
            }
            EXPECT_FALSE(sandbox.exists(relative(func_get_step_chemicals_path(formula, count + 1)))) << name;
        }
    }

    // What the start-up does to the formulas before reading them.
    void restart()
    {
        func_finish_formula_change();
        func_remove_stale_temporary_files(formulas());
        for (const auto& entry : fs::directory_iterator(formulas()))
            if (entry.is_directory())
                func_remove_stale_temporary_files(entry.path().string() + "/");
        func_finish_level_unit_change();
    }

    // The level of the formula's first step in its file.
    int level_in_file(int formula) const
    {
        step_record step;
        func_decode_step_record(
            reinterpret_cast<const unsigned char*>(func_read_whole_file(func_get_step_file_path(formula)).data()), step);
        return step.items[STEP_LEVEL];
    }
    bool leftovers() const
    {
        return sandbox.exists("formulas/level-unit.journal") || sandbox.exists("formulas/f-001/steps.level-unit") ||
               sandbox.exists("formulas/f-002/steps.level-unit");
    }

    void SetUp() override
    {
        core_data_test::SetUp();
        install_failing_calls();
    }
    void TearDown() override
    {
        fail_at = -1;
        func_set_write_failure_listener(nullptr);
        core_data_test::TearDown();
    }
};

struct operation {
    const char* name;
    std::function<int()> run;  // on lists freshly read from the files
};

TEST_F(formula_changes_test, every_call_of_every_operation_failed_or_cut_short_leaves_agreeing_data)
{
    const auto change_row = [](int number, const std::function<void(formula_record&)>& change) {
        std::unique_ptr<formula_record> record(func_get_selected_formula_from_liststore_test(number));
        change(*record);
        return *record;
    };
    const std::vector<operation> operations = {
        {"add formula 7", [&] {
             func_append_formula_row(change_row(5, [](formula_record& r) { r.number = 7; }));
             return func_save_formula_list_with_new(7);
         }},
        {"copy formula 1 to 7", [&] {
             func_append_formula_row(change_row(1, [](formula_record& r) { r.number = 7; }));
             return func_save_formula_list_with_copy(1, 7);
         }},
        {"delete formula 1", [] {
             func_remove_formula_row(1);
             return func_save_formula_list_without(1);
         }},
        {"renumber formula 1 to 7", [] {
             func_set_formula_row_number(1, 7);
             return func_save_formula_list_renumbered(1, 7);
         }},
        {"insert before step 2", [] { return func_insert_step_at(1, false, 1, step_record{2, "new", {}}, -1); }},
        {"paste step 2 after it", [] { return func_insert_step_at(1, false, 2, step_record{3, "B", {}}, 2); }},
        {"paste step 1 to the end", [] { return func_append_step(1, false, step_record{4, "A", {}}, 1); }},
        {"delete step 2", [] { return func_remove_step_at(1, false, 1); }},
        {"save a longer step 3", [] {
             step_record record = func_get_step_row(2);
             record.items[STEP_TIME] = 600;
             func_set_step_row(2, record);
             return func_save_step_list_to_file(1, false);
         }},
        {"change the level unit", [] { return func_change_level_unit(1, false, [] { return 1; }); }},
    };
    int reports = 0;
    func_set_write_failure_listener([&](const std::string&, int) { ++reports; });
    for (const operation& op : operations) {
        SCOPED_TRACE(op.name);
        const auto run = [&](int failing_call, bool cut) {
            write_data();
            func_load_formula_list_from_file();
            func_load_step_list_from_file(1, false);
            calls = 0;
            fail_at = failing_call;
            power_cut = cut;
            const int result = op.run();
            fail_at = -1;
            // The start-up after the cut (after a mere failure it finds nothing).
            restart();
            return result;
        };
        write_data();
        const tree before = snapshot();
        ASSERT_EQ(1, run(-1, false));
        const tree after = snapshot();
        const int steps = calls;
        ASSERT_NE(before, after);
        expect_agreement();
        for (int call = 0; call < steps; ++call) {
            for (bool cut : {false, true}) {
                SCOPED_TRACE("call " + std::to_string(call) + (cut ? ", power cut" : ", failure"));
                reports = 0;
                const int result = run(call, cut);
                const tree now = snapshot();
                if (!cut) {
                    EXPECT_EQ(result ? after : before, now);
                    EXPECT_TRUE(result || reports > 0);
                } else {
                    EXPECT_TRUE(now == before || now == after);
                }
            }
        }
    }
}

TEST_F(formula_changes_test, a_new_step_next_to_a_number_read_from_a_file_stays_a_step_number)
{
    EXPECT_EQ((std::vector<int>{2, 3, 1, -1, -1, -1}),
              (std::vector<int>{func_new_step_number(2, 0), func_new_step_number(2, 1), func_new_step_number(-5, 0),
                                func_new_step_number(99, 1), func_new_step_number(2147483647, 1),
                                func_new_step_number(2147483647, 0)}));
}

TEST_F(formula_changes_test, a_damaged_journal_is_dropped_and_the_data_kept)
{
    write_data();
    const tree before = snapshot();
    const std::string staging = std::string("formulas/") + TEMPORARY_FILE_PREFIX + "change/";
    for (const char* journal : {"lumex6 change 1\nremove ../configuration\nend\n", "lumex6 change 1\nremove f-001\n",
                                "garbage"}) {
        sandbox.write_file(staging + "journal", journal);
        EXPECT_EQ(0, func_finish_formula_change());
        EXPECT_EQ(before, snapshot());
    }
}

// Every other failure of a level-unit change is the loop's above.
TEST_F(formula_changes_test, level_unit_formulas_and_configuration_change_together_and_a_late_cut_is_finished_on_start)
{
    write_data();
    machine_configuration configuration;  // in inches
    func_set_default_configuration(configuration);
    ASSERT_EQ(func_save_configuration(configuration), 1);
    const tree before = snapshot();
    // A configuration that cannot be saved changes nothing.
    EXPECT_EQ(func_change_level_unit(1, false, [] { return 0; }), 0);
    EXPECT_EQ(before, snapshot());
    EXPECT_EQ(current_machine_configuration->items[0], 0.0f);

    // Cut after the point of no return, before any file was put in place:
    // renames fail as the power would have stopped them.
    func_file_io_ops().rename_file = [](const char* from, const char* to) {
        if (std::strstr(from, "steps.level-unit"))
            return (errno = EIO, -1);
        return ::rename(from, to);
    };
    EXPECT_EQ(func_change_level_unit(1, false, [] { return 1; }), 0);
    EXPECT_EQ(level_in_file(1), 800);
    EXPECT_TRUE(sandbox.exists("formulas/level-unit.journal"));
    func_reset_file_io_ops();
    // The next start finishes it, the configuration included.
    EXPECT_EQ(func_finish_level_unit_change(), 1);
    EXPECT_EQ((std::vector<int>{2031, 2539}), (std::vector<int>{level_in_file(1), level_in_file(2)}));
    EXPECT_EQ(current_machine_configuration->items[0], 1.0f);
    EXPECT_EQ(current_machine_configuration->items[26], 2032.0f);
    EXPECT_FALSE(leftovers());
    EXPECT_EQ(func_finish_level_unit_change(), 0);  // and only once
}
}  // namespace
