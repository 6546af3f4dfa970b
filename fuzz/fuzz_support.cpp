#include "fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/paths.h"
#include "formulas/chemicals.h"
#include "formulas/formula_list.h"
#include "formulas/post_dry.h"
#include "formulas/step_list.h"
#include "frame/app_state.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "settings/passwords.h"
#include "files/shell_runner.h"
#include "files/time_source.h"

namespace fs = std::filesystem;

const char* const FUZZ_PART_SEPARATOR = "\n--8<--\n";

namespace {
// Installation root and system root of the run, in memory when the
// system offers a memory file system: each input rewrites them.
std::string base, root, system_root;

void remove_base() { std::error_code ignored; fs::remove_all(base, ignored); }

void make_roots()
{
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/lumex-fuzz-XXXXXX");
    if (!mkdtemp(pattern.data()))
        std::abort();
    base = pattern;
    root = base + "/usr/share/lumex6/";
    system_root = base + "/system/";
    std::atexit(remove_base);
    // Programs are recorded by nobody: none is ever started.
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });
    func_set_sync_call([] {});
    func_set_time_source([] { return static_cast<time_t>(1710498600); });  // 15 March 2024
    func_reset_file_io_ops();
    // Flushing to disk only slows the run; the data is thrown away.
    func_file_io_ops().fsync_file = [](int) { return 0; };
    func_create_configuration_store();
    func_create_formula_list_store();
    func_create_step_list_store();
    func_create_chemical_stores();
    func_create_post_dry_store();
    func_allocate_shared_records();
    func_allocate_password_records();
}

void write_below(const std::string& folder, const std::string& relative, const std::string& bytes)
{
    const fs::path target = fs::path(folder) / relative;
    std::error_code ignored;
    fs::create_directories(target.parent_path(), ignored);
    std::ofstream(target, std::ios::binary) << bytes;
}
}  // namespace

void fuzz_start_input()
{
    if (base.empty())
        make_roots();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    fs::remove_all(system_root, ignored);
    for (const char* folder : {"configuration", "formulas", "data", "log", "update", "hd"})
        fs::create_directories(root + folder, ignored);
    fs::create_directories(system_root + "etc/network", ignored);
    func_set_install_root(root);
    func_set_system_root(system_root);
    for (std::string& slot : p)
        slot.clear();
    func_reset_option_tables();
    default_language = 0;
    gtk_list_store_clear(configure_list_store);
    func_refresh_current_configuration();
}

const std::string& fuzz_root() { return root; }

void fuzz_write(const std::string& relative, const std::string& bytes) { write_below(root, relative, bytes); }

void fuzz_write_system(const std::string& relative, const std::string& bytes)
{
    write_below(system_root, relative, bytes);
}

std::string fuzz_bytes(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string> fuzz_parts(const uint8_t* data, size_t size, size_t max_parts)
{
    const std::string input = fuzz_bytes(data, size);
    const std::string separator = FUZZ_PART_SEPARATOR;
    std::vector<std::string> parts;
    size_t from = 0;
    while (parts.size() + 1 < max_parts) {
        const size_t at = input.find(separator, from);
        if (at == std::string::npos)
            break;
        parts.push_back(input.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(input.substr(from));
    parts.resize(max_parts);
    return parts;
}
