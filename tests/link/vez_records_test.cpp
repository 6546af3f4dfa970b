// The loading cycle's data without a display: the states file (good,
// translated and broken), the controller's state and recovery records,
// and the batch-data record and its file.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "files/atomic_file.h"
#include "language/language.h"
#include "link/vez_records.h"
#include "support/core_data_fixture.h"

namespace {
class vez_records_test : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        sandbox.write_file("data/.keep", "");  // the installed data folder
        saved_state_word_ = p[SLOT_VEZ_STATE];
        p[SLOT_VEZ_STATE] = "State";
    }
    void TearDown() override
    {
        p[SLOT_VEZ_STATE] = saved_state_word_;
        vez_states_table.clear();
        func_reset_file_io_ops();
        core_data_test::TearDown();
    }
    static std::vector<vez_state_entry> parse(const std::string& text, bool translated = false)
    {
        return func_parse_vez_states(text, translated);
    }

private:
    std::string saved_state_word_;
};

TEST_F(vez_records_test, states_files_give_each_state_its_text_and_help_and_broken_files_and_records_are_read_safely)
{
    sandbox.write_file("data/L0_vez_states.dat", "0~Idle~1\nWaiting.~\n1~Batch~2\nType the data~\n then Start.~\n"
                                                 "2~Moving~1\nStand clear.~\n3~Weighing~0\n[end]\n9~After the end~0\n");
    ASSERT_TRUE(func_load_vez_states_from_file(0));
    ASSERT_EQ(4u, vez_states_table.size()) << "nothing after [END], whatever its case";
    EXPECT_EQ("01 : Batch", vez_states_table[1].display_text);
    EXPECT_EQ("State 01 : \nType the data then Start.", vez_states_table[1].help_text);

    EXPECT_FALSE(vez_states_table[3].has_help) << "no help lines, no help child";
    EXPECT_EQ(-1, func_get_vez_state_from_liststore(9).number);

    // A missing file leaves an empty table and says so.
    EXPECT_FALSE(func_load_vez_states_from_file(4));
    EXPECT_TRUE(vez_states_table.empty()) << "the table of another language is not kept";
    ASSERT_EQ(1u, syserror_lines().size());
    EXPECT_NE(std::string::npos, syserror_lines()[0].find("func_load_vez_states_from_file : Can't open file"));

    sandbox.write_file("data/L2_vez_states.dat", "0~Idle~1\n0~Ruhe~1\nWaiting.\nWarten.\n1~Batch~0\n1~Daten~0\n"
                                                 "[END]\n[END]\n");
    ASSERT_TRUE(func_load_vez_states_from_file(2));
    ASSERT_EQ(2u, vez_states_table.size());
    EXPECT_EQ("00 : Ruhe", vez_states_table[0].display_text);
    EXPECT_EQ("State 00 : \nWarten.", vez_states_table[0].help_text);
    EXPECT_EQ("01 : Daten", vez_states_table[1].display_text);

    // An odd line count: the last English line has no line of its own.
    const auto odd = parse("0~Idle~0\n0~Ruhe~0\n1~Batch~0\n", true);
    ASSERT_EQ(1u, odd.size());
    EXPECT_EQ("00 : Ruhe", odd[0].display_text);

    // Shipped states file lists every state in order.
    const auto shipped = parse(func_read_whole_file(std::string(LUMEX_STAGE_DIR) + "/data/L0_vez_states.dat"));
    ASSERT_GE(shipped.size(), 10u);
    for (size_t index = 0; index < shipped.size(); ++index) {
        EXPECT_EQ(static_cast<int>(index), shipped[index].number) << "found by number, without gaps";
        EXPECT_GT(shipped[index].display_text.size(), 8u);
    }

    // A line over the limit is cut; the next line is still the next line.
    const std::string long_text(3 * VEZ_STATE_LINE_MAX, 'x');
    auto states = parse("0~" + long_text + "~0\n1~Next~0\n");
    ASSERT_EQ(2u, states.size());
    EXPECT_LE(states[0].display_text.size(), VEZ_STATE_TEXT_MAX);
    EXPECT_EQ("01 : Next", states[1].display_text);

    // Fields missing: no text, no help.
    states = parse("4\n5~Only text\n");
    ASSERT_EQ(2u, states.size());
    EXPECT_EQ("04 : ", states[0].display_text);
    EXPECT_FALSE(states[1].has_help);

    // Counts beyond the lines that follow stop at [END] or the end.
    states = parse("0~Idle~50\nhelp~\n[END]\n7~Lost~0\n");
    ASSERT_EQ(1u, states.size());
    EXPECT_EQ("State 00 : \nhelp", states[0].help_text);
    states = parse("0~Idle~2147483647\nhelp one~\nhelp two~");
    ASSERT_EQ(1u, states.size()) << "no [END]: the end of the file ends the table";
    EXPECT_EQ("State 00 : \nhelp onehelp two", states[0].help_text);

    // Negative, huge or garbage counts mean no help lines.
    states = parse("0~A~-3\n1~B~99999999999999\n2~C~lots\n");
    ASSERT_EQ(3u, states.size());
    for (const vez_state_entry& state : states)
        EXPECT_FALSE(state.has_help) << state.display_text;

    // A state line without a number is dropped with its help lines.
    states = parse("x~Garbage~1\nits help~\n3~Good~0\n");
    ASSERT_EQ(1u, states.size());
    EXPECT_EQ(3, states[0].number);

    // Help is bounded however many lines the count takes in.
    std::string many = "0~Long~400\n";
    for (int line = 0; line < 400; ++line)
        many += std::string(20, 'h') + "~\n";
    states = parse(many);
    ASSERT_EQ(1u, states.size());
    EXPECT_LE(states[0].help_text.size(), VEZ_STATE_HELP_MAX);

    // Bytes that are no UTF-8 do not reach a label as they are.
    states = parse("0~Bad \xff\xfe text~0\n");
    ASSERT_EQ(1u, states.size());
    EXPECT_EQ("00 : Bad ?? text", states[0].display_text);
    EXPECT_TRUE(parse("").empty());

    // State and recovery records from the controller.
    unsigned char bytes[8] = {5, 2, 9, 0, 0x2C, 0x01, 0, 0};
    vez_state_reply reply;
    ASSERT_TRUE(func_decode_vez_state(bytes, sizeof bytes, reply));
    EXPECT_EQ((std::vector<int>{5, VEZ_WANTS_BATCH_DATA, 9, 300}),
              (std::vector<int>{reply.state, reply.wanted, reply.load, reply.formula}));
    bytes[1] = 77;
    ASSERT_TRUE(func_decode_vez_state(bytes, sizeof bytes, reply));
    EXPECT_EQ(VEZ_WANTS_STATE, reply.wanted) << "an unknown screen is the state screen";
    EXPECT_FALSE(func_decode_vez_state(bytes, 7, reply));
    EXPECT_FALSE(func_decode_vez_state(nullptr, 8, reply));

    const unsigned char all_met[3] = {1, 1, 1}, door_open[3] = {1, 0, 0}, chute[3] = {1, 1, 2};
    EXPECT_EQ(0, func_vez_recovery_warning(all_met));
    EXPECT_EQ(2, func_vez_recovery_warning(door_open)) << "the first condition not met";
    EXPECT_EQ(3, func_vez_recovery_warning(chute)) << "only 1 means met";
}

TEST_F(vez_records_test, batch_data_record_with_and_without_a_load_and_one_that_cannot_be_written_leaves_the_old_file)
{
    vez_batch_data data;
    data.have_load = true;
    data.loading = false;
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        data.fields[field] = 100 * (field + 1) + field;
    data.fields[7] = INT32_MAX;
    ASSERT_TRUE(func_save_vez_batch_data_to_file(data));
    const std::string bytes = sandbox.read_file("data/vez_batch_data.dat");
    std::string expected(VEZ_BATCH_RECORD_SIZE, '\0');
    expected[0] = 1;
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        put_u32_by_hand(expected, 4 + 4 * static_cast<size_t>(field), static_cast<uint32_t>(data.fields[field]));
    EXPECT_EQ(expected, bytes);

    data.have_load = false;
    data.loading = true;
    ASSERT_TRUE(func_save_vez_batch_data_to_file(data));
    EXPECT_EQ(std::string("\x00\x01", 2) + std::string(34, '\0'), sandbox.read_file("data/vez_batch_data.dat"))
        << "no load: zeros from offset 4";

    EXPECT_EQ(0, func_vez_batch_number("abc"));
    EXPECT_EQ(0, func_vez_batch_number("-5"));
    EXPECT_EQ(INT32_MAX, func_vez_batch_number("99999999999999999999"));

    const std::string before = sandbox.read_file("data/vez_batch_data.dat");
    sandbox.refuse_writes_under({"data/"});
    data.have_load = true;
    data.fields[0] = 42;
    EXPECT_FALSE(func_save_vez_batch_data_to_file(data));
    EXPECT_EQ(before, sandbox.read_file("data/vez_batch_data.dat"));
    ASSERT_FALSE(syserror_lines().empty());
    EXPECT_NE(std::string::npos, syserror_lines().back().find("func_save_vez_batch_data_to_file :can't create/open file"));
}
}  // namespace
