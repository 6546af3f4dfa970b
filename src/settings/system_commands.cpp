#include "settings/system_commands.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "files/atomic_file.h"
#include "files/build_switches.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "logs/log_file.h"

namespace {
constexpr int SLOT_CALIBRATION_KEPT = 951;
constexpr int SLOT_NOT_RESTARTED = 952;

// The touch driver's calibration: outside the console's own folders.
const char* const CALIBRATION_FILES[] = {"etc/pointercal", "usr/share/lumex/calibration.cal"};

settings_result failed(int slot) { return {false, slot}; }
}  // namespace

void func_do_powerdown()
{
    // A programming station must never switch off the PC it runs on.
    if (!PC_MODE)
        func_run_program({"poweroff"});
}

int func_reboot_machine()
{
    if (PC_MODE)
        return 0;
    const int status = func_run_program({"reboot"});
    if (status != 0) {
        func_log_system_error("func_reboot_machine", "reboot failed (status " + std::to_string(status) + ")");
        return 0;
    }
    return 1;
}

settings_result func_process_recalibration()
{
    if (PC_MODE)
        return failed(SLOT_CALIBRATION_KEPT);
    for (const char* relative : CALIBRATION_FILES) {
        const std::string path = func_system_path(relative);
        // Already gone is as good as removed.
        if (func_file_io_ops().unlink_file(path.c_str()) != 0 && errno != ENOENT) {
            func_log_system_error("func_process_recalibration", "can't remove " + path + ": " + strerror(errno));
            return failed(SLOT_CALIBRATION_KEPT);
        }
    }
    const int status = func_run_program({"sync"});
    if (status != 0) {
        func_log_system_error("func_process_recalibration", "sync failed (status " + std::to_string(status) + ")");
        return failed(SLOT_NOT_RESTARTED);
    }
    if (!func_reboot_machine())
        return failed(SLOT_NOT_RESTARTED);
    return {};
}
