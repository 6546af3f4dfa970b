#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "support/core_data_fixture.h"

namespace {
std::string current_folder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

int fail_rename(const char*, const char*) { return -1; }
}  // namespace

using FileHelperTest = core_data_test;

TEST_F(FileHelperTest, CopyFileReplacesDestinationWithSourceBytes)
{
    std::string content;
    for (int i = 0; i < 100000; ++i)
        content += static_cast<char>(i * 7);  // NULs and high bytes included
    sandbox.write_file("a/source.bin", content);
    sandbox.write_file("b/dest.bin", std::string(200000, 'x'));

    EXPECT_EQ(func_copy_file(sandbox.path("a/source.bin"), sandbox.path("b/dest.bin")), 1);
    EXPECT_EQ(sandbox.read_file("b/dest.bin"), content);
    EXPECT_TRUE(temporary_files("b").empty());

    sandbox.write_file("a/empty", "");
    EXPECT_EQ(func_copy_file(sandbox.path("a/empty"), sandbox.path("b/empty")), 1);
    EXPECT_TRUE(sandbox.exists("b/empty"));
    EXPECT_EQ(sandbox.read_file("b/empty"), "");
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(FileHelperTest, CopyFileFailuresNameTheirPath)
{
    const std::string missing = sandbox.path("a/missing");
    EXPECT_EQ(func_copy_file(missing, sandbox.path("b/x")), 0);

    sandbox.write_file("a/source", "data");
    const std::string no_folder = sandbox.path("nowhere/x");
    EXPECT_EQ(func_copy_file(sandbox.path("a/source"), no_folder), 0);

    std::filesystem::create_directories(sandbox.path("a/folder"));
    const std::string folder = sandbox.path("a/folder");
    EXPECT_EQ(func_copy_file(folder, sandbox.path("a/copy")), 0);
    EXPECT_FALSE(sandbox.exists("a/copy"));

    sandbox.write_file("b/keep", "old");
    func_file_io_ops().rename_file = fail_rename;
    EXPECT_EQ(func_copy_file(sandbox.path("a/source"), sandbox.path("b/keep")), 0);
    func_reset_file_io_ops();
    EXPECT_EQ(sandbox.read_file("b/keep"), "old");
    EXPECT_TRUE(temporary_files("b").empty());

    EXPECT_EQ(syserror_lines(),
              (std::vector<std::string>{
                  "func_copy_file : Can't open source file : " + missing,
                  "func_copy_file : Can't open destination file : " + no_folder,
                  "func_copy_file : Error reading source file : " + folder,
                  "func_copy_file : Error writing destination file : " + sandbox.path("b/keep"),
              }));
}

TEST_F(FileHelperTest, CopyDirectoryCopiesPlainFilesOnly)
{
    sandbox.write_file("src/formulas.dat", "F");
    sandbox.write_file("src/spring.set", "");
    sandbox.write_file("src/f-001/steps.dat", "S");
    sandbox.write_file(std::string("src/") + TEMPORARY_FILE_PREFIX + "1_1", "half");
    std::filesystem::create_directories(sandbox.path("dst"));

    EXPECT_EQ(func_copy_directory_files(sandbox.path("src/"), sandbox.path("dst/")), 1);
    EXPECT_EQ(sorted(sandbox.list_folder("dst")),
              (std::vector<std::string>{"formulas.dat", "spring.set"}));
    EXPECT_EQ(sandbox.read_file("dst/formulas.dat"), "F");

    std::filesystem::create_directories(sandbox.path("empty"));
    EXPECT_EQ(func_copy_directory_files(sandbox.path("empty/"), sandbox.path("dst/")), 0);
    EXPECT_EQ(func_copy_directory_files(sandbox.path("nowhere/"), sandbox.path("dst/")), 0);
    // The only file fails to copy: the result says so.
    EXPECT_EQ(func_copy_directory_files(sandbox.path("src/f-001/"), sandbox.path("gone/")), 0);
}

TEST_F(FileHelperTest, DeleteDirectoryFilesKeepsTheFolder)
{
    sandbox.write_file("set/a", "1");
    sandbox.write_file("set/b.set", "2");
    std::filesystem::create_directories(sandbox.path("set/empty_folder"));
    sandbox.write_file("set/full_folder/inside", "3");

    func_delete_directory_files(sandbox.path("set"));
    EXPECT_TRUE(sandbox.exists("set"));
    // A folder with files is not an entry remove() can take; it stays.
    EXPECT_EQ(sandbox.list_folder("set"), std::vector<std::string>{"full_folder"});

    func_delete_directory_files(sandbox.path("nowhere"));  // nothing to do, no crash
}

TEST_F(FileHelperTest, CreateDirectoryAndWorkingFolder)
{
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

TEST_F(FileHelperTest, FileExists)
{
    sandbox.write_file("data/x.dat", "");
    EXPECT_EQ(file_exists(sandbox.path("data/x.dat")), 1);
    EXPECT_EQ(file_exists(sandbox.path("data/y.dat")), 0);
    EXPECT_EQ(file_exists(sandbox.path("data")), 0);
    EXPECT_EQ(file_exists(""), 0);
}

TEST(FileNames, RemoveExtension)
{
    EXPECT_EQ(func_remove_filename_extension("spring.set"), "spring");
    EXPECT_EQ(func_remove_filename_extension("6.1.013.upt"), "6.1.013");
    EXPECT_EQ(func_remove_filename_extension("abc"), "");
    EXPECT_EQ(func_remove_filename_extension(""), "");
    EXPECT_EQ(func_remove_filename_extension(".cfs"), "");
}

TEST_F(FileHelperTest, SetNamesOfAFolder)
{
    sandbox.write_file("formulas/formulas.dat", "");
    sandbox.write_file(std::string("formulas/") + TEMPORARY_FILE_PREFIX + "x.set", "");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("formulas/")), "");
    sandbox.write_file("formulas/spring.set", "");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("formulas/")), "spring.set");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("formulas")), "spring.set");

    sandbox.write_file("configuration/default.cfg", "");
    EXPECT_EQ(func_get_configuration_set_filename(sandbox.path("configuration/")), "");
    sandbox.write_file("configuration/site.cfs.old", "");
    EXPECT_EQ(func_get_configuration_set_filename(sandbox.path("configuration/")), "site.cfs.old");

    // On a stick the sets themselves are folders.
    std::filesystem::create_directories(sandbox.path("usb/autumn.set"));
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("usb/")), "autumn.set");
    EXPECT_EQ(func_get_formula_set_filename(sandbox.path("nowhere/")), "");
}
