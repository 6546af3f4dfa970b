// Small files read without streams: the start of a file, and a whole file
// under a limit, told apart from a longer, a missing and an unreadable one.
#include <gtest/gtest.h>

#include <string>

#include "files/file_helpers.h"
#include "support/core_data_fixture.h"

class SmallFileReadTest : public core_data_test {};

TEST_F(SmallFileReadTest, StartOfAFileAndWholeFilesUnderALimit)
{
    sandbox.write_file("data/ten.dat", "0123456789");
    sandbox.write_file("data/empty.dat", "");
    char start[16] = {};
    EXPECT_EQ(4, func_read_file_start(sandbox.path("data/ten.dat"), start, 4));
    EXPECT_EQ("0123", std::string(start, 4));
    EXPECT_EQ(10, func_read_file_start(sandbox.path("data/ten.dat"), start, sizeof start));
    EXPECT_EQ(0, func_read_file_start(sandbox.path("data/empty.dat"), start, sizeof start));
    EXPECT_EQ(-1, func_read_file_start(sandbox.path("data/missing.dat"), start, sizeof start));

    std::string bytes = "stale";
    EXPECT_EQ(1, func_read_small_file(sandbox.path("data/ten.dat"), 10, bytes));
    EXPECT_EQ("0123456789", bytes);
    EXPECT_EQ(-1, func_read_small_file(sandbox.path("data/ten.dat"), 9, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(1, func_read_small_file(sandbox.path("data/empty.dat"), 9, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(0, func_read_small_file(sandbox.path("data/missing.dat"), 9, bytes));
    // A folder opens but cannot be read.
    EXPECT_EQ(0, func_read_small_file(sandbox.path("data"), 9, bytes));

    // Larger than the first guess (a whole page), read on to its end.
    const std::string large(70000, 'x');
    sandbox.write_file("data/large.dat", large);
    EXPECT_EQ(1, func_read_small_file(sandbox.path("data/large.dat"), 1 << 20, bytes));
    EXPECT_EQ(large, bytes);
    EXPECT_EQ(-1, func_read_small_file(sandbox.path("data/large.dat"), 69999, bytes));
}
