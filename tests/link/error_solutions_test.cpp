// The solutions file as the console reads it: limits of a record, broken
// and hostile files read safely, translated files, a missing file, the
// file shipped with the console; and the machine message that carries
// an error's code.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/paths.h"
#include "link/error_solutions.h"
#include "link/ipc_frame.h"
#include "link/machine_message.h"
#include "support/core_data_fixture.h"

namespace {

class error_solutions_test : public core_data_test {
protected:
    void write(int language, const std::string& content)
    {
        sandbox.write_file("data/L" + std::to_string(language) + "_errors_solutions.dat", content);
    }
};

std::string repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST_F(error_solutions_test, records_keep_their_limits_and_pictures_stay_in_the_image_folder)
{
    std::string file = "7~" + repeated("é", 40) + "~6\n";
    for (int s = 0; s < 6; ++s)
        file += "Fix " + std::to_string(s) + "~Do " + std::to_string(s) + "~" + (s == 0 ? "6" : "0") + "\n" +
                (s == 0 ? "a.png\nb.png\nc.png\nd.png\ne.png\nf.png\n" : "");
    file += "8~" + repeated("n", 60) + "~1\n" + repeated("t", 60) + "~" + repeated("ü", 200) + "~0\n[end]\n9~After~0\n";
    write(0, file);
    ASSERT_TRUE(func_load_errors_solutions_from_file(0));

    const error_record seven = func_get_error_from_liststore(7);
    ASSERT_TRUE(seven.found);
    EXPECT_EQ(repeated("é", 25), seven.name) << "51 bytes, cut before a split character";
    ASSERT_EQ(5u, seven.solutions.size()) << "the sixth remedy is dropped";
    for (size_t s = 0; s < seven.solutions.size(); ++s)
        EXPECT_EQ("Fix " + std::to_string(s), seven.solutions[s].title);
    ASSERT_EQ(5u, seven.solutions[0].pictures.size());
    EXPECT_EQ(func_image_dir() + "e.png", seven.solutions[0].pictures[4]);
    const error_record eight = func_get_error_from_liststore(8);
    EXPECT_EQ(51u, eight.name.size());
    EXPECT_EQ(49u, eight.solutions[0].title.size());
    EXPECT_EQ(repeated("ü", 128), eight.solutions[0].text);
    EXPECT_FALSE(func_get_error_from_liststore(9).found) << "read stops at [END] in any case";
    EXPECT_EQ(2u, syserror_lines().size()) << "the sixth remedy and the sixth picture";
}

TEST_F(error_solutions_test, broken_files_are_read_safely_and_every_fault_is_logged)
{
    write(0, "1~Door~1\n" + repeated("x", 5000) + "~" + "text~0\n"  // a line past 1000 bytes
             "not an error line\n"                                  // fields missing
             "2~Fill\n"                                             // count missing
             "3~Drain~-2\n"                                         // negative count
             "4~Heat~99999999999999999999\n"                        // huge count
             "5~Pictures~1\nT~X~4\n../../etc/passwd\n/etc/shadow\n.hidden.png\nok.png\n"
             "6~Promised~3\nOnly one~but says three~2\none.png\n");  // counts past the end, no [END]
    ASSERT_TRUE(func_load_errors_solutions_from_file(0));

    const error_record door = func_get_error_from_liststore(1);
    ASSERT_EQ(1u, door.solutions.size());
    EXPECT_EQ(49u, door.solutions[0].title.size());
    EXPECT_TRUE(door.solutions[0].text.empty()) << "what follows byte 1000 is dropped";
    for (int code : {2, 3, 4})
        EXPECT_FALSE(func_get_error_from_liststore(code).found) << code;
    EXPECT_EQ((std::vector<std::string>{func_image_dir() + "ok.png"}), func_get_error_from_liststore(5).solutions[0].pictures);
    const error_record promised = func_get_error_from_liststore(6);
    ASSERT_EQ(1u, promised.solutions.size());
    EXPECT_EQ(1u, promised.solutions[0].pictures.size());
    EXPECT_EQ((std::vector<int>{1, 5, 6}), func_listed_error_codes());
    // The long line (and the count it lost), 4 bad error lines, 3 refused
    // names, 2 counts past the end.
    EXPECT_EQ(11u, syserror_lines().size());
}

TEST_F(error_solutions_test, translated_files_skip_the_english_line_and_a_missing_file_empties_the_table)
{
    write(3, "7~Out of Balance~1\n7~Unwucht~1\nSpread~Spread it~1\nVerteilen~Gleichmäßig verteilen~1\n"
             "x.png\nremedy_balance.png\n[END]\n[END]\n8~After the end~0\n");
    ASSERT_TRUE(func_load_errors_solutions_from_file(3));
    const error_record seven = func_get_error_from_liststore(7);
    EXPECT_EQ("Unwucht", seven.name);
    ASSERT_EQ(1u, seven.solutions.size());
    EXPECT_EQ((std::vector<std::string>{func_image_dir() + "remedy_balance.png"}), seven.solutions[0].pictures);
    EXPECT_FALSE(func_get_error_from_liststore(8).found);

    write(3, "7~Out of Balance~0\n7~Unwucht~0\n8~Drain~0\n");  // odd: the last line has no partner
    ASSERT_TRUE(func_load_errors_solutions_from_file(3));
    EXPECT_EQ((std::vector<int>{7}), func_listed_error_codes());
    EXPECT_TRUE(syserror_lines().empty());

    write(0, "7~Out of Balance~0\n");
    ASSERT_TRUE(func_load_errors_solutions_from_file(0));
    EXPECT_FALSE(func_load_errors_solutions_from_file(4));
    EXPECT_TRUE(func_listed_error_codes().empty());
    EXPECT_EQ((std::vector<std::string>{"func_load_errors_solutions_from_file : Can't open file " +
                                        func_errors_solutions_path(4) + "."}),
              syserror_lines());
}

TEST_F(error_solutions_test, the_shipped_file_has_remedies_for_every_error_and_the_message_carries_the_code)
{
    func_set_resource_root(std::string(LUMEX_STAGE_DIR) + "/");
    ASSERT_TRUE(func_load_errors_solutions_from_file(0));
    func_set_resource_root(sandbox.root());
    for (int code = 1; code <= 38; ++code) {
        const error_record error = func_get_error_from_liststore(code);
        ASSERT_TRUE(error.found) << machine_error_table[code];
        EXPECT_EQ(machine_error_table[code], error.name);
        EXPECT_GE(error.solutions.size(), 1u) << error.name;
        EXPECT_LE(error.solutions.size(), 3u) << error.name;
        for (const error_solution& solution : error.solutions) {
            EXPECT_FALSE(solution.text.empty()) << solution.title;
            ASSERT_EQ(1u, solution.pictures.size()) << solution.title;
            const std::string name = solution.pictures[0].substr(func_image_dir().size());
            EXPECT_TRUE(std::filesystem::is_regular_file(std::string(LUMEX_STAGE_DIR) + "/image/" + name)) << name;
        }
    }
    EXPECT_EQ(38u, func_listed_error_codes().size());
    EXPECT_TRUE(syserror_lines().empty());

    machine_message_record sent;
    sent.dialog_kind = 4;
    sent.text = repeated("ß", 200);
    sent.error_code = 300;
    const std::vector<unsigned char> payload = func_encode_machine_message(sent);
    EXPECT_LE(payload.size(), IPC_MESSAGE_MAX);
    machine_message_record got;
    ASSERT_TRUE(func_decode_machine_message(payload.data(), payload.size(), got));
    EXPECT_EQ(4, got.dialog_kind);
    EXPECT_EQ(300, got.error_code);
    EXPECT_EQ(repeated("ß", 126), got.text) << "cut to fit, whole characters";

    const unsigned char older[] = {1, 'D', 'o', 'o', 'r'};
    ASSERT_TRUE(func_decode_machine_message(older, sizeof older, got));
    EXPECT_EQ("Door", got.text);
    EXPECT_EQ(-1, got.error_code);
    const unsigned char odd_tail[] = {4, 'E', 0, 7, 0, 9};
    ASSERT_TRUE(func_decode_machine_message(odd_tail, sizeof odd_tail, got));
    EXPECT_EQ(-1, got.error_code) << "only exactly two bytes after the NUL are a code";
    const unsigned char bad_text[] = {4, 0xff, 'x'};
    ASSERT_TRUE(func_decode_machine_message(bad_text, sizeof bad_text, got));
    EXPECT_TRUE(g_utf8_validate(got.text.c_str(), -1, nullptr));
    EXPECT_FALSE(func_decode_machine_message(bad_text, 1, got));
}

}  // namespace
