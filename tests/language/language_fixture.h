// Fixture for the language tests: a sandbox holding the installed data
// (with the generated data/L0.lng), empty slots, compiled tables, an
// empty configuration store and the process locale put back afterwards.
#pragma once
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "configuration/configuration_record.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "support/sandbox.h"

inline void clear_language_slots()
{
    for (std::string& slot : p)
        slot.clear();
}

class language_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* locale = std::setlocale(LC_ALL, nullptr);
        saved_locale_ = locale ? locale : "C";
        sandbox_root::set_clock(2024, 3, 15);
        func_create_configuration_store();
        gtk_list_store_clear(configure_list_store);
        func_refresh_current_configuration();
        clear_language_slots();
        func_reset_option_tables();
        default_language = 0;
    }

    void TearDown() override
    {
        clear_language_slots();
        func_reset_option_tables();
        default_language = 0;
        gtk_list_store_clear(configure_list_store);
        func_refresh_current_configuration();
        std::setlocale(LC_ALL, saved_locale_.c_str());
    }

    // Writes data/<name>.lng in the sandbox and loads it.
    void load_language(const std::string& name, const std::string& content)
    {
        sandbox.write_file("data/" + name + ".lng", content);
        func_init_language(name.c_str());
    }

    sandbox_root sandbox;

private:
    std::string saved_locale_;
};
