// Power-cut safety of data-file replacement: every step of a save can
// fail or be cut short, and afterwards the file is the old or the new
// content, whole, and a failure is reported as one.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/atomic_file.h"
#include "files/write_failures.h"
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

TEST_F(atomic_file_test, a_failure_at_any_step_keeps_the_old_file_and_reports_it_a_save_replaces_it_whole)
{
    for (failing_step step : {FAIL_OPEN, FAIL_WRITE, FAIL_FSYNC, FAIL_CLOSE, FAIL_RENAME}) {
        SCOPED_TRACE(step);
        failing = step;
        EXPECT_EQ(0, func_write_file_atomic(target(), std::string("replacement text")));
        EXPECT_EQ("old content", sandbox.read_file("configuration/default.cfg"));
        EXPECT_EQ(0, leftovers());
    }
    EXPECT_EQ(0, sandbox.sync_calls);
    failing = FAIL_NONE;
    ASSERT_EQ(1, func_write_file_atomic(target(), std::string("new")));
    EXPECT_EQ("new", sandbox.read_file("configuration/default.cfg"));
    EXPECT_EQ(0, leftovers());
    EXPECT_EQ(1, sandbox.sync_calls);
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
}

// What someone with write access to the folder plants at the first
// temporary name the writer tries.
enum planted_kind { PLANT_NOTHING, PLANT_LINK, PLANT_FILE };
planted_kind planting = PLANT_NOTHING;
std::string victim;
int planting_open(const char* path, int flags, mode_t mode)
{
    const std::string name = path;
    if (planting != PLANT_NOTHING && name.find(TEMPORARY_FILE_PREFIX) != std::string::npos) {
        if (planting == PLANT_LINK)
            EXPECT_EQ(0, symlink(victim.c_str(), path));
        else
            close(::open(path, O_WRONLY | O_CREAT, 0644));
        planting = PLANT_NOTHING;
    }
    return ::open(path, flags, mode);
}

TEST_F(atomic_file_test, a_link_or_file_planted_at_the_temporary_name_is_neither_followed_nor_reused)
{
    victim = sandbox.path("victim");
    func_file_io_ops().open_file = planting_open;
    for (planted_kind kind : {PLANT_LINK, PLANT_FILE}) {
        SCOPED_TRACE(kind);
        sandbox.write_file("victim", "precious");
        planting = kind;
        ASSERT_EQ(1, func_write_file_atomic(target(), "secret", 6, 0600));
        EXPECT_EQ("secret", sandbox.read_file("configuration/default.cfg"));
        EXPECT_EQ("precious", sandbox.read_file("victim"));
        struct stat info;
        ASSERT_EQ(0, stat(target().c_str(), &info));
        EXPECT_EQ(0600u, info.st_mode & 0777);
    }
    // An ordinary file gets its usual mode once renamed.
    ASSERT_EQ(1, func_write_file_atomic(target(), std::string("plain")));
    struct stat info;
    ASSERT_EQ(0, stat(target().c_str(), &info));
    const mode_t mask = umask(022);
    umask(mask);
    EXPECT_EQ(0644u & ~mask, info.st_mode & 0777);
}

int interrupted_calls = 0;
ssize_t interrupted_write(int fd, const void* data, size_t size)
{
    if (interrupted_calls++ == 0)
        return (errno = EINTR, -1);
    return ::write(fd, data, size);
}
int interrupted_fsync(int fd) { return interrupted_calls++ == 1 ? (errno = EINTR, -1) : ::fsync(fd); }
int failing_folder_fsync(int fd)
{
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        return (errno = EIO, -1);
    return ::fsync(fd);
}

TEST_F(atomic_file_test, short_and_interrupted_calls_are_repeated_and_a_folder_that_cannot_be_flushed_fails)
{
    func_file_io_ops().write_file = trickling_write;
    const std::string content(1000, 'x');
    ASSERT_EQ(1, func_write_file_atomic(target(), content));
    EXPECT_EQ(content, sandbox.read_file("configuration/default.cfg"));

    func_file_io_ops().write_file = interrupted_write;
    func_file_io_ops().fsync_file = interrupted_fsync;
    interrupted_calls = 0;
    ASSERT_EQ(1, func_write_file_atomic(target(), std::string("new")));
    EXPECT_EQ("new", sandbox.read_file("configuration/default.cfg"));
    EXPECT_GE(interrupted_calls, 2);

    func_file_io_ops().fsync_file = failing_folder_fsync;
    std::string reported;
    func_set_write_failure_listener([&](const std::string& path, int) { reported = path; });
    EXPECT_EQ(0, func_write_file_atomic(target(), std::string("newer")));
    func_set_write_failure_listener(nullptr);
    EXPECT_EQ(target(), reported);
}

// The disk fills up after a third of the record.
ssize_t torn_write(int fd, const void* data, size_t size) { return ::write(fd, data, size / 3); }

TEST_F(atomic_file_test, a_torn_append_is_taken_back_and_a_torn_tail_cut_so_records_stay_at_their_offsets)
{
    const std::string path = sandbox.path("configuration/records.log");
    const std::string first(292, 'a'), second(292, 'b');
    ASSERT_EQ(1, func_append_file_record(path, first.data(), first.size()));
    failing = FAIL_OPEN;
    EXPECT_EQ(0, func_append_file_record(path, second.data(), second.size()));
    failing = FAIL_NONE;
    func_file_io_ops().write_file = torn_write;
    EXPECT_EQ(0, func_append_file_record(path, second.data(), second.size()));
    EXPECT_EQ(first, sandbox.read_file("configuration/records.log"));

    // A power cut in the middle of an append leaves a tail behind.
    func_file_io_ops().write_file = ::write;
    sandbox.write_file("configuration/records.log", first + std::string(100, 'x'));
    ASSERT_EQ(1, func_append_file_record(path, second.data(), second.size()));
    EXPECT_EQ(first + second, sandbox.read_file("configuration/records.log"));
}
}  // namespace
