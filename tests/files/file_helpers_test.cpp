#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace {
std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

using FileHelperTest = core_data_test;

TEST_F(FileHelperTest, CopyFileReplacesDestinationWithSourceBytes)
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
    EXPECT_TRUE(temporary_files("b").empty());
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(FileHelperTest, CopyFileFailuresNameTheirPath)
{
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
    EXPECT_EQ(sorted(sandbox.list_folder("dst")), (std::vector<std::string>{"formulas.dat", "spring.set"}));
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
