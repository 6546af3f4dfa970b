// Record files read in one go: whole records in order, nothing past the
// cap, and a path that is not a readable file is a failure, not an empty list.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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

// A file too big to be read without its size, and one named in an open folder.
TEST_F(RecordFileTest, LargeFilesWholeAndNamesInAnOpenFolder)
{
    const record_format large = {1000, 100, "pages"};
    std::string file;
    for (int page = 0; page < 70; ++page)
        file += std::string(1000, static_cast<char>('0' + page));
    sandbox.write_file("data/large.dat", file + "tail");
    std::string bytes;
    ASSERT_TRUE(func_read_record_bytes(sandbox.path("data/large.dat"), large, "who", bytes));
    EXPECT_EQ(file, bytes);

    const int folder = open(sandbox.path("data").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    sandbox.write_file("data/long.dat", "AAAABBBBCCCCDDDD");
    const record_format small = {4, 2, "things"};
    EXPECT_TRUE(func_read_record_bytes_at(folder, "long.dat", "shown/long.dat", small, "who", bytes));
    EXPECT_EQ("AAAABBBB", bytes);
    EXPECT_FALSE(func_read_record_bytes_at(folder, "missing.dat", "shown/missing.dat", small, "who", bytes));
    close(folder);
    ASSERT_EQ(1u, syserror_lines().size());
    EXPECT_NE(std::string::npos, syserror_lines()[0].find("more than 2 things in shown/long.dat"));
}
