#include "files/write_failures.h"

#include "files/change_journal.h"

namespace {
write_failure_listener listener;
}

void func_report_write_failure(const std::string& path, int error_number)
{
    if (listener)
        listener(func_live_path_of(path), error_number);
}

void func_set_write_failure_listener(write_failure_listener new_listener) { listener = std::move(new_listener); }
