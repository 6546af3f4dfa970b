// Display requests: what each tick leaves in the command record while its
// screen is shown and after it is left.
#include <gtest/gtest.h>

#include <vector>

#include "link/ipc_link.h"
#include "support/core_data_fixture.h"
#include "support/sandbox.h"

namespace {
// The request of the screen shown, as the frame would answer.
int shown_request = -1;
bool wanted(int request_code)
{
    // The input/output screen asks with one of three codes by its mode.
    if (shown_request == REQUEST_CODE_INPUTS)
        return request_code >= REQUEST_CODE_INPUTS && request_code <= REQUEST_CODE_ANALOGS;
    return request_code == shown_request;
}

std::vector<int> command() { return std::vector<int>(ipc_cmd, ipc_cmd + IPC_CMD_SIZE); }

class ipc_link_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandbox_root::set_clock(2024, 3, 15);
        ASSERT_EQ(1, func_allocate_link_records());
        func_set_display_request_query(wanted);
        shown_request = -1;
        *trigger = trigger_record();
        input_output_mode = 0;
        inputs_dirty_needs_refresh = 0;
    }
    void TearDown() override { func_set_display_request_query(nullptr); }
    sandbox_root sandbox{false};
};

TEST_F(ipc_link_test, home_request_is_on_while_home_is_shown_ends_off_and_waits_when_told)
{
    shown_request = REQUEST_CODE_FORMULA_SELECTION;
    EXPECT_TRUE(func_update_formula_selection_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 5, 1, 0, 0, 0}), command());

    trigger->manual_function = 3;
    shown_request = REQUEST_CODE_FORMULAS;
    EXPECT_FALSE(func_update_formula_selection_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 5, 0, 0, 0, 0}), command());
    EXPECT_EQ(0, trigger->manual_function);

    // The wait flag holds requests that honour it.
    shown_request = REQUEST_CODE_FORMULA_SELECTION;
    func_set_ipc_command(9, 9, 9, 9, 9);
    trigger->wait_flag = 1;
    EXPECT_TRUE(func_update_formula_selection_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 9, 9, 9, 9, 9}), command());
    // The formulas screen's request does not wait.
    shown_request = REQUEST_CODE_FORMULAS;
    EXPECT_TRUE(func_update_formula_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 8, 1, 0, 0, 0}), command());
}

TEST_F(ipc_link_test, switching_from_inputs_to_outputs_turns_the_input_request_off)
{
    shown_request = REQUEST_CODE_INPUTS;
    EXPECT_TRUE(func_request_input_display(nullptr));
    input_output_mode = 1;
    EXPECT_FALSE(func_request_input_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 2, 0, 0, 0, 0}), command());
    EXPECT_EQ(1, inputs_dirty_needs_refresh);
    EXPECT_TRUE(func_request_output_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 3, 1, 0, 0, 1}), command());
    EXPECT_EQ((std::vector<int>{'~', 3, 1, 0, 0, 1, 0xFF}),
              std::vector<int>(ipc_data_buffer, ipc_data_buffer + 7));
}

TEST_F(ipc_link_test, the_run_request_carries_the_manual_function_and_without_a_command_record_logs_and_stops)
{
    shown_request = REQUEST_CODE_RUN;
    trigger->manual_function = 4;
    EXPECT_TRUE(func_request_run_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 1, 1, 0, 4, 0}), command());
    // While the controller is still busy with it, one tick is skipped.
    trigger->wait_flag = 1;
    func_set_ipc_command(0, 0, 0, 0, 0);
    EXPECT_TRUE(func_request_run_display(nullptr));
    EXPECT_EQ(0, trigger->wait_flag);
    EXPECT_EQ(0, ipc_cmd[1]);
    shown_request = REQUEST_CODE_FORMULA_SELECTION;
    EXPECT_FALSE(func_request_run_display(nullptr));
    EXPECT_EQ((std::vector<int>{'~', 1, 0, 0, 0, 0}), command());
    EXPECT_EQ(0, trigger->manual_function);

    unsigned char* saved = ipc_cmd;
    ipc_cmd = nullptr;
    shown_request = REQUEST_CODE_FORMULA_SELECTION;
    EXPECT_FALSE(func_update_formula_selection_display(nullptr));
    EXPECT_FALSE(func_update_vez_recovery_display(nullptr));
    ipc_cmd = saved;
    EXPECT_EQ((std::vector<std::string>{"func_update_formula_selection_display : can't create ipc cmd struture",
                                        "func_update_vez_recovery : can't create ipc cmd struture"}),
              read_log_texts(sandbox.read_file("log/03-2024-syserror.log")));
}

}  // namespace
