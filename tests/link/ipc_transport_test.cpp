// The link over a real socket in the sandbox: connecting when the
// controller appears, sends as frames, replies handed to the screen that
// owns them, and a controller that misbehaves or goes away.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/paths.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "support/core_data_fixture.h"
#include "support/fake_controller.h"
#include "support/sandbox.h"

namespace {
int shown_request = -1;
bool wanted(int code) { return code == shown_request; }

std::vector<std::vector<unsigned char>> run_replies;
void run_reply(const unsigned char* payload, size_t size) { run_replies.emplace_back(payload, payload + size); }
std::vector<bool> link_changes;
void link_changed(bool up) { link_changes.push_back(up); }

class ipc_transport_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandbox_root::set_clock(2024, 3, 15);
        ASSERT_EQ(1, func_allocate_link_records());
        func_set_display_request_query(wanted);
        func_register_ipc_reply(IPC_KIND_RUN, REQUEST_CODE_RUN, run_reply);
        func_add_ipc_link_listener(link_changed);
        run_replies.clear();
        link_changes.clear();
        shown_request = REQUEST_CODE_RUN;
        path = func_ipc_socket_path();
        std::filesystem::create_directories(sandbox.system_root() + "run/lumex6");
    }
    void TearDown() override
    {
        func_reset_ipc_socket();
        controller.reset();
        func_set_display_request_query(nullptr);
    }
    void listen_as_controller()
    {
        controller = std::make_unique<fake_controller>(sandbox.system_root());
        ASSERT_TRUE(controller->listening());
    }
    void connect_console() { ASSERT_TRUE(controller->accept_console()); }
    void send_to_console(const std::vector<unsigned char>& bytes) { ASSERT_TRUE(controller->send(bytes)); }
    // Lets the main loop read what has arrived.
    void turn_main_loop(int turns = 5)
    {
        for (int i = 0; i < turns; ++i) {
            usleep(2000);
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
        }
    }
    std::vector<std::string> syserror_lines() { return read_log_texts(sandbox.read_file("log/03-2024-syserror.log")); }

    sandbox_root sandbox{false};
    std::string path;
    std::unique_ptr<fake_controller> controller;
};

std::vector<unsigned char> run_frame(unsigned char step)
{
    std::vector<unsigned char> record(IPC_RUN_RECORD_SIZE, 0);
    record[0] = 1;
    record[4] = step;
    return func_encode_ipc_frame(IPC_KIND_RUN, record.data(), record.size());
}

TEST_F(ipc_transport_test, connects_when_the_controller_appears_and_sends_frames)
{
    func_restore_ipc_connection(nullptr);
    EXPECT_FALSE(func_ipc_link_up()) << "no controller yet";
    EXPECT_TRUE(syserror_lines().empty()) << "a missing socket is the normal wait";
    listen_as_controller();
    connect_console();
    EXPECT_EQ(std::vector<bool>{true}, link_changes);

    func_set_ipc_command(REQUEST_CODE_RUN, 1, 0, 4, 0);
    EXPECT_EQ((std::vector<unsigned char>{IPC_KIND_COMMAND, 6, 0, '~', 1, 1, 0, 4, 0}), controller->receive(9));
    EXPECT_TRUE(func_ipc_send_selected_formula(300));
    EXPECT_EQ((std::vector<unsigned char>{IPC_KIND_SEND, 6, 0, '~', IPC_SEND_SELECTED_FORMULA, 0, 300 & 0xFF, 1, 0}),
              controller->receive(9));
}

TEST_F(ipc_transport_test, replies_reach_the_shown_owner_newest_first_and_bad_ones_log_once_per_fault)
{
    listen_as_controller();
    connect_console();
    // A flood of run records in one go: the newest one is shown.
    std::vector<unsigned char> flood;
    for (int step = 1; step <= 40; ++step) {
        const std::vector<unsigned char> one = run_frame(static_cast<unsigned char>(step));
        flood.insert(flood.end(), one.begin(), one.end());
    }
    send_to_console(flood);
    turn_main_loop();
    ASSERT_FALSE(run_replies.empty());
    EXPECT_LT(run_replies.size(), 40u);
    EXPECT_EQ(40, run_replies.back()[4]);

    // Garbage and wrong lengths, twice each: one line per kind of fault.
    run_replies.clear();
    for (int round = 0; round < 2; ++round) {
        send_to_console({0x00, 0x55, IPC_KIND_RUN, 2, 0, 9, 9});
        turn_main_loop();
    }
    EXPECT_TRUE(run_replies.empty());
    EXPECT_EQ(2u, syserror_lines().size());

    // Another screen is shown: the run record is dropped.
    shown_request = REQUEST_CODE_FORMULA_SELECTION;
    send_to_console(run_frame(3));
    turn_main_loop();
    EXPECT_TRUE(run_replies.empty());
    EXPECT_TRUE(func_ipc_link_up());
}

TEST_F(ipc_transport_test, a_controller_closing_mid_frame_is_one_loss_and_a_restart_reconnects)
{
    listen_as_controller();
    connect_console();
    const std::vector<unsigned char> whole = run_frame(1);
    const std::vector<unsigned char> half(whole.begin(), whole.begin() + 50);
    send_to_console(half);
    controller->hang_up();
    turn_main_loop();
    EXPECT_FALSE(func_ipc_link_up());
    EXPECT_EQ((std::vector<bool>{true, false}), link_changes);
    EXPECT_EQ(std::vector<std::string>{"func_read_from_ipc_socket : connection to ipc server lost, attempting to "
                                       "restore connection!"},
              syserror_lines());
    EXPECT_FALSE(func_ipc_send(IPC_SEND_WETDOWN, 0, 0, 0, 0)) << "a send without a link does not look done";

    connect_console();
    send_to_console(run_frame(7));
    turn_main_loop();
    ASSERT_EQ(1u, run_replies.size()) << "the half frame of the old link is forgotten";
    EXPECT_EQ(7, run_replies[0][4]);
}

TEST_F(ipc_transport_test, a_path_that_is_no_socket_or_anothers_socket_is_refused_once)
{
    if (FILE* file = fopen(path.c_str(), "w"))
        fclose(file);
    for (int tick = 0; tick < 3; ++tick)
        func_restore_ipc_connection(nullptr);
    EXPECT_FALSE(func_ipc_link_up());
    std::filesystem::remove(path);
    listen_as_controller();
    if (geteuid() == 0) {
        ASSERT_EQ(0, chown(path.c_str(), 4242, 4242));
    }
    for (int tick = 0; tick < 3; ++tick)
        func_restore_ipc_connection(nullptr);
    const std::vector<std::string> lines = syserror_lines();
    ASSERT_EQ(geteuid() == 0 ? 2u : 1u, lines.size());
    EXPECT_EQ("func_connect_to_ipc_socket : " + path + " is not a socket", lines[0]);
    if (geteuid() == 0) {
        EXPECT_EQ("func_connect_to_ipc_socket : " + path + " belongs to another user", lines[1]);
        EXPECT_FALSE(func_ipc_link_up());
    }
}
}  // namespace
