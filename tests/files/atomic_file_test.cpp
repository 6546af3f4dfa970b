// Power-cut safety of data-file replacement: every step of a save can
// fail or be cut short, and afterwards the file is the old or the new
// content, whole, and a failure is reported as one.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cerrno>
#include <string>

#include "files/atomic_file.h"
#include "support/sandbox.h"

namespace {
// Which call fails, counted over the calls of one save.
enum failing_step { FAIL_NONE, FAIL_OPEN, FAIL_WRITE, FAIL_FSYNC, FAIL_CLOSE, FAIL_RENAME };
failing_step failing = FAIL_NONE;
bool crash_before_rename = false;

int fake_open(const char* path, int flags, mode_t mode)
{
    // Opening the folder for its flush is not part of replacing the file.
    if (failing == FAIL_OPEN && !(flags & O_DIRECTORY)) {
        errno = EACCES;
        return -1;
    }
    return ::open(path, flags, mode);
}
ssize_t fake_write(int fd, const void* data, size_t size)
{
    if (failing == FAIL_WRITE) {
        // Half the data reaches the disk, then the disk is full.
        if (::write(fd, data, size / 2) < 0)
            return -1;
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, size);
}
int fake_fsync(int fd) { return failing == FAIL_FSYNC ? (errno = EIO, -1) : ::fsync(fd); }
// After a power cut nothing runs any more: the clean-up never happens.
int fake_unlink(const char* path) { return crash_before_rename ? 0 : ::unlink(path); }
int fake_close(int fd)
{
    int result = ::close(fd);
    return failing == FAIL_CLOSE ? (errno = EIO, -1) : result;
}
int fake_rename(const char* from, const char* to)
{
    if (crash_before_rename)
        return (errno = EIO, -1);
    return failing == FAIL_RENAME ? (errno = EXDEV, -1) : ::rename(from, to);
}

// A write that hands over at most 3 bytes per call.
ssize_t trickling_write(int fd, const void* data, size_t size) { return ::write(fd, data, size < 3 ? size : 3); }

class atomic_file_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        failing = FAIL_NONE;
        crash_before_rename = false;
        sandbox.write_file("configuration/default.cfg", "old content");
        file_io_ops& ops = func_file_io_ops();
        ops.open_file = fake_open;
        ops.write_file = fake_write;
        ops.fsync_file = fake_fsync;
        ops.close_file = fake_close;
        ops.rename_file = fake_rename;
        ops.unlink_file = fake_unlink;
    }
    std::string target() const { return sandbox.path("configuration/default.cfg"); }
    int leftovers() const
    {
        int count = 0;
        for (const std::string& name : sandbox.list_folder("configuration"))
            if (name.rfind(TEMPORARY_FILE_PREFIX, 0) == 0)
                ++count;
        return count;
    }
    sandbox_root sandbox{false};
};

TEST_F(atomic_file_test, a_save_replaces_the_whole_file_and_syncs_once)
{
    ASSERT_EQ(1, func_write_file_atomic(target(), std::string("new")));
    EXPECT_EQ("new", sandbox.read_file("configuration/default.cfg"));
    EXPECT_EQ(0, leftovers());
    EXPECT_EQ(1, sandbox.sync_calls);
}

TEST_F(atomic_file_test, a_failure_at_any_step_keeps_the_old_file_and_reports_it)
{
    for (failing_step step : {FAIL_OPEN, FAIL_WRITE, FAIL_FSYNC, FAIL_CLOSE, FAIL_RENAME}) {
        SCOPED_TRACE(step);
        failing = step;
        EXPECT_EQ(0, func_write_file_atomic(target(), std::string("replacement text")));
        EXPECT_EQ("old content", sandbox.read_file("configuration/default.cfg"));
        EXPECT_EQ(0, leftovers());
    }
    EXPECT_EQ(0, sandbox.sync_calls);
}

TEST_F(atomic_file_test, a_power_cut_before_the_rename_leaves_the_old_file_and_start_up_sweeps_the_rest)
{
    crash_before_rename = true;
    func_write_file_atomic(target(), std::string("never seen"));
    crash_before_rename = false;
    EXPECT_EQ("old content", sandbox.read_file("configuration/default.cfg"));
    EXPECT_EQ(1, leftovers());
    EXPECT_EQ(1, func_remove_stale_temporary_files(sandbox.path("configuration/")));
    EXPECT_EQ(0, leftovers());
    EXPECT_EQ("old content", sandbox.read_file("configuration/default.cfg"));
}

TEST_F(atomic_file_test, short_writes_are_continued_until_everything_is_written)
{
    func_file_io_ops().write_file = trickling_write;
    const std::string content(1000, 'x');
    ASSERT_EQ(1, func_write_file_atomic(target(), content));
    EXPECT_EQ(content, sandbox.read_file("configuration/default.cfg"));
}

TEST_F(atomic_file_test, temporary_names_cannot_be_mistaken_for_data_files)
{
    const std::string prefix = TEMPORARY_FILE_PREFIX;
    for (const char* searched : {".cfg", ".cfs", ".set", ".vez", ".upt", ".txt", ".lng", "f-"})
        EXPECT_EQ(std::string::npos, prefix.find(searched)) << searched;
}

TEST_F(atomic_file_test, records_are_appended_whole)
{
    const std::string path = sandbox.path("configuration/records.log");
    const std::string record(292, 'r');
    ASSERT_EQ(1, func_append_file_record(path, record.data(), record.size()));
    ASSERT_EQ(1, func_append_file_record(path, record.data(), record.size()));
    EXPECT_EQ(584u, sandbox.read_file("configuration/records.log").size());
    failing = FAIL_OPEN;
    EXPECT_EQ(0, func_append_file_record(path, record.data(), record.size()));
}
}  // namespace
