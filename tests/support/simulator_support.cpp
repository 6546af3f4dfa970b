#include "support/simulator_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <vector>

#include "files/paths.h"
#include "formulas/step_list.h"

extern char** environ;

std::string func_test_step_bytes(int number, const std::string& name, int type, int seconds, int temperature,
                                 bool hot)
{
    step_record step;
    step.number = number;
    step.name = name;
    step.items[STEP_TYPE] = type;
    step.items[STEP_TIME] = seconds;
    step.items[STEP_TEMPERATURE] = temperature;
    step.items[STEP_LEVEL] = 1;
    step.items[STEP_HOT] = hot ? 1 : 0;
    step.items[STEP_ON_TIME] = 20;
    step.items[STEP_OFF_TIME] = 3;
    step.items[STEP_RPM] = type == STEP_STANDARD_EXTRACT ? 840 : 39;
    unsigned char bytes[STEP_RECORD_SIZE];
    func_encode_step_record(step, bytes);
    return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

pid_t func_test_spawn_simulator(const std::string& root, int speed, const std::vector<std::string>& options)
{
    const std::string program = std::string(LUMEX_STAGE_DIR) + "/../lumex6-sim";
    std::vector<std::string> arguments = {program, "--root", root, "--socket", func_ipc_socket_path(),
                                          "--speed", std::to_string(speed)};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t simulator = -1;
    if (posix_spawn(&simulator, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        simulator = -1;
    posix_spawn_file_actions_destroy(&actions);
    return simulator;
}
