#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <utility>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

using FileHelperTest = core_data_test;

TEST_F(FileHelperTest, CopyFileReplacesDestinationWithSourceBytesAndFailuresNameTheirPath)
{
    std::string content;
    for (int i = 0; i < 100000; ++i)
        content += static_cast<char>(i * 7);  // NULs and high bytes included
    sandbox.write_file("a/source.bin", content);
    sandbox.write_file("b/dest.bin", std::string(200000, 'x'));
    sandbox.write_file("a/empty", "");
    EXPECT_EQ(func_copy_file(sandbox.path("a/source.bin"), sandbox.path("b/dest.bin")), 1);
    EXPECT_EQ(func_copy_file(sandbox.path("a/empty"), sandbox.path("b/empty")), 1);
    EXPECT_EQ(sandbox.read_file("b/dest.bin"), content);
    EXPECT_TRUE(sandbox.exists("b/empty"));
    EXPECT_TRUE(syserror_lines().empty());

    const std::string missing = sandbox.path("a/missing"), no_folder = sandbox.path("nowhere/x");
    const std::string folder = sandbox.path("a/folder"), keep = sandbox.path("b/keep");
    sandbox.write_file("a/source", "data");
    sandbox.write_file("b/keep", "old");
    std::filesystem::create_directories(folder);
    EXPECT_EQ(func_copy_file(missing, sandbox.path("b/x")), 0);
    EXPECT_EQ(func_copy_file(sandbox.path("a/source"), no_folder), 0);
    EXPECT_EQ(func_copy_file(folder, sandbox.path("a/copy")), 0);
    EXPECT_FALSE(sandbox.exists("a/copy"));
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_copy_file(sandbox.path("a/source"), keep), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("b/keep"), "old");
    EXPECT_TRUE(temporary_files("b").empty());
    EXPECT_EQ(syserror_lines(), (std::vector<std::string>{
                                    "func_copy_file : Can't open source file : " + missing,
                                    "func_copy_file : Can't open destination file : " + no_folder,
                                    "func_copy_file : Error reading source file : " + folder,
                                    "func_copy_file : Error writing destination file : " + keep,
                                }));
}

TEST_F(FileHelperTest, CopyAndDeleteDirectoryFilesTakePlainFilesOnly)
{
    sandbox.write_file("src/formulas.dat", "F");
    sandbox.write_file("src/spring.set", "");
    sandbox.write_file("src/f-001/steps.dat", "S");
    sandbox.write_file(std::string("src/") + TEMPORARY_FILE_PREFIX + "1_1", "half");
    std::filesystem::create_directories(sandbox.path("dst"));
    EXPECT_EQ(func_copy_directory_files(sandbox.path("src/"), sandbox.path("dst/")), 1);
    const std::vector<std::string> copied = sandbox.list_folder("dst");
    EXPECT_EQ(std::set<std::string>(copied.begin(), copied.end()), (std::set<std::string>{"formulas.dat", "spring.set"}));
    EXPECT_EQ(sandbox.read_file("dst/formulas.dat"), "F");
    EXPECT_EQ(func_copy_directory_files(sandbox.path("nowhere/"), sandbox.path("dst/")), 0);
    // The only file fails to copy: the result says so.
    EXPECT_EQ(func_copy_directory_files(sandbox.path("src/f-001/"), sandbox.path("gone/")), 0);

    std::filesystem::create_directories(sandbox.path("src/empty_folder"));
    func_delete_directory_files(sandbox.path("src"));
    // A folder with files is not an entry remove() can take; it stays.
    EXPECT_EQ(sandbox.list_folder("src"), std::vector<std::string>{"f-001"});
    func_delete_directory_files(sandbox.path("nowhere"));  // nothing to do, no crash
}

TEST_F(FileHelperTest, FileNamesSetNamesAndFoldersOfAFolder)
{
    sandbox.write_file("formulas/formulas.dat", "");
    EXPECT_EQ(file_exists(sandbox.path("formulas/formulas.dat")), 1);
    EXPECT_EQ(file_exists(sandbox.path("formulas")), 0) << "a folder is no file";
    const std::pair<const char*, const char*> stems[] = {{"6.1.013.upt", "6.1.013"}, {"abc", ""}, {".cfs", ""}};
    for (const auto& [name, stem] : stems)
        EXPECT_EQ(func_remove_filename_extension(name), stem) << name;

    sandbox.write_file(std::string("formulas/") + TEMPORARY_FILE_PREFIX + "x.set", "");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("formulas/")), "");
    sandbox.write_file("formulas/spring.set", "");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("formulas")), "spring.set");
    sandbox.write_file("configuration/default.cfg", "");
    EXPECT_EQ(func_get_configuration_set_filename(sandbox.path("configuration/")), "");
    sandbox.write_file("configuration/site.cfs.old", "");
    EXPECT_EQ(func_get_configuration_set_filename(sandbox.path("configuration/")), "site.cfs.old");
    // On a stick the sets themselves are folders.
    std::filesystem::create_directories(sandbox.path("usb/autumn.set"));
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("usb/")), "autumn.set");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("nowhere/")), "");

    // Create directory and working folder.
    const std::string before = current_folder();
    EXPECT_EQ(func_create_directory(sandbox.path("hd/spring.set/f-001")), 1);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.path("hd/spring.set/f-001")));
    EXPECT_EQ(func_create_directory(sandbox.path("hd")), 1);
    EXPECT_EQ(current_folder(), before);
    sandbox.write_file("plain", "x");
    EXPECT_EQ(func_create_directory(sandbox.path("plain")), 0);
    EXPECT_EQ(func_reset_default_directory(), 1);
    EXPECT_EQ(current_folder() + "/", sandbox.root());
    ASSERT_EQ(chdir(before.c_str()), 0);
}

// Small files read without streams: the start of a file, and a whole file
// under a limit, told apart from a longer, a missing and an unreadable one.
TEST_F(FileHelperTest, StartOfAFileAndWholeFilesUnderALimit)
{
    sandbox.write_file("data/ten.dat", "0123456789");
    sandbox.write_file("data/empty.dat", "");
    char start[16] = {};
    EXPECT_EQ(4, func_read_file_start(sandbox.path("data/ten.dat"), start, 4));
    EXPECT_EQ("0123", std::string(start, 4));
    EXPECT_EQ(10, func_read_file_start(sandbox.path("data/ten.dat"), start, sizeof start));
    EXPECT_EQ(-1, func_read_file_start(sandbox.path("data/missing.dat"), start, sizeof start));

    std::string bytes = "stale";
    EXPECT_EQ(1, func_read_small_file(sandbox.path("data/ten.dat"), 10, bytes));
    EXPECT_EQ("0123456789", bytes);
    EXPECT_EQ(-1, func_read_small_file(sandbox.path("data/ten.dat"), 9, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(1, func_read_small_file(sandbox.path("data/empty.dat"), 9, bytes));
    EXPECT_EQ(0, func_read_file_start(sandbox.path("data/empty.dat"), start, sizeof start));
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
