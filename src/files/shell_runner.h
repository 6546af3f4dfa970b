// The one place that starts external programs. Programs are always run
// with an argument vector, never through a shell string, so no outside
// text (file names, typed values) can become a command. Tests replace
// the runner with a recorder.
#pragma once
#include <functional>
#include <string>
#include <vector>

using program_runner = std::function<int(const std::vector<std::string>& argv)>;

// Runs argv[0] (searched in PATH) with the given arguments and waits for
// it. Returns the exit status, or -1 when it could not be started.
int func_run_program(const std::vector<std::string>& argv);

// Replaces the runner; an empty function restores the real one.
void func_set_program_runner(program_runner runner);

// The "sync" after a data-file write: the sync(2) call on the machine
// variant, nothing on the desktop variant.
void func_sync_after_write();

// Replaces what func_sync_after_write calls on the machine variant.
void func_set_sync_call(std::function<void()> call);
