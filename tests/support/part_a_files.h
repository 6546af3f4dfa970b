// Small helpers of the file, formula and configuration tests.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <string>

#include "support/core_data_fixture.h"

// The process's working folder ("" when it cannot be read).
inline std::string current_folder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// A rename that always fails, for the file_io_ops seam.
inline int fail_rename(const char*, const char*) { return -1; }

// A 68-byte formula record as it lies on disk, written by hand.
inline std::string formula_bytes(uint32_t number, const std::string& name, uint32_t active, uint32_t steps,
                                 uint32_t seconds)
{
    std::string bytes(68, '\0');
    put_u32_by_hand(bytes, 0, number);
    bytes.replace(4, name.size(), name);
    put_u32_by_hand(bytes, 56, active);
    put_u32_by_hand(bytes, 60, steps);
    put_u32_by_hand(bytes, 64, seconds);
    return bytes;
}
