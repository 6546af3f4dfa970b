#include "configuration/vez_configuration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/record_file.h"
#include "files/version_files.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

vez_configuration current_vez_configuration = {};

namespace {
const char* const DEFAULT_VEZ_FILE = "configuration.vez";
const char* const VEZ_PATTERN = ".vez";
const char* const VERSION_FILE = "ztqbgui.ver";
// Consoles from this range on write the 76-byte layout.
const char* const FIRST_CURRENT_LAYOUT_VERSION = "5.0.028";
const char* const LAST_CURRENT_LAYOUT_VERSION = "5.9.999";
constexpr int VEZ_TABLE_SIZE = static_cast<int>(std::size(vez_lookup_table));
const record_format VEZ_FORMAT = {VEZ_RECORD_SIZE, 1, "vez configurations"};

enum class file_state { missing, unreadable, read };

std::string vez_file_path()
{
    const std::string name = func_get_vez_configuration_filename();
    return func_configuration_dir() + (name.empty() ? DEFAULT_VEZ_FILE : name);
}

// At most limit bytes of the file: enough to tell the two layouts from
// anything else without reading a file of any length whole.
file_state read_head(const std::string& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return errno == ENOENT ? file_state::missing : file_state::unreadable;
    std::vector<char> buffer(limit);
    size_t got = 0;
    bool ok = true;
    while (got < limit) {
        ssize_t n = ::read(fd, buffer.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;  // a folder under the default name, an I/O error
            break;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok)
        return file_state::unreadable;
    bytes.assign(buffer.data(), got);
    return file_state::read;
}

int save_to(const std::string& path, const vez_configuration& record)
{
    const std::vector<vez_configuration> records{record};
    if (!func_write_records(path, VEZ_FORMAT, records, func_encode_vez_configuration)) {
        func_write_log(LOG_SYSERROR,
                       "func_save_vez_configuration_to_file :can't create/open file " + path + " not found.", 0);
        return 0;
    }
    current_vez_configuration = record;
    return 1;
}

void log_unreadable(const std::string& path)
{
    func_write_log(LOG_SYSERROR,
                   "func_load_vez_cfg_from_file : Can't read vez configuration record from file " + path + " . \n", 0);
}

// A missing file is made, so the operator's first save has a file to
// replace and nothing that was there is lost.
void write_zero_record(const std::string& path)
{
    const vez_configuration zeros = {};
    current_vez_configuration = zeros;
    save_to(path, zeros);
}

// bytes holds the older layout; written back as the current one.
int convert_older_record(const std::string& path, const std::string& bytes, vez_configuration& record)
{
    func_decode_vez_configuration(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), record);
    if (!save_to(path, record))
        return 0;
    func_log_system_error("func_convert_vez_configuration_50027_to_50028",
                          "converted " + path + " from the 44-byte to the 76-byte vez configuration record.");
    return 1;
}

// Clamped rather than wrapped: a value from the file or a caller never
// becomes undefined behaviour or an unrelated number.
int clamp_to_int(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}
}  // namespace

void func_encode_vez_configuration(const vez_configuration& record, unsigned char* bytes)
{
    for (int i = 0; i < VEZ_ITEM_COUNT; ++i)
        func_put_int32_le(bytes + 4 * i, record.items[i]);
}

void func_decode_vez_configuration(const unsigned char* bytes, size_t size, vez_configuration& record)
{
    record = vez_configuration{};
    if (!bytes)
        return;
    const size_t whole = std::min(size / 4, static_cast<size_t>(VEZ_ITEM_COUNT));
    for (size_t i = 0; i < whole; ++i)
        record.items[i] = func_get_int32_le(bytes + 4 * i);
}

std::string func_get_vez_configuration_filename()
{
    const std::string folder = func_configuration_dir();
    func_create_directory(folder);
    return func_find_first_entry_containing(folder, VEZ_PATTERN, false);
}

int func_load_vez_configuration_from_file()
{
    const std::string path = vez_file_path();
    std::string bytes;
    const file_state state = read_head(path, VEZ_RECORD_SIZE + 1, bytes);
    if (state == file_state::missing) {
        write_zero_record(path);
        return 0;
    }
    if (state == file_state::read && bytes.size() == VEZ_RECORD_SIZE) {
        func_decode_vez_configuration(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                      current_vez_configuration);
        return 1;
    }
    if (state == file_state::read && bytes.size() == VEZ_OLD_RECORD_SIZE) {
        // The items are read even when the file cannot be rewritten (that
        // failure is logged); the next load tries the conversion again.
        vez_configuration record;
        convert_older_record(path, bytes, record);
        current_vez_configuration = record;
        return 1;
    }
    // Not a record of either layout: the file stays for whoever can mend
    // it, and only an operator's save replaces it.
    log_unreadable(path);
    current_vez_configuration = vez_configuration{};
    return 0;
}

int func_save_vez_configuration(const vez_configuration& record) { return save_to(vez_file_path(), record); }

int func_convert_vez_configuration_required()
{
    std::unique_ptr<software_version> version(func_get_software_version(func_install_path(VERSION_FILE), 0));
    if (!version)
        return 0;
    return func_version_compatible(version->version, FIRST_CURRENT_LAYOUT_VERSION, LAST_CURRENT_LAYOUT_VERSION) ? 0
                                                                                                               : 1;
}

int func_convert_vez_configuration_50027_to_50028()
{
    const std::string path = vez_file_path();
    std::string bytes;
    const file_state state = read_head(path, VEZ_RECORD_SIZE + 1, bytes);
    if (state == file_state::missing) {
        write_zero_record(path);
        return 0;
    }
    if (state == file_state::read && bytes.size() == VEZ_OLD_RECORD_SIZE) {
        vez_configuration record;
        return convert_older_record(path, bytes, record);
    }
    // A current record needs nothing; anything else cannot be converted.
    if (state != file_state::read || bytes.size() != VEZ_RECORD_SIZE)
        log_unreadable(path);
    return 0;
}

int func_get_vez_item_row(int item)
{
    switch (item) {
    case 1:
        return 1;
    case 2:
    case 8:
    case 11:
    case 12:
    case 13:
        return 2;
    default:
        return -1;
    }
}

std::string func_lookup_vez_cfg_name(double value, int item)
{
    const int number = clamp_to_int(value);
    const int row = func_get_vez_item_row(item);
    if (row >= 0 && !std::isnan(value)) {
        const std::string& text = func_option_text(vez_lookup_table, VEZ_TABLE_SIZE, VEZ_LOOKUP_WIDTH, row, number);
        if (!text.empty())
            return text;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    return text;
}

double func_lookup_vez_cfg_index(const std::string& text, int item)
{
    return func_option_index_in_row(vez_lookup_table, VEZ_TABLE_SIZE, VEZ_LOOKUP_WIDTH, func_get_vez_item_row(item),
                                    text);
}
