// Switching the language while the console runs: every load starts from
// English, a missing language falls back to English, and the Language
// row lists the languages installed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "formulas/chemicals.h"
#include "frame/language_switch.h"
#include "language/language_fixture.h"
#include "support/core_data_fixture.h"

namespace {

// Every slot and every table entry, in one list to compare.
std::vector<std::string> every_text()
{
    std::vector<std::string> texts(p, p + LANGUAGE_SLOT_COUNT);
#define TABLE(table) std::make_pair(&table[0], std::size(table))
    for (const auto& [table, size] :
         {TABLE(cfg_lookup_table), TABLE(vez_lookup_table), TABLE(vez_batch_lookup_table),
          TABLE(vez_power_up_lookup_table), TABLE(frm_lookup_table), TABLE(stp_lookup_table), TABLE(chm_lookup_table),
          TABLE(manual_btn_lookup_table), TABLE(machine_error_table), TABLE(machine_status_table),
          TABLE(vez_warning_table), TABLE(config_selections_label_value), TABLE(vez_selections_label_value),
          TABLE(post_dry_selections_label_value), TABLE(step_item_selections_label_value),
          TABLE(a2d_selections_header), TABLE(a2d_selections_value), TABLE(d2a_selections_value),
          TABLE(input_label), TABLE(output_label), TABLE(default_chemical_names)}) {
        texts.push_back("--- table ---");
        texts.insert(texts.end(), table, table + size);
    }
#undef TABLE
    return texts;
}

// A translation file: for slots 0 to `last`, the English line and the
// translated one (blank unless given).
std::string translation(int last, const std::map<int, std::string>& texts)
{
    std::string file;
    for (int slot = 0; slot <= last; ++slot) {
        auto found = texts.find(slot);
        file += "english " + std::to_string(slot) + "\n" + (found == texts.end() ? "" : found->second) + "\n";
    }
    return file;
}

// The first `count` choices of the Language row.
std::vector<std::string> language_row(int count = CFG_LOOKUP_WIDTH)
{
    return std::vector<std::string>(cfg_lookup_table + CFG_LOOKUP_WIDTH, cfg_lookup_table + CFG_LOOKUP_WIDTH + count);
}

class LanguageSwitchTest : public language_test {
protected:
    std::vector<std::string> log_texts(const char* log) const
    {
        return read_log_texts(sandbox.read_file(std::string("log/03-2024-") + log));
    }
};

}  // namespace

TEST_F(LanguageSwitchTest, EnglishAgainAfterATranslationIsTheFirstEnglishInEveryText)
{
    // Two slots in three translated, the others blank; slots that English
    // leaves empty (0 to 17) are translated too.
    std::map<int, std::string> texts;
    for (int slot = 0; slot < LANGUAGE_NAME_SLOT; ++slot)
        if (slot % 3 != 0)
            texts[slot] = "tr " + std::to_string(slot);
    texts[LANGUAGE_NAME_SLOT] = "Testish";
    sandbox.write_file("data/L1.lng", translation(LANGUAGE_NAME_SLOT, texts));
    ASSERT_TRUE(func_switch_language(0));
    const std::vector<std::string> english = every_text();

    ASSERT_TRUE(func_switch_language(1));
    EXPECT_EQ(default_language, 1);
    EXPECT_EQ(cfg_lookup_table[1], "tr 19");
    EXPECT_EQ(cfg_lookup_table[0], english[18]) << "blank: the English text shows";
    EXPECT_EQ(default_chemical_names[0], "tr 155 01");  // no names file: from slot 155
    EXPECT_EQ(language_row()[1], "Testish");

    ASSERT_TRUE(func_switch_language(0));
    EXPECT_EQ(default_language, 0);
    const std::vector<std::string> again = every_text();
    ASSERT_EQ(again.size(), english.size());
    for (size_t at = 0; at < english.size(); ++at)
        EXPECT_EQ(again[at], english[at]) << "text " << at;
}

TEST_F(LanguageSwitchTest, MissingLanguageFallsBackToEnglishAndSaysSo)
{
    sandbox.write_file("data/L2.lng", translation(40, {{19, "Celsius (2)"}, {27, "JA"}}));
    ASSERT_TRUE(func_switch_language(0));
    const std::vector<std::string> english = every_text();
    ASSERT_TRUE(func_switch_language(2));
    ASSERT_EQ(p[27], "JA");

    EXPECT_FALSE(func_switch_language(5));
    EXPECT_EQ(default_language, 0);
    EXPECT_TRUE(every_text() == english);
    const std::vector<std::string> errors = log_texts("error.log");
    EXPECT_EQ(1, std::count(errors.begin(), errors.end(), func_missing_language_text()));
    const std::vector<std::string> system = log_texts("syserror.log");
    EXPECT_EQ(1, std::count(system.begin(), system.end(), "func_switch_language : Can't read language file L5.lng"));

    // A number outside 0 to 10 stands for English, which is then in force.
    ASSERT_TRUE(func_switch_language(2));
    EXPECT_TRUE(func_switch_language(11));
    EXPECT_TRUE(every_text() == english);
    EXPECT_EQ(1u, log_texts("error.log").size());
}

TEST_F(LanguageSwitchTest, LanguageRowListsTheInstalledFilesByTheirOwnNames)
{
    sandbox.write_file("data/L1.lng", translation(LANGUAGE_NAME_SLOT, {{LANGUAGE_NAME_SLOT, "Deutsch"}}));
    // L2 is missing; L3 ends before its name; L5 names itself.
    sandbox.write_file("data/L3.lng", translation(40, {{27, "SI"}}));
    sandbox.write_file("data/L5.lng", translation(LANGUAGE_NAME_SLOT, {{LANGUAGE_NAME_SLOT, "Français"}}));
    // L4 is a huge file of NUL bytes: its name is read, nothing more.
    sandbox.write_file("data/L4.lng", "");
    ASSERT_EQ(0, truncate(sandbox.path("data/L4.lng").c_str(), 1L << 30));
    // Only 0 to 10 are language numbers.
    sandbox.write_file("data/L11.lng", translation(LANGUAGE_NAME_SLOT, {{LANGUAGE_NAME_SLOT, "Eleven"}}));

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(func_switch_language(0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    const std::vector<std::string> listed = {"English", "Deutsch", "L2", "L3", "L4", "Français", ""};
    EXPECT_EQ(language_row(7), listed);

    // Eleven installed languages fill the row to its end.
    for (int number : {2, 4, 6, 7, 8, 9, 10})
        sandbox.write_file("data/L" + std::to_string(number) + ".lng", "en\ntr\n");
    ASSERT_TRUE(func_switch_language(0));
    EXPECT_EQ(language_row().back(), "L10");
    EXPECT_EQ(language_row()[5], "Français");
}
