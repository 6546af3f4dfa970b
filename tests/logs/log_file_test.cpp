// Monthly log files, the 292-byte record, the old-log clean-up and the
// change-log transactions.
#include <gtest/gtest.h>

#include <cstring>

#include "language/language.h"
#include "logs/log_file.h"
#include "support/core_data_fixture.h"
#include "support/sandbox.h"

namespace {
class log_file_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandbox_root::set_clock(2018, 3, 26, 14, 5);
        func_begin_log_transaction();
    }
    std::string change_log() const { return sandbox.read_file("log/03-2018-change.log"); }
    sandbox_root sandbox{false};
};

TEST_F(log_file_test, a_record_has_fixed_offsets_and_each_month_its_own_file)
{
    func_write_log(LOG_ERROR, "Door Open", 7);
    const std::string bytes = sandbox.read_file("log/03-2018-error.log");
    ASSERT_EQ(292u, bytes.size());
    EXPECT_STREQ("03/26/2018", bytes.c_str());
    EXPECT_STREQ("02:05 PM", bytes.c_str() + 15);
    const unsigned char* code = reinterpret_cast<const unsigned char*>(bytes.data() + 32);
    EXPECT_EQ(7, code[0] | code[1] << 8 | code[2] << 16 | code[3] << 24);
    EXPECT_STREQ("Door Open", bytes.c_str() + 36);
    EXPECT_EQ(1, sandbox.sync_calls);
    // A long text is cut to 255 bytes.
    func_write_log(LOG_ERROR, std::string(400, 'x'), 0);
    const std::string two = sandbox.read_file("log/03-2018-error.log");
    ASSERT_EQ(584u, two.size());
    EXPECT_EQ(std::string(255, 'x'), read_log_texts(two)[1]);

    // Each month gets its own file and records only append.
    func_write_log(LOG_SYSERROR, "first", 0);
    func_write_log(LOG_SYSERROR, "second", 0);
    sandbox_root::set_clock(2018, 4, 1);
    func_write_log(LOG_SYSERROR, "third", 0);
    EXPECT_EQ(2u, read_log_texts(sandbox.read_file("log/03-2018-syserror.log")).size());
    EXPECT_EQ(std::vector<std::string>{"third"}, read_log_texts(sandbox.read_file("log/04-2018-syserror.log")));
}

TEST_F(log_file_test, an_unwritable_log_folder_is_skipped_silently)
{
    sandbox.write_file("log", "a file where the folder should be");
    func_write_log(LOG_SYSERROR, "lost", 0);
    EXPECT_EQ("a file where the folder should be", sandbox.read_file("log"));
}

TEST_F(log_file_test, queued_lines_follow_their_heading_and_old_logs_go_at_exit)
{
    func_end_log_transaction("Changes Configuration");
    EXPECT_FALSE(sandbox.exists("log/03-2018-change.log"));

    func_add_log_transaction("------> [Temp Unit] : F --> C", 0);
    func_add_log_transaction("------> [Language] : 0 --> 1", 3);
    func_end_log_transaction("Changes Configuration");
    EXPECT_EQ((std::vector<std::string>{"Changes Configuration", "------> [Temp Unit] : F --> C",
                                        "------> [Language] : 0 --> 1"}),
              read_log_texts(change_log()));
    // The queue is empty afterwards: leaving again writes nothing more.
    func_end_log_transaction("Changes Configuration");
    EXPECT_EQ(3u, read_log_texts(change_log()).size());

    // Production lines go to the production log without a heading.
    func_add_log_transaction("Formula 12 started", 12);
    func_end_log_transaction("", LOG_PRODUCTION);
    EXPECT_EQ(3u, read_log_texts(change_log()).size());
    EXPECT_EQ(std::vector<std::string>{"Formula 12 started"},
              read_log_texts(sandbox.read_file("log/03-2018-production.log")));

    // Old logs two to four years back are deleted at exit.
    sandbox_root::set_clock(2018, 1, 10);
    for (const char* name : {"12-2014-change.log", "01-2016-syserror.log", "11-2017-change.log", "05-2013-change.log"})
        sandbox.write_file(std::string("log/") + name, "x");
    func_clear_old_log_file();
    EXPECT_FALSE(sandbox.exists("log/12-2014-change.log") || sandbox.exists("log/01-2016-syserror.log"));
    EXPECT_TRUE(sandbox.exists("log/11-2017-change.log"));
    // Only three years back are looked for, as before.
    EXPECT_TRUE(sandbox.exists("log/05-2013-change.log"));
    EXPECT_TRUE(sandbox.programs_run.empty());
}
}  // namespace
