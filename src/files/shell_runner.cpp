#include "files/shell_runner.h"

#include <glib.h>
#include <unistd.h>

#include "files/build_switches.h"

namespace {
program_runner current_runner;
std::function<void()> current_sync;

int run_for_real(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return -1;
    std::vector<gchar*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<gchar*>(a.c_str()));
    args.push_back(nullptr);
    gint status = 0;
    GError* error = nullptr;
    gboolean ok = g_spawn_sync(nullptr, args.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                               nullptr, nullptr, &status, &error);
    if (!ok) {
        g_clear_error(&error);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

int func_run_program(const std::vector<std::string>& argv)
{
    return current_runner ? current_runner(argv) : run_for_real(argv);
}

void func_set_program_runner(program_runner runner) { current_runner = std::move(runner); }

void func_sync_after_write()
{
    if (PC_MODE)
        return;
    if (current_sync)
        current_sync();
    else
        ::sync();
}

void func_set_sync_call(std::function<void()> call) { current_sync = std::move(call); }
