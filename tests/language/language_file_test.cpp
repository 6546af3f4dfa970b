// Loading language files: the generated English file, translations in
// pairs, hostile files, a missing file, and the font and locale choice.
#include <gtest/gtest.h>
#include <locale.h>

#include <random>
#include <string>
#include <vector>

#include "language/language_fixture.h"

namespace {

bool locale_exists(const char* name)
{
    locale_t probe = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
    if (!probe)
        return false;
    freelocale(probe);
    return true;
}

}  // namespace

using LanguageFileTest = language_test;

TEST_F(LanguageFileTest, TranslationsLongLinesAndHostileFilesStayWithinTheSlots)
{
    sandbox.write_file("data/L0.lng", "e0\ne1\ne2\ne3\n");
    load_language("L3", "en 0\ntr 0\nen 1\ntr 1\nen 2\ntr 2\nen 3");
    EXPECT_EQ(p[0] + "|" + p[1] + "|" + p[2], "tr 0|tr 1|tr 2");
    EXPECT_EQ(p[3], "e3");  // a last line without partner is ignored
    EXPECT_EQ(default_language, 3);

    // The tables are refreshed from what the translation reaches.
    std::string translation;
    for (int slot = 0; slot < 29; ++slot)
        translation += "english " + std::to_string(slot) + "\ntexte " + std::to_string(slot) + "\n";
    load_language("L6", translation);
    EXPECT_EQ(cfg_lookup_table[0], "texte 18");
    EXPECT_EQ(frm_lookup_table[0], "texte 28");
    EXPECT_EQ(frm_lookup_table[1], "ON");

    // Long line counts as two lines.
    load_language("L0", std::string(250, 'A') + "\nnext\n" + std::string(199, 'y') + "\r\nthird\r\n");
    EXPECT_EQ(p[0], std::string(199, 'A'));
    EXPECT_EQ(p[1], std::string(51, 'A'));
    EXPECT_EQ(p[2], "next");
    EXPECT_EQ(p[3], std::string(199, 'y'));  // the longest text is still one line
    EXPECT_EQ(p[4], "third");

    // In a translation the rest of the line is the translation line.
    clear_language_slots();
    load_language("L4", std::string(250, 'B') + "\nafter\n");
    EXPECT_EQ(p[0], std::string(51, 'B'));
    EXPECT_EQ(p[1], std::string(51, 'A'));  // not "after": slot 1 stays English

    clear_language_slots();
    p[1] = "old text";
    const char hostile[] = "  padded \t\r\n\nab\0cd\nlast line";
    load_language("L0", std::string(hostile, sizeof hostile - 1));
    EXPECT_EQ(p[0], "padded");
    EXPECT_EQ(p[1], "");  // each load starts empty: nothing from before stays
    EXPECT_EQ(p[2], "ab");  // a NUL byte ends the text
    EXPECT_EQ(p[3], "last line");  // no final line end

    std::mt19937 random(20240315);
    std::string garbage;
    for (int i = 0; i < 300000; ++i)
        garbage.push_back(static_cast<char>(random() & 0xFF));
    load_language("L0", garbage);
    for (int slot = 0; slot < LANGUAGE_SLOT_COUNT; ++slot) {
        ASSERT_LE(p[slot].size(), static_cast<size_t>(LANGUAGE_LINE_MAX)) << "slot " << slot;
        EXPECT_EQ(p[slot].find_first_of(std::string("\0\n", 2)), std::string::npos) << "slot " << slot;
    }
    EXPECT_FALSE(p[999].empty());
}

TEST_F(LanguageFileTest, MissingFileChangesNothingItsMessageFollowsTheLanguageAndLanguageOneSelectsItsLocale)
{
    p[5] = "kept";
    default_language = 7;
    EXPECT_EQ(0, func_init_language("L9"));
    EXPECT_EQ(p[5], "kept");
    EXPECT_EQ(cfg_lookup_table[0], "Fahrenheit");  // tables were not refreshed
    EXPECT_FALSE(func_missing_language_text().empty()) << "English when the slot is empty";

    // The message follows the loaded language; names that leave the data
    // folder or name a folder are refused the same way.
    p[394] = "Sprache fehlt.";
    EXPECT_EQ("Sprache fehlt.", func_missing_language_text());
    sandbox.write_file("L5.lng", "en\nescaped\n");
    sandbox.write_file("data/L7.lng/inside", "en\nfolder\n");
    for (const char* name : {"../L5", "", "L7"})
        EXPECT_EQ(0, func_init_language(name)) << name;
    EXPECT_EQ(0, func_init_language(nullptr));
    EXPECT_EQ(p[0], "") << "nothing outside the data folder was read";
    EXPECT_EQ(default_language, 7);

    const std::string before = std::setlocale(LC_ALL, nullptr);
    load_language("L1", "english\nzhong\n");
    EXPECT_EQ(default_language, 1);
    // A missing locale is not an error.
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), locale_exists("zh_CN.UTF-8") ? "zh_CN.UTF-8" : before);
    EXPECT_EQ(func_get_language_locale(-1), func_get_language_locale(0)) << "an unknown number is English";
    EXPECT_EQ(func_get_language_font_name(10.0), func_get_language_font_name(0.0));
}
