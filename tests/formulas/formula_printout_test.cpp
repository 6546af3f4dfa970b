// The formula printout: a small set on disk printed and read back, names
// that try to leave the folder, and a folder that refuses the file.
#include <gtest/gtest.h>
#include <glib.h>

#include "formulas/chemicals.h"
#include "formulas/formula_printout.h"
#include "language/units.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

namespace {
const std::string HASH_RULE = std::string(69, '#') + "\n", STEP_RULE = std::string(44, '=') + "\n";

step_record step(int number, const std::string& name, std::initializer_list<std::pair<int, int>> items)
{
    step_record record{number, name, {}};
    for (const auto& [item, value] : items)
        record.items[item] = value;
    return record;
}

class formula_printout_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        func_create_chemical_stores();
        p[186] = "Formula", p[187] = "Step", p[155] = "Chemical", p[152] = "Time", p[154] = "Level", p[156] = "RPM";
        p[127] = "Type of the step, as the drum runs it";  // longer than the column
        func_load_default_chemical_names_from_file(0);
        std::filesystem::create_directories(sandbox.path("out"));
    }

    // Records encoded into the file at path (absolute, inside the sandbox).
    template <class Record, class Encode>
    void write(const std::string& path, const std::vector<Record>& records, size_t size, Encode encode)
    {
        sandbox.write_file(path.substr(sandbox.root().size()), encode_records(records, size, encode));
    }
    void write_formulas(const std::vector<formula_record>& formulas)
    {
        write(func_get_formula_list_path(), formulas, FORMULA_RECORD_SIZE, func_encode_formula_record);
    }
    static std::string line(int slot, const std::string& value) { return func_print_label_column(p[slot]) + value + "\n"; }
    language_texts_kept texts_;
};
}  // namespace

TEST_F(formula_printout_test, prints_every_formula_in_number_order_with_its_steps_and_enabled_chemicals)
{
    write_formulas({{7, "Sheets", 1, 0, 0}, {2, "Towels", 0, 2, 0}});
    const std::vector<step_record> steps = {
        step(1, "Fill", {{STEP_TYPE, 2}, {STEP_TIME, 330}, {STEP_TEMPERATURE, 140}, {STEP_LEVEL, 650}, {STEP_RPM, 5},
                         {STEP_CHEMICALS, 2}}),
        step(2, "Spin", {{STEP_TYPE, 5}, {STEP_TIME, 3700}, {STEP_LEVEL, 1}, {STEP_RPM, 30}})};
    write(func_get_step_file_path(2), steps, STEP_RECORD_SIZE, func_encode_step_record);
    std::vector<chemical_record> chemicals(5);
    for (int i = 0; i < 5; ++i)
        chemicals[i] = {i + 1, "", i == 1 || i == 3, i % 3, 40 + i, 1};
    for (int step_number : {1, 2})  // step 2's file is left over: its count is 0
        write(func_get_step_chemicals_path(2, step_number), chemicals, CHEMICAL_RECORD_SIZE, func_encode_chemical_record);
    sandbox.write_file("formulas/Summer.set", "");
    func_append_step_row(step(9, "Being edited", {}));  // what the screens hold stays
    func_set_chemical_rows({{3, "Soap", 1, 0, 10, 0}});

    const print_result result = func_print_all_formulas(sandbox.path("out"), "unused");

    ASSERT_EQ(1, result.ok);
    EXPECT_EQ(sandbox.path("out/Formula-(Summer).txt"), result.path);
    const std::string text = sandbox.read_file("out/Formula-(Summer).txt");
    auto chemical_line = [](int position, int when) {
        return "0" + std::to_string(position + 1) + " -  : " + default_chemical_names[position] + " : " +
               func_lookup_chemical_name(when, 3) + " : " + func_convert_seconds_to_time(40 + position) + " : " +
               func_lookup_chemical_name(1, 5) + "\n";
    };
    EXPECT_EQ(0u, text.find(HASH_RULE + "Formula 002 : Towels\n" + HASH_RULE + "\nStep : 01 - Fill\n" + STEP_RULE +
                            "\nType of the step, as the : " + func_lookup_step_name(2, STEP_TYPE) + "\n" +
                            line(152, func_convert_seconds_to_time(330)) + line(153, "140\u00b0 F")));
    EXPECT_NE(std::string::npos,
              text.find(line(154, "6.5") + line(88, func_lookup_step_name(0, STEP_STEAM)) + line(156, "05")));
    EXPECT_NE(std::string::npos, text.find(STEP_RULE + "Chemical\n" + chemical_line(1, 1) + chemical_line(3, 0) +
                                           STEP_RULE + "\n\nStep : 02 - Spin\n"));
    EXPECT_EQ(text.find("Chemical\n"), text.rfind("Chemical\n"));
    EXPECT_NE(std::string::npos, text.find(line(154, func_lookup_step_name(1, STEP_LEVEL))));
    // Formula 7 has no steps: its heading alone, then the end.
    const std::string ending = "Formula 007 : Sheets\n" + HASH_RULE + "\n\n" + HASH_RULE + "\n";
    EXPECT_EQ(text.size() - ending.size(), text.rfind(ending));
    EXPECT_EQ("Being edited", func_get_step_row(0).name);
    EXPECT_EQ("Soap", func_get_chemical_rows().at(0).name);

    // Metric consoles print the Fahrenheit file in Celsius.
    formula_print_texts texts = func_get_formula_print_texts();
    texts.metric = true;
    std::string metric;
    func_append_formula_printout(metric, {1, "Hot", 1, 1, 0}, {steps[0]}, {}, texts);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%03d\u00b0 C", func_convert_temperature_to_C(140));
    EXPECT_NE(std::string::npos, metric.find(line(153, expected)));
}

TEST_F(formula_printout_test, a_name_from_outside_stays_one_entry_of_the_chosen_folder)
{
    std::string accents;
    for (int i = 0; i < 200; ++i)
        accents += "\u00e9";
    for (const std::string& hostile : {std::string("../../etc/passwd"), std::string("..\x01/..:*?<>|"), accents}) {
        const std::string name = func_print_file_name(hostile, hostile);
        EXPECT_EQ(std::string::npos, name.find_first_of("/\\:*?\"<>|")) << name;  // FAT takes none of these
        EXPECT_EQ(std::string::npos, name.find("..")) << name;
        EXPECT_LE(name.size(), 255u);
        EXPECT_TRUE(g_utf8_validate(name.c_str(), static_cast<gssize>(name.size()), nullptr));
    }
    write_formulas({{1, "Only", 1, 0, 0}});
    ASSERT_EQ(1, func_print_all_formulas(sandbox.path("out"), "../../outside").ok);
    EXPECT_EQ(std::vector<std::string>{func_print_file_name("Formula", "../../outside")}, sandbox.list_folder("out"));
}

TEST_F(formula_printout_test, no_formulas_or_a_refused_write_are_reported_and_leave_no_file)
{
    write_formulas({});
    print_result result = func_print_all_formulas(sandbox.path("out"), "Set");
    EXPECT_EQ(std::make_pair(0, 3), std::make_pair(result.ok, result.dialog_kind));
    EXPECT_EQ(PRINT_NO_FORMULAS_TEXT, result.message);
    write_formulas({{1, "Only", 1, 0, 0}});
    sandbox.refuse_writes_under({"out"});
    result = func_print_all_formulas(sandbox.path("out"), "Set");
    EXPECT_EQ(std::make_pair(0, 3), std::make_pair(result.ok, result.dialog_kind));
    EXPECT_EQ(PRINT_FORMULAS_FAILED_TEXT, result.message);
    EXPECT_TRUE(sandbox.list_folder("out").empty());
    EXPECT_EQ("func_save_print_formula_buffer : Can't open file " + result.path + ".", syserror_lines().back());
}
