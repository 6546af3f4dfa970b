#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <memory>

#include "files/version_files.h"
#include "support/core_data_fixture.h"

using VersionFileTest = core_data_test;

namespace {
std::unique_ptr<software_version> read_version(const std::string& path, int mode)
{
    return std::unique_ptr<software_version>(func_get_software_version(path, mode));
}

std::string current_folder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}
}  // namespace

TEST_F(VersionFileTest, WritesTagVersionAndProcessId)
{
    const std::string path = sandbox.path("ztqbgui.ver");
    EXPECT_EQ(func_set_software_version(path, CONSOLE_SOFTWARE_VERSION), 1);
    EXPECT_EQ(sandbox.read_file("ztqbgui.ver"),
              "RIDEVUVE\n6.1.012\n" + std::to_string(static_cast<int>(getpid())));
    EXPECT_EQ(sandbox.sync_calls, 1);
    EXPECT_TRUE(temporary_files("").empty());

    auto record = read_version(path, 0);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "RIDEVUVE\n");
    EXPECT_EQ(record->version, "6.1.012\n");
    EXPECT_EQ(record->number, static_cast<int>(getpid()));
}

TEST_F(VersionFileTest, WriteFailureIsLogged)
{
    const std::string path = sandbox.path("missing/spring.set");
    EXPECT_EQ(func_set_software_version(path, "6.1.012"), 0);
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_set_software_version :can't create/open file " + path +
                                       " not found."});
}

TEST_F(VersionFileTest, ModeOneAcceptsTheOneLineForm)
{
    sandbox.write_file("old.ver", "6.0.005");
    auto record = read_version(sandbox.path("old.ver"), 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "--------");
    EXPECT_EQ(record->version, "6.0.005");
    EXPECT_EQ(record->number, -1);

    sandbox.write_file("old.ver", "6.0.005\n77");
    record = read_version(sandbox.path("old.ver"), 1);
    EXPECT_EQ(record->version, "6.0.005\n");
    EXPECT_EQ(record->number, 77);
    record = read_version(sandbox.path("old.ver"), 0);  // mode 0: the line is a name
    EXPECT_EQ(record->name, "6.0.005\n");
    EXPECT_EQ(record->version, "77");

    // A second line without a dot is no version; the third is the number.
    sandbox.write_file("a.ver", "CTRLTAG\nnodot\n12");
    record = read_version(sandbox.path("a.ver"), 1);
    EXPECT_EQ(record->name, "CTRLTAG\n");
    EXPECT_EQ(record->version, "0.0.0");
    EXPECT_EQ(record->number, 12);
}

TEST_F(VersionFileTest, MissingEmptyAndGarbageFiles)
{
    EXPECT_FALSE(read_version(sandbox.path("none.ver"), 0));

    sandbox.write_file("empty.ver", "");
    auto record = read_version(sandbox.path("empty.ver"), 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "--------");
    EXPECT_EQ(record->version, "0.0.0");
    EXPECT_EQ(record->number, -1);

    sandbox.write_file("long.ver", std::string(500, 'a') + "\n6.1.000\n5");
    record = read_version(sandbox.path("long.ver"), 0);
    EXPECT_EQ(record->name, std::string(99, 'a'));
    EXPECT_EQ(record->version, "6.1.000\n");
    EXPECT_EQ(record->number, 5);

    sandbox.write_file("junk.ver", std::string("\xFF\xFE\x01.\n99999999999999\n\x80", 21));
    record = read_version(sandbox.path("junk.ver"), 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "--------");
    EXPECT_EQ(record->version, "");  // nothing of it is text
    EXPECT_EQ(record->number, INT_MAX);
}

TEST(VersionNumbers, ParsingSurvivesGarbage)
{
    auto check = [](const std::string& text, int major, int minor, int patch) {
        version_numbers v = func_parse_version(text);
        EXPECT_EQ(v.major, major) << text;
        EXPECT_EQ(v.minor, minor) << text;
        EXPECT_EQ(v.patch, patch) << text;
    };
    check("6.1.012\n", 6, 1, 12);
    check("6", 6, 0, 0);
    check("6.1", 6, 1, 0);
    check("abc", 0, 0, 0);
    check("", 0, 0, 0);
    check("x.5.y", 0, 5, 0);
    check("99999999999.2.3", INT_MAX, 2, 3);
}

TEST(VersionNumbers, CompatibilityRanges)
{
    EXPECT_EQ(func_version_compatible("6.1.012", "6.0.000", "6.9.999"), 1);
    EXPECT_EQ(func_version_compatible("6.9.999", "6.0.000", "6.9.999"), 1);
    EXPECT_EQ(func_version_compatible("5.9.010", "6.0.000", "6.9.999"), 0);
    EXPECT_EQ(func_version_compatible("7.0.000", "6.0.000", "6.9.999"), 0);
    EXPECT_EQ(func_version_compatible("5.0.027", "5.0.028", "5.9.999"), 0);
    EXPECT_EQ(func_version_compatible("5.0.028", "5.0.028", "5.9.999"), 1);
    EXPECT_EQ(func_version_compatible("5.1.003", "5.0.028", "5.9.999"), 1);
    EXPECT_EQ(func_version_compatible("5.9.999", "5.0.028", "5.9.999"), 1);
    EXPECT_EQ(func_version_compatible("6.0.000", "5.0.028", "5.9.999"), 0);
    // Patch above the maximum passes only on a lower minor.
    EXPECT_EQ(func_version_compatible("6.1.500", "6.0.000", "6.2.100"), 1);
    EXPECT_EQ(func_version_compatible("6.2.500", "6.0.000", "6.2.100"), 0);
    // An unknown version is never refused.
    EXPECT_EQ(func_version_compatible("0.0.0\n", "5.0.028", "5.9.999"), 1);
    EXPECT_EQ(func_version_compatible("6", "6.0.000", "6.9.999"), 1);
}

TEST(VersionNumbers, OnlyNewerPackagesUpdate)
{
    EXPECT_EQ(func_ok_to_update("6.1.012"), 0);
    EXPECT_EQ(func_ok_to_update("6.0.999"), 0);
    EXPECT_EQ(func_ok_to_update("5.9.999"), 0);
    EXPECT_EQ(func_ok_to_update("6.1.013"), 1);
    EXPECT_EQ(func_ok_to_update("6.2.000"), 1);
    EXPECT_EQ(func_ok_to_update("7.0.000"), 1);
    EXPECT_EQ(func_ok_to_update("abc"), 0);
    EXPECT_EQ(func_ok_to_update("6.1"), 0);
}

TEST_F(VersionFileTest, UpdatePackagesInAFolder)
{
    const std::string folder = sandbox.path("usb/");
    const std::string before = current_folder();
    sandbox.write_file("usb/6.1.012.upt", "same");
    sandbox.write_file("usb/6.0.100.upt", "older");
    sandbox.write_file("usb/notes.txt", "");
    sandbox.write_file("usb/.upt", "");
    EXPECT_EQ(func_have_update_files(folder), "");

    sandbox.write_file("usb/6.1.013.upt", "newer");
    EXPECT_EQ(func_have_update_files(folder), "6.1.013");
    std::filesystem::remove(sandbox.path("usb/6.1.013.upt"));

    sandbox.write_file("usb/7.0.000.upt", "major");
    EXPECT_EQ(func_have_update_files(folder), "7.0.000");
    std::filesystem::remove(sandbox.path("usb/7.0.000.upt"));

    sandbox.write_file("usb/6.2.000.upt", "minor");
    EXPECT_EQ(func_have_update_files(sandbox.path("usb")), "6.2.000");

    EXPECT_EQ(func_have_update_files(sandbox.path("nowhere/")), "");
    EXPECT_EQ(current_folder(), before);
}
