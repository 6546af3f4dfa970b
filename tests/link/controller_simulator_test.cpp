// The controller simulator, started on a sandbox root and reached
// through the console's own link: it plays a formula's steps, honours
// stop, and ends cleanly on SIGTERM.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "files/paths.h"
#include "files/record_bytes.h"
#include "formulas/step_list.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "support/simulator_support.h"
#include "support/sandbox.h"

namespace {
struct run_seen {
    int step, formula_left, status, level, rotation;
};
std::vector<run_seen> records;
void run_reply(const unsigned char* p, size_t)
{
    records.push_back({func_get_int32_le(p + 4), func_get_int32_le(p + 12), p[44], func_get_int32_le(p + 32), p[36]});
}
bool run_shown(int code) { return code == REQUEST_CODE_RUN; }


class controller_simulator_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandbox_root::set_clock(2024, 3, 15);
        ASSERT_EQ(1, func_allocate_link_records());
        func_set_display_request_query(run_shown);
        func_register_ipc_reply(IPC_KIND_RUN, REQUEST_CODE_RUN, run_reply);
        records.clear();
        sandbox.write_file("formulas/f-001/steps.dat", func_test_step_bytes(1, "Step 1", STEP_TWO_WAY_WASH, 180, 100, false) +
                                                           func_test_step_bytes(2, "Step 2", STEP_STANDARD_EXTRACT, 120, 0, false));
    }
    void TearDown() override
    {
        func_reset_ipc_socket();
        if (simulator > 0) {
            kill(simulator, SIGKILL);
            waitpid(simulator, nullptr, 0);
        }
        func_set_display_request_query(nullptr);
    }
    void start_simulator()
    {
        simulator = func_test_spawn_simulator(sandbox.root(), 120);
        ASSERT_GT(simulator, 0);
        for (int wait = 0; wait < 300 && !func_ipc_link_up(); ++wait) {
            usleep(10000);
            func_restore_ipc_connection(nullptr);
        }
        ASSERT_TRUE(func_ipc_link_up());
    }
    // Runs the main loop until done() or about seconds have passed; whether done().
    template <typename Done>
    bool run_until(Done done, double seconds)
    {
        for (int turn = 0; turn < seconds * 100 && !done(); ++turn) {
            usleep(10000);
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
        }
        return done();
    }
    sandbox_root sandbox{false};
    pid_t simulator = -1;
};

TEST_F(controller_simulator_test, plays_the_formula_step_by_step_and_stops_when_told)
{
    start_simulator();
    func_set_ipc_command(REQUEST_CODE_RUN, 1, 0, 0, 0);
    ASSERT_TRUE(func_ipc_send_selected_formula(1));
    ASSERT_TRUE(run_until([] { return !records.empty() && records.back().step == 2; }, 10))
        << "the wash ends and the extract follows";
    std::set<int> statuses, rotations;
    int highest_level = 0;
    for (const run_seen& seen : records) {
        statuses.insert(seen.status);
        rotations.insert(seen.rotation);
        highest_level = std::max(highest_level, seen.level);
    }
    EXPECT_TRUE(statuses.count(4)) << "heating to 100 F";
    EXPECT_GE(highest_level, 800) << "filled to level 1";
    EXPECT_TRUE(rotations.count(1) && rotations.count(2)) << "a two-way wash turns both ways";
    EXPECT_LT(records.back().formula_left, records.front().formula_left);

    func_ipc_send_manual_stop(GINT_TO_POINTER(20), nullptr);
    EXPECT_TRUE(run_until([] { return records.back().status == 13; }, 3)) << "idle after the stop";

    ASSERT_EQ(0, kill(simulator, SIGTERM));
    int status = -1;
    ASSERT_EQ(simulator, waitpid(simulator, &status, 0));
    simulator = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat info;
    EXPECT_NE(0, lstat(func_ipc_socket_path().c_str(), &info)) << "the socket is removed";
    EXPECT_TRUE(run_until([] { return !func_ipc_link_up(); }, 2));
}
}  // namespace
