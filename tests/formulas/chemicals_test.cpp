// The chemical, valve and post-dry files, byte for byte, and what their
// readers make of short, long and broken files.
#include <gtest/gtest.h>

#include <cstring>

#include "formulas/chemicals.h"
#include "formulas/post_dry.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

namespace {
// A 52-byte name field.
std::string name_field(const std::string& name) { return name + std::string(52 - name.size(), '\0'); }

// A 72-byte chemical record written by hand.
std::string chemical_bytes(uint32_t number, const std::string& name, uint32_t active, uint32_t when,
                           uint32_t duration, uint32_t signal)
{
    return int_bytes({number}) + name_field(name) + int_bytes({active, when, duration, signal});
}

std::string valve_bytes(uint32_t valve, const std::string& name, float rate)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &rate, 4);
    return int_bytes({valve}) + name_field(name) + int_bytes({bits});
}

std::string numbered(int number)
{
    char name[16];
    snprintf(name, sizeof name, "Chemical %02d", number);
    return name;
}

class chemicals_test : public core_data_test {
protected:
    language_texts_kept texts;  // slot 155 is set below
    void SetUp() override
    {
        core_data_test::SetUp();
        func_create_chemical_stores();
        func_create_post_dry_store();
        gtk_list_store_clear(chemical_list_store);
        gtk_list_store_clear(chemical_valves_list_store);
        gtk_list_store_clear(post_dry_list_store);
        func_remove_all_step_rows();
        p[155] = "Chemical";
        func_load_default_chemical_names_from_file(0);
    }
    // Fifteen 50-byte names; numbered ones after those given.
    static std::string names_block(const std::vector<std::string>& names)
    {
        std::string block;
        for (int i = 0; i < 15; ++i) {
            const std::string name = (size_t(i) < names.size() ? names[i] : numbered(i + 1)).substr(0, 50);
            block += name + std::string(50 - name.size(), '\0');
        }
        return block;
    }
};

TEST_F(chemicals_test, a_steps_chemicals_go_to_their_file_and_their_count_to_the_step_alone)
{
    // Formula 3, step 2 of two; step 2's time was edited but not saved.
    sandbox.write_file("formulas/formulas.dat", std::string(68, '\0'));
    step_record first{1, "Fill", {1, 120}}, second{2, "Wash", {2, 300}};
    sandbox.write_file("formulas/f-003/steps.dat",
                       encode_records(std::vector<step_record>{first, second}, STEP_RECORD_SIZE, func_encode_step_record));
    func_append_step_row(first);
    second.items[STEP_TIME] = 999;
    func_append_step_row(second);

    EXPECT_EQ(0, func_load_chemical_list_from_file(3, 2));  // no file: fifteen, all off
    std::vector<chemical_record> rows = func_get_chemical_rows();
    ASSERT_EQ(15u, rows.size());
    rows[0] = {1, "Detergent", 1, INJECT_LEVEL_OK, 90, 1};
    rows[2].active = 1;
    rows[5].active = 1;
    func_set_chemical_rows(rows);
    ASSERT_EQ(1, func_save_chemical_list_to_file(3, 2));
    std::string expected = chemical_bytes(1, "Detergent", 1, 1, 90, 1);
    for (uint32_t number = 2; number <= 15; ++number)
        expected += chemical_bytes(number, numbered(int(number)), number == 3 || number == 6, 0, 0, 0);
    EXPECT_EQ(expected, sandbox.read_file("formulas/f-003/s-002_chems.dat"));
    // Three chemicals on: the count in the file, nothing else of the step.
    second.items[STEP_TIME] = 300;
    second.items[STEP_CHEMICALS] = 3;
    EXPECT_EQ(encode_records(std::vector<step_record>{first, second}, STEP_RECORD_SIZE, func_encode_step_record),
              sandbox.read_file("formulas/f-003/steps.dat"));
    EXPECT_EQ(999, func_get_step_row(1).items[STEP_TIME]);
    // The name is the names block's now, for every step and valve.
    EXPECT_EQ(1, func_save_default_chemical_names_to_file(0));
    EXPECT_EQ(names_block({"Detergent"}), sandbox.read_file("formulas/L0_default_chemical_names.dat"));

    // A file that cannot be written leaves the old one and the count.
    rows[9].active = 1;
    func_set_chemical_rows(rows);
    sandbox.refuse_writes_under({"formulas/"});
    EXPECT_EQ(0, func_save_chemical_list_to_file(3, 2));
    func_reset_file_io_ops();
    EXPECT_EQ(expected, sandbox.read_file("formulas/f-003/s-002_chems.dat"));
    EXPECT_EQ(3, func_get_step_row(1).items[STEP_CHEMICALS]);
    EXPECT_EQ("func_save_chemical_to_file : Can't open file " + sandbox.path("formulas/f-003/s-002_chems.dat") + ".",
              syserror_lines().back());
}

TEST_F(chemicals_test, chemical_and_name_files_of_any_length_give_fifteen_chemicals)
{
    std::string file;
    for (uint32_t number = 1; number <= 17; ++number)
        file += chemical_bytes(number, "ignored", number % 2, 2, number * 10, 1);
    sandbox.write_file("formulas/f-001/s-001_chems.dat", file + "partial");
    EXPECT_EQ(1, func_load_chemical_list_from_file(1, 1));
    std::vector<chemical_record> rows = func_get_chemical_rows();
    ASSERT_EQ(15u, rows.size());
    EXPECT_EQ("Chemical 01", rows[0].name);
    EXPECT_EQ(150, rows[14].duration);
    sandbox.write_file("formulas/f-001/s-002_chems.dat", "");
    EXPECT_EQ(1, func_load_chemical_list_from_file(1, 2));
    rows = func_get_chemical_rows();
    EXPECT_EQ(std::make_pair(size_t(15), 0), std::make_pair(rows.size(), rows[3].active));

    sandbox.write_file("formulas/L2_default_chemical_names.dat", names_block({"Acid", "Alkali"}).substr(0, 700));
    EXPECT_EQ(1, func_load_default_chemical_names_from_file(2));
    EXPECT_EQ("Chemical 01", default_chemical_names[0]);  // short: numbered names
    std::string block = names_block({"Acid", std::string(50, 'X'), ""});  // no NUL in entry 2
    sandbox.write_file("formulas/L2_default_chemical_names.dat", block);
    EXPECT_EQ(1, func_load_default_chemical_names_from_file(2));
    EXPECT_EQ((std::vector<std::string>{"Acid", std::string(49, 'X'), ""}),
              std::vector<std::string>(default_chemical_names, default_chemical_names + 3));
    EXPECT_EQ(0, func_load_default_chemical_names_from_file(5));  // each language its own
    EXPECT_EQ("Chemical 02", default_chemical_names[1]);
}

TEST_F(chemicals_test, valves_are_made_at_once_and_keep_their_rate_in_single_precision)
{
    EXPECT_EQ(0, func_load_chemical_valves_list_from_file());
    std::string fifteen;
    for (uint32_t valve = 1; valve <= 15; ++valve)
        fifteen += valve_bytes(valve, numbered(int(valve)), 0.0f);
    EXPECT_EQ(fifteen, sandbox.read_file("configuration/chem_valves_flow_rate.dat"));
    std::vector<chemical_valve_record> rows = func_get_chemical_valve_rows();
    rows[2].inject_rate = 125.0f;
    rows[2].name = "Bleach";
    func_set_chemical_valve_rows(rows);
    ASSERT_EQ(1, func_save_chemical_valves_list_to_file());
    EXPECT_EQ(valve_bytes(3, "Bleach", 125.0f),
              sandbox.read_file("configuration/chem_valves_flow_rate.dat").substr(120, 60));
    EXPECT_EQ("Bleach", default_chemical_names[2]);
    // More than fifteen records: the first fifteen.
    sandbox.write_file("configuration/chem_valves_flow_rate.dat", fifteen + valve_bytes(16, "x", 1.0f));
    EXPECT_EQ(1, func_load_chemical_valves_list_from_file());
    EXPECT_EQ(15u, func_get_chemical_valve_rows().size());
}

TEST_F(chemicals_test, the_post_dry_list_is_kept_in_formula_order_and_capped)
{
    const std::string three = int_bytes({40, 7, 8}) + int_bytes({5, 1, 2}) + int_bytes({12, 3, 4});
    sandbox.write_file("configuration/postdry.dat", three + "xy");
    EXPECT_EQ(1, func_load_post_dry_list_from_file());
    EXPECT_EQ(1, func_find_formula_number_post_dry(12));
    EXPECT_FALSE(func_append_post_dry_row(12));  // one entry per formula
    EXPECT_TRUE(func_append_post_dry_row(20));
    func_update_post_dry_rows({{20, 9, 10}});
    EXPECT_TRUE(func_remove_post_dry_row(5));
    ASSERT_EQ(1, func_save_post_dry_list_to_file());
    EXPECT_EQ(int_bytes({12, 3, 4}) + int_bytes({20, 9, 10}) + int_bytes({40, 7, 8}),
              sandbox.read_file("configuration/postdry.dat"));

    std::string full;
    for (uint32_t formula = 1; formula <= 1001; ++formula)
        full += int_bytes({formula, 0, 0});
    sandbox.write_file("configuration/postdry.dat", full);
    EXPECT_EQ(1, func_load_post_dry_list_from_file());
    EXPECT_EQ(POST_DRY_LIST_MAX, func_get_post_dry_count());
    EXPECT_FALSE(func_append_post_dry_row(1002));
    EXPECT_NE(std::string::npos, syserror_lines().back().find("only the first 999 are used"));
    // Without a file the list is empty and no file is made.
    std::remove(sandbox.path("configuration/postdry.dat").c_str());
    EXPECT_EQ(0, func_load_post_dry_list_from_file());
    EXPECT_EQ(0, func_get_post_dry_count());
    EXPECT_FALSE(sandbox.exists("configuration/postdry.dat"));
}
}  // namespace
