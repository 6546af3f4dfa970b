// Loading language files: the generated English file, translations in
// pairs, hostile files, a missing file, and the font and locale choice.
#include <gtest/gtest.h>
#include <locale.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "language/language_fixture.h"
#include "logs/log_file.h"

namespace {

std::string numbered_lines(const std::string& prefix, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += prefix + std::to_string(i) + "\n";
    return text;
}

bool locale_exists(const char* name)
{
    locale_t probe = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
    if (!probe)
        return false;
    freelocale(probe);
    return true;
}

// Texts of this month's error.log records.
std::vector<std::string> error_log_texts()
{
    std::string bytes = func_read_whole_file(func_get_log_file_path(LOG_ERROR));
    std::vector<std::string> texts;
    for (size_t at = 0; at + LOG_RECORD_SIZE <= bytes.size(); at += LOG_RECORD_SIZE) {
        std::string field = bytes.substr(at + LOG_TEXT_OFFSET, LOG_TEXT_SIZE);
        texts.push_back(field.substr(0, field.find('\0')));
    }
    return texts;
}

}  // namespace

using LanguageFileTest = language_test;

TEST_F(LanguageFileTest, GeneratedEnglishFileFillsSlotsInOrder)
{
    func_init_language("L0");

    EXPECT_EQ(p[18], "Fahrenheit");
    EXPECT_EQ(p[19], "Celcius");
    EXPECT_EQ(p[26], "NO");
    EXPECT_EQ(p[27], "YES");
    EXPECT_EQ(p[28], "OFF");
    EXPECT_EQ(p[29], "ON");
    EXPECT_EQ(p[30], "End Formula");
    EXPECT_EQ(p[35], "Standard Extract");
    EXPECT_EQ(p[96], "No Errors");
    EXPECT_EQ(p[113], "Wait for Level");
    EXPECT_EQ(p[130], "Language");
    EXPECT_EQ(p[394], "Selected language is not available, defaulting to English.");
    EXPECT_EQ(p[687], "Tank Full");
    EXPECT_EQ(p[752], "Recirc Pump");
    EXPECT_EQ(p[880], "---");
    // Slots past the last one named stay empty; gaps are empty lines.
    EXPECT_EQ(p[881], "");
    EXPECT_EQ(p[0], "");
    EXPECT_EQ(default_language, 0);
}

TEST_F(LanguageFileTest, GeneratedEnglishFileCoversTheSlotsTheConsoleReads)
{
    func_init_language("L0");

    // Dialog titles, formula-not-found, wait text, delete question, stop
    // formula, the missing-language message and the window titles.
    for (int slot : {178, 179, 180, 181, 186, 190, 279, 287, 289, 295, 299, 394, 395, 396})
        EXPECT_FALSE(p[slot].empty()) << "slot " << slot;

    // Every slot the option and label tables are refreshed from.
    const std::vector<std::pair<int, int>> table_slots = {
        {18, 40},   {44, 95},   {96, 128},  {130, 130}, {133, 135}, {139, 144}, {147, 147}, {152, 159},
        {177, 177}, {186, 186}, {328, 331}, {337, 337}, {342, 342}, {389, 389}, {406, 407}, {448, 448},
        {451, 452}, {478, 478}, {488, 492}, {502, 503}, {508, 508}, {510, 510}, {540, 540}, {543, 546},
        {548, 548}, {550, 550}, {553, 562}, {564, 569}, {571, 574}, {576, 578}, {583, 584}, {594, 601},
        {611, 623}, {628, 629}, {639, 642}, {646, 647}, {652, 663}, {671, 684}, {687, 750}, {752, 880}};
    for (const auto& range : table_slots)
        for (int slot = range.first; slot <= range.second; ++slot)
            EXPECT_FALSE(p[slot].empty()) << "slot " << slot;
}

TEST_F(LanguageFileTest, EnglishTablesAgreeWithTheirCompiledTexts)
{
    // Snapshot the compiled texts, load English, and compare: apart from
    // the entries listed below the English file must say the same.
    func_reset_option_tables();
    std::vector<std::string> cfg(cfg_lookup_table, cfg_lookup_table + 112);
    std::vector<std::string> stp(stp_lookup_table, stp_lookup_table + 120);
    std::vector<std::string> vez(vez_lookup_table, vez_lookup_table + 32);
    std::vector<std::string> manual(manual_btn_lookup_table, manual_btn_lookup_table + 40);
    std::vector<std::string> errors(machine_error_table, machine_error_table + 40);
    std::vector<std::string> states(machine_status_table, machine_status_table + 18);
    std::vector<std::string> cfg_labels(config_selections_label_value, config_selections_label_value + 64);
    std::vector<std::string> step_labels(step_item_selections_label_value, step_item_selections_label_value + 24);
    std::vector<std::string> inputs(input_label, input_label + 64);
    std::vector<std::string> outputs(output_label, output_label + 128);

    func_init_language("L0");

    for (int i = 0; i < 112; ++i)
        EXPECT_EQ(cfg_lookup_table[i], cfg[i]) << "cfg " << i;
    for (int i = 0; i < 120; ++i) {
        // " Level 3" keeps its blank only in the compiled row; the drain
        // row's "Two-Way Wash" shares slot 32 with the step type "2-Way Wash".
        if (i == 38 || i == 64)
            continue;
        EXPECT_EQ(stp_lookup_table[i], stp[i]) << "stp " << i;
    }
    EXPECT_EQ(stp_lookup_table[38], "Level 3");
    EXPECT_EQ(stp_lookup_table[64], "2-Way Wash");
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(vez_lookup_table[i], vez[i]) << "vez " << i;
    for (int i = 0; i < 40; ++i) {
        bool cancel = i % 5 == 3 || i == 12 || i == 17 || i == 22 || i == 27 || i == 32;
        const std::string expected = cancel && !manual[i].empty() ? "<< CANCEL >>" : manual[i];
        EXPECT_EQ(manual_btn_lookup_table[i], expected) << "manual " << i;
    }
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(machine_error_table[i], errors[i]) << "error " << i;
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(machine_status_table[i], states[i]) << "state " << i;
    for (int i = 0; i < 56; ++i) {
        if (i == 5)
            continue;
        bool not_offered = i == 4 || i == 25 || (i >= 51 && i <= 55);
        EXPECT_EQ(config_selections_label_value[i], not_offered ? "---" : cfg_labels[i]) << "label " << i;
    }
    // Item 5 has no English label of its own until the file names it, and
    // items 56 to 59 take the batch-data slots 553 to 556.
    EXPECT_EQ(config_selections_label_value[5], p[680]);
    EXPECT_EQ(config_selections_label_value[56], p[553]);
    EXPECT_EQ(config_selections_label_value[59], p[556]);
    for (int i = 0; i < 24; ++i) {
        if (i == 3 || i == 4 || i == 15 || i == 16)
            continue;
        EXPECT_EQ(step_item_selections_label_value[i], step_labels[i]) << "step label " << i;
    }
    EXPECT_EQ(step_item_selections_label_value[15], "---");
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(input_label[i], inputs[i]) << "input " << i;
    for (int i = 0; i < 128; ++i) {
        if (i == 12 || i == 40)  // trailing blanks are trimmed from the file
            continue;
        EXPECT_EQ(output_label[i], outputs[i]) << "output " << i;
    }
    EXPECT_EQ(output_label[12], "CCW Wash");
}

TEST_F(LanguageFileTest, TranslationTakesTheSecondLineOfEachPair)
{
    p[3] = "kept";
    load_language("L3", "en 0\ntr 0\nen 1\ntr 1\nen 2\ntr 2\nen 3");

    EXPECT_EQ(p[0], "tr 0");
    EXPECT_EQ(p[1], "tr 1");
    EXPECT_EQ(p[2], "tr 2");
    EXPECT_EQ(p[3], "kept");  // a last line without partner is ignored
    EXPECT_EQ(default_language, 3);
}

TEST_F(LanguageFileTest, EnglishNameIsCaseInsensitive)
{
    load_language("l0", "a\nb\nc\n");
    EXPECT_EQ(p[0], "a");
    EXPECT_EQ(p[1], "b");
    EXPECT_EQ(p[2], "c");
}

TEST_F(LanguageFileTest, LongLineCountsAsTwoLines)
{
    load_language("L0", std::string(250, 'A') + "\nnext\n");
    EXPECT_EQ(p[0], std::string(199, 'A'));
    EXPECT_EQ(p[1], std::string(51, 'A'));
    EXPECT_EQ(p[2], "next");

    // In a translation the rest of the line is the translation line.
    clear_language_slots();
    load_language("L4", std::string(250, 'B') + "\nafter\n");
    EXPECT_EQ(p[0], std::string(51, 'B'));
    EXPECT_EQ(p[1], "");
}

TEST_F(LanguageFileTest, TextOfTheLongestLengthIsOneLine)
{
    load_language("L0", std::string(199, 'x') + "\nsecond\n" + std::string(199, 'y') + "\r\nthird\r\n");
    EXPECT_EQ(p[0], std::string(199, 'x'));
    EXPECT_EQ(p[1], "second");
    EXPECT_EQ(p[2], std::string(199, 'y'));
    EXPECT_EQ(p[3], "third");
}

TEST_F(LanguageFileTest, OverlongFilesFillTheLastSlotOnly)
{
    load_language("L0", numbered_lines("line ", 5000));
    EXPECT_EQ(p[0], "line 0");
    EXPECT_EQ(p[999], "line 999");

    clear_language_slots();
    load_language("L2", numbered_lines("line ", 5000));
    EXPECT_EQ(p[0], "line 1");
    EXPECT_EQ(p[999], "line 1999");
}

TEST_F(LanguageFileTest, TenKilobyteLineIsCutIntoReads)
{
    load_language("L0", std::string(10240, 'x') + "\nafter\n");
    // 51 full reads of 199 characters and the last 91.
    for (int slot = 0; slot < 51; ++slot)
        ASSERT_EQ(p[slot], std::string(199, 'x')) << "slot " << slot;
    EXPECT_EQ(p[51], std::string(91, 'x'));
    EXPECT_EQ(p[52], "after");
}

TEST_F(LanguageFileTest, LinesAreTrimmedAndEmptyLinesKeepTheSlot)
{
    p[1] = "old text";
    load_language("L0", "  padded text \t\r\n\n \t \nlast line");
    EXPECT_EQ(p[0], "padded text");
    EXPECT_EQ(p[1], "old text");
    EXPECT_EQ(p[2], "");
    EXPECT_EQ(p[3], "last line");  // no final line end
}

TEST_F(LanguageFileTest, NulByteEndsTheText)
{
    load_language("L0", std::string("ab\0cd\nnext\n", 11));
    EXPECT_EQ(p[0], "ab");
    EXPECT_EQ(p[1], "next");
}

TEST_F(LanguageFileTest, GarbageFileStaysWithinTheSlots)
{
    std::mt19937 random(20240315);
    std::string garbage;
    for (int i = 0; i < 300000; ++i)
        garbage.push_back(static_cast<char>(random() & 0xFF));
    load_language("L0", garbage);
    for (int slot = 0; slot < LANGUAGE_SLOT_COUNT; ++slot) {
        ASSERT_LE(p[slot].size(), static_cast<size_t>(LANGUAGE_LINE_MAX)) << "slot " << slot;
        EXPECT_EQ(p[slot].find('\0'), std::string::npos);
        EXPECT_EQ(p[slot].find('\n'), std::string::npos);
    }
    EXPECT_FALSE(p[999].empty());
}

TEST_F(LanguageFileTest, MissingFileChangesNothing)
{
    p[5] = "kept";
    p[18] = "Changed";
    default_language = 7;

    func_init_language("L9");

    EXPECT_EQ(p[5], "kept");
    EXPECT_EQ(p[18], "Changed");
    EXPECT_EQ(default_language, 7);
    EXPECT_EQ(cfg_lookup_table[0], "Fahrenheit");  // tables were not refreshed
    std::vector<std::string> logged = error_log_texts();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], "Selected language is not available, defaulting to English.");

    // The message follows the loaded language once slot 394 is filled.
    p[394] = "Sprache fehlt.";
    func_init_language("L8");
    logged = error_log_texts();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[1], "Sprache fehlt.");
}

TEST_F(LanguageFileTest, NamesThatLeaveTheDataFolderOrNameNoFileAreRefused)
{
    sandbox.write_file("L5.lng", "en\nescaped\n");
    func_init_language("../L5");
    func_init_language("");
    func_init_language(nullptr);
    sandbox.write_file("data/L7.lng/inside", "en\nfolder\n");  // a folder, not a file
    default_language = 2;
    func_init_language("L7");
    EXPECT_EQ(p[0], "");
    EXPECT_EQ(default_language, 2);
    EXPECT_EQ(error_log_texts().size(), 4u);
}

TEST_F(LanguageFileTest, LoadingRefreshesTheTables)
{
    load_language("L6", "Fahrenheit\nDegres F\nCelcius\nDegres C\n");
    // Pairs fill slots 0 and 1 only; the option row keeps its texts.
    EXPECT_EQ(cfg_lookup_table[0], "Fahrenheit");

    func_init_language("L0");
    EXPECT_EQ(frm_lookup_table[1], "ON");
    std::string translation;
    for (int slot = 0; slot < 29; ++slot)
        translation += "english " + std::to_string(slot) + "\ntexte " + std::to_string(slot) + "\n";
    load_language("L6", translation);
    EXPECT_EQ(cfg_lookup_table[0], "texte 18");
    EXPECT_EQ(frm_lookup_table[0], "texte 28");
    // Slots the translation does not reach keep the English text.
    EXPECT_EQ(p[29], "ON");
    EXPECT_EQ(frm_lookup_table[1], "ON");
    EXPECT_EQ(default_language, 6);
}

TEST(LanguageChoice, FontOfTheMachineVariant)
{
    // test_core is built as the machine variant.
    EXPECT_EQ(func_get_language_font_name(0.0), "Arial bold 14");
    EXPECT_EQ(func_get_language_font_name(1.0), "Arial 16");
    EXPECT_EQ(func_get_language_font_name(2.0), "Arial bold 12");
    EXPECT_EQ(func_get_language_font_name(1.5), "Arial bold 14");
    EXPECT_EQ(func_get_language_font_name(10.0), "Arial bold 14");
}

TEST(LanguageChoice, LocaleByLanguageNumber)
{
    EXPECT_EQ(func_get_language_locale(1), "zh_CN.UTF-8");
    EXPECT_EQ(func_get_language_locale(0), "en_US.UTF-8");
    EXPECT_EQ(func_get_language_locale(2), "en_US.UTF-8");
    EXPECT_EQ(func_get_language_locale(-1), "en_US.UTF-8");
}

TEST_F(LanguageFileTest, LanguageOneSelectsItsLocaleWhenInstalled)
{
    std::string before = std::setlocale(LC_ALL, nullptr);
    load_language("L1", "english\nzhong\n");
    EXPECT_EQ(default_language, 1);
    std::string after = std::setlocale(LC_ALL, nullptr);
    if (locale_exists("zh_CN.UTF-8"))
        EXPECT_EQ(after, "zh_CN.UTF-8");
    else
        EXPECT_EQ(after, before);  // a missing locale is not an error
}
