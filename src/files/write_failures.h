// Data files that could not be written. The cores report each failure
// here; the frame listens and tells the operator once the action that
// failed has ended. Nothing here touches the display.
#pragma once
#include <functional>
#include <string>

using write_failure_listener = std::function<void(const std::string& path, int error_number)>;

// Called by whatever failed to create, replace, rename or remove a file
// or folder of the console's data. error_number is the errno of the
// failing call (0 when unknown).
void func_report_write_failure(const std::string& path, int error_number);

// The one listener (the frame's); an empty function removes it.
void func_set_write_failure_listener(write_failure_listener listener);
