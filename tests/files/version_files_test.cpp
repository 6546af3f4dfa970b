#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <memory>
#include <tuple>
#include <utility>

#include "files/version_files.h"
#include "support/core_data_fixture.h"

using VersionFileTest = core_data_test;

namespace {
std::unique_ptr<software_version> read_version(const std::string& path, int mode)
{
    return std::unique_ptr<software_version>(func_get_software_version(path, mode));
}
}  // namespace

TEST_F(VersionFileTest, WritesTagVersionAndProcessIdAndLogsAFailure)
{
    const std::string path = sandbox.path("ztqbgui.ver");
    EXPECT_EQ(func_set_software_version(path, CONSOLE_SOFTWARE_VERSION), 1);
    const std::string pid = std::to_string(static_cast<int>(getpid()));
    EXPECT_EQ(sandbox.read_file("ztqbgui.ver"), "RIDEVUVE\n6.1.012\n" + pid);
    EXPECT_EQ(sandbox.sync_calls, 1);
    EXPECT_TRUE(temporary_files("").empty());
    auto record = read_version(path, 0);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name + record->version + std::to_string(record->number), "RIDEVUVE\n6.1.012\n" + pid);

    const std::string missing = sandbox.path("missing/spring.set");
    EXPECT_EQ(func_set_software_version(missing, "6.1.012"), 0);
    EXPECT_EQ(syserror_lines(),
              std::vector<std::string>{"func_set_software_version :can't create/open file " + missing + " not found."});
}

TEST_F(VersionFileTest, ReadsOneLineEmptyLongAndGarbageFiles)
{
    EXPECT_FALSE(read_version(sandbox.path("none.ver"), 0));
    const int ANY = INT_MIN;  // a name "?" or number ANY is not compared
    // Content, mode, then the name, version and number read.
    const std::tuple<std::string, int, std::string, std::string, int> cases[] = {
        {"6.0.005", 1, "--------", "6.0.005", -1},
        {"6.0.005\n77", 1, "?", "6.0.005\n", 77},
        {"6.0.005\n77", 0, "6.0.005\n", "77", ANY},  // mode 0: the first line is a name
        {"CTRLTAG\nnodot\n12", 1, "CTRLTAG\n", "0.0.0", 12},  // no dot: no version
        {"", 1, "--------", "0.0.0", -1},
        {std::string(500, 'a') + "\n6.1.000\n5", 0, std::string(99, 'a'), "6.1.000\n", 5},
        {std::string("\xFF\xFE\x01.\n99999999999999\n\x80", 21), 1, "--------", "", INT_MAX},
    };
    for (const auto& [content, mode, name, version, number] : cases) {
        sandbox.write_file("test.ver", content);
        auto record = read_version(sandbox.path("test.ver"), mode);
        ASSERT_TRUE(record) << content;
        EXPECT_TRUE(name == "?" || record->name == name) << content << ": " << record->name;
        EXPECT_EQ(record->version, version) << content;
        EXPECT_TRUE(number == ANY || record->number == number) << content << ": " << record->number;
    }
}

TEST(VersionNumbers, ParsingSurvivesGarbageAndCompatibilityRanges)
{
    const std::pair<const char*, std::array<int, 3>> cases[] = {
        {"6.1.012\n", {6, 1, 12}}, {"6.1", {6, 1, 0}}, {"x.5.y", {0, 5, 0}}, {"99999999999.2.3", {INT_MAX, 2, 3}}};
    for (const auto& [text, expected] : cases) {
        const version_numbers v = func_parse_version(text);
        EXPECT_EQ((std::array<int, 3>{v.major, v.minor, v.patch}), expected) << text;
    }

    const std::pair<const char*, int> in_5_0_028_to_5_9_999[] = {
        {"5.0.027", 0}, {"5.0.028", 1}, {"5.9.999", 1}, {"6.0.000", 0},
        {"0.0.0\n", 1}};  // an unknown version is never refused
    for (const auto& [version, compatible] : in_5_0_028_to_5_9_999)
        EXPECT_EQ(func_version_compatible(version, "5.0.028", "5.9.999"), compatible) << version;
    // Patch above the maximum passes only on a lower minor.
    EXPECT_EQ(func_version_compatible("6.1.500", "6.0.000", "6.2.100"), 1);
    EXPECT_EQ(func_version_compatible("6.2.500", "6.0.000", "6.2.100"), 0);
    EXPECT_EQ(func_version_compatible("6", "6.0.000", "6.9.999"), 1);

    // Which versions are newer: update_test and the file screen's offer.
}

