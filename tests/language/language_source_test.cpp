// The source of the English language file and the rules of the tool that
// turns a source into a language file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "../../tools/language/language_source.h"
#include "support/sandbox.h"

namespace {

bool parse_text(const std::string& source, std::vector<std::string>& slots, std::string& error)
{
    std::istringstream in(source);
    return language_source::parse(in, slots, error);
}

std::string rejection(const std::string& source)
{
    std::vector<std::string> slots;
    std::string error;
    EXPECT_FALSE(parse_text(source, slots, error)) << source;
    return error;
}

}  // namespace

TEST(LanguageSource, GapsBecomeEmptyLinesBadLinesAreRejectedAndTheEnglishSourceBuildsTheInstalledFile)
{
    std::vector<std::string> slots;
    std::string error;
    ASSERT_TRUE(parse_text("# a note\n\n2\ttwo\r\n5\tfive\n7\t\n", slots, error)) << error;
    ASSERT_EQ(slots.size(), 8u);
    EXPECT_EQ(slots[2], "two");
    EXPECT_EQ(slots[5], "five");
    EXPECT_EQ(slots[7], "");
    EXPECT_EQ(language_source::render(slots), "\n\ntwo\n\n\nfive\n\n\n");

    const std::pair<std::string, const char*> cases[] = {
        {"1\tone\n2 two\n", "line 2: expected \"<slot><TAB><text>\""},
        {"x1\tone\n", "line 1: slot number \"x1\" is not a number"},
        {"3\ta\n3\tb\n", "line 2: slot 3 is given twice"},
        {"3\ta\n2\tb\n", "line 2: slot 2 comes after slot 3"},
        {"1000\ta\n", "line 1: slot 1000 is past the last slot 999"},
        {"99999999999999999999\ta\n", "line 1: slot 99999999999999999999 is past the last slot 999"},
        {"1\t" + std::string(200, 'a') + "\n", "line 1: text of slot 1 is 200 bytes, more than 199"},
        {std::string("1\ta\0b\n", 6), "line 1: text of slot 1 holds a control character"},
        {"1\tpadded \n", "line 1: text of slot 1 starts or ends with a blank"}};
    for (const auto& [source, expected] : cases)
        EXPECT_EQ(rejection(source), expected) << "case " << source;

    EXPECT_TRUE(parse_text("0999\t" + std::string(199, 'a') + "\n", slots, error)) << error;
    EXPECT_EQ(slots.size(), 1000u);

    const auto source = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data" / "L0.lngsrc";
    std::ifstream in(source, std::ios::binary);
    ASSERT_TRUE(in) << source;
    ASSERT_TRUE(language_source::parse(in, slots, error)) << error;
    EXPECT_GT(slots.size(), 880u);
    EXPECT_EQ(slots[27], "YES");

    std::string installed = func_read_whole_file(std::string(LUMEX_STAGE_DIR) + "/data/L0.lng");
    EXPECT_EQ(installed, language_source::render(slots));
}
