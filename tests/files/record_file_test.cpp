// Record files read in one go: whole records in order, nothing past the
// cap, and a path that is not a readable file is a failure, not an empty list.
#include <gtest/gtest.h>

#include <string>

#include "files/record_file.h"
#include "support/core_data_fixture.h"

class RecordFileTest : public core_data_test {};

TEST_F(RecordFileTest, WholeRecordsInOrderUpToTheCapAndFoldersFail)
{
    const record_format format = {4, 3, "things"};
    std::string bytes;
    sandbox.write_file("data/short.dat", "AAAABBBBCC");
    ASSERT_TRUE(func_read_record_bytes(sandbox.path("data/short.dat"), format, "who", bytes));
    EXPECT_EQ("AAAABBBB", bytes);
    EXPECT_TRUE(syserror_lines().empty());

    sandbox.write_file("data/long.dat", "AAAABBBBCCCCDDDDEEEE");
    ASSERT_TRUE(func_read_record_bytes(sandbox.path("data/long.dat"), format, "who", bytes));
    EXPECT_EQ("AAAABBBBCCCC", bytes);
    ASSERT_EQ(1u, syserror_lines().size());
    EXPECT_NE(std::string::npos, syserror_lines()[0].find("more than 3 things"));

    bytes = "stale";
    EXPECT_FALSE(func_read_record_bytes(sandbox.path("data"), format, "who", bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(func_read_record_bytes(sandbox.path("data/missing.dat"), format, "who", bytes));
}
