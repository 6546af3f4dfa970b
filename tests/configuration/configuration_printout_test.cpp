// The configuration printout: its layout line by line from records, and
// the file it lands in.
#include <gtest/gtest.h>
#include <glib.h>

#include <cstring>
#include <sstream>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_printout.h"
#include "language/units.h"
#include "support/tcc_helpers.h"

namespace {
const std::string HASH_LINE(69, '#');

class configuration_printout_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        for (int slot = 80; slot < 700; ++slot)  // each line found by its own label
            p[slot] = "label" + std::to_string(slot);
        p[177] = "Configuration";
        p[128] = "Nom de la machine \u00e0 laver, en entier";  // longer than the column, not ASCII
        func_set_default_configuration(configuration);
        configuration.items[8] = 300;
        configuration.items[26] = 850.9f;
        configuration.items[38] = 140;
        configuration.items[10] = 1;
        vez.items[0] = 7, vez.items[1] = 7;
    }

    machine_configuration configuration;
    vez_configuration vez{};
    language_texts_kept texts_;
};

// The value after the label of a slot, "" when no line has that label.
std::string value_after(const std::vector<std::string>& lines, int slot)
{
    const std::string column = func_print_label_column(p[slot]);
    for (const std::string& line : lines)
        if (line.compare(0, column.size(), column) == 0)
            return line.substr(column.size());
    return "";
}
}  // namespace

TEST_F(configuration_printout_test, headings_49_item_lines_and_11_vez_lines_in_a_24_character_column)
{
    std::vector<std::string> lines;
    std::istringstream in(func_build_configuration_printout(configuration, vez));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);

    ASSERT_EQ(4u + 49u + 4u + 11u, lines.size());
    EXPECT_EQ((std::vector<std::string>{HASH_LINE, "Configuration ", HASH_LINE, ""}),
              std::vector<std::string>(lines.begin(), lines.begin() + 4));
    EXPECT_EQ((std::vector<std::string>{"", HASH_LINE, "VEZ Configuration", HASH_LINE}),
              std::vector<std::string>(lines.begin() + 53, lines.begin() + 57));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i < 4 || (i >= 53 && i < 57))
            continue;
        ASSERT_GE(g_utf8_strlen(lines[i].c_str(), -1), 27) << lines[i];
        EXPECT_EQ(0, std::strncmp(g_utf8_offset_to_pointer(lines[i].c_str(), 24), " : ", 3)) << lines[i];
    }
    gchar* cut_label = g_utf8_substring(p[128].c_str(), 0, 24);
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(),
                                     std::string(cut_label) + " : " + configuration.machine_name));
    g_free(cut_label);
    // A time, a level, a temperature, an option, a VEZ number and a VEZ option.
    EXPECT_EQ(func_convert_seconds_to_time(300), value_after(lines, 147));
    EXPECT_EQ("8.5", value_after(lines, 133));
    EXPECT_EQ("140\u00b0 F", value_after(lines, 546));
    EXPECT_EQ(func_lookup_cfg_name(1, 10), value_after(lines, 85));
    EXPECT_EQ("07", value_after(lines, 611));
    EXPECT_EQ(func_lookup_vez_cfg_name(7, 1), value_after(lines, 612));
}

TEST_F(configuration_printout_test, the_file_is_named_after_the_configuration_file_and_holds_the_printout)
{
    sandbox.write_file("configuration/site.cfg", "");
    unsigned char bytes[VEZ_RECORD_SIZE];
    func_encode_vez_configuration(vez, bytes);
    sandbox.write_file("configuration/configuration.vez", std::string(reinterpret_cast<char*>(bytes), sizeof bytes));
    *current_machine_configuration = configuration;
    std::filesystem::create_directories(sandbox.path("out"));

    const print_result result = func_print_configuration(sandbox.path("out/"), "unused");

    ASSERT_EQ(1, result.ok);
    EXPECT_EQ(PRINT_CONFIGURATION_DONE_TEXT, result.message);
    EXPECT_EQ(func_build_configuration_printout(configuration, vez), sandbox.read_file("out/Configuration-(site).txt"));
}
