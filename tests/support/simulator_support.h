// What the tests against the controller simulator share: a step record
// to put in a formula, and the simulator started on a sandbox root.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// One steps.dat record: level 1, 20 s on / 3 s off, 840 rpm for extracts.
std::string func_test_step_bytes(int number, const std::string& name, int type, int seconds, int temperature,
                                 bool hot);

// Starts lumex6-sim on root at the console's socket path with more
// options ("--error", "7@30", "--vez"), its output dropped; the process
// id, or -1.
pid_t func_test_spawn_simulator(const std::string& root, int speed, const std::vector<std::string>& options = {});
