// Fixture for tests of the data core: an empty sandbox, a fixed clock
// (March 2024, so syserror.log is log/03-2024-syserror.log), fresh list
// stores and page records, and helpers that read what landed on disk.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "configuration/configuration_record.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "files/atomic_file.h"
#include "frame/app_state.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"
#include "support/sandbox.h"

// Texts of the 292-byte records of a log file (text at 36, NUL-ended).
inline std::vector<std::string> read_log_texts(const std::string& bytes)
{
    std::vector<std::string> texts;
    for (size_t at = 0; at + LOG_RECORD_SIZE <= bytes.size(); at += LOG_RECORD_SIZE) {
        std::string field = bytes.substr(at + LOG_TEXT_OFFSET, LOG_TEXT_SIZE);
        texts.push_back(field.substr(0, field.find('\0')));
    }
    return texts;
}

// Little-endian 32-bit value written by hand into a byte buffer.
inline void put_u32_by_hand(std::string& bytes, size_t at, uint32_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    bytes[at + 2] = static_cast<char>((value >> 16) & 0xFF);
    bytes[at + 3] = static_cast<char>((value >> 24) & 0xFF);
}

class core_data_test : public ::testing::Test {
protected:
    static constexpr const char* SYSERROR_FILE = "log/03-2024-syserror.log";
    static constexpr const char* MACHINE_NAME = "Washer 1";

    void SetUp() override
    {
        sandbox_root::set_clock(2024, 3, 15);
        func_create_configuration_store();
        func_create_formula_list_store();
        func_create_step_list_store();
        func_allocate_shared_records();
        func_reset_option_tables();
        saved_name_ = p[395];
        p[395] = MACHINE_NAME;
        gtk_list_store_clear(configure_list_store);
        gtk_list_store_clear(formula_list_store);
        func_refresh_current_configuration();  // the defaults
        options_display->screen_code = -1;
        TIDAL_LOOP = 0;
    }

    void TearDown() override { p[395] = saved_name_; }

    std::vector<std::string> syserror_lines() const
    {
        return read_log_texts(sandbox.read_file(SYSERROR_FILE));
    }

    // Names in folder (relative to the root) left by an interrupted or
    // failed atomic write.
    std::vector<std::string> temporary_files(const std::string& folder) const
    {
        std::vector<std::string> found;
        for (const std::string& name : sandbox.list_folder(folder))
            if (name.rfind(TEMPORARY_FILE_PREFIX, 0) == 0)
                found.push_back(name);
        return found;
    }

    void show_screen(int code) { options_display->screen_code = code; }

    sandbox_root sandbox{false};

private:
    std::string saved_name_;
};
