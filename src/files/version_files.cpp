#include "files/version_files.h"

#include <dirent.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "files/atomic_file.h"
#include "files/record_bytes.h"
#include "logs/log_file.h"

const char* const CONSOLE_SOFTWARE_VERSION = "6.1.012";
const char* const CONSOLE_VERSION_TAG = "RIDEVUVE";

namespace {
int clamp_to_int(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// Reads one line including its newline. The whole line is consumed, but
// only its first VERSION_TEXT_MAX bytes are kept. false at end of file.
bool read_line(FILE* in, std::string& line)
{
    line.clear();
    bool any = false;
    int c;
    while ((c = std::getc(in)) != EOF) {
        any = true;
        if (line.size() < VERSION_TEXT_MAX + 4)
            line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (line.size() > VERSION_TEXT_MAX)
        line = func_cut_text_utf8(line, VERSION_TEXT_MAX);
    return any;
}

// The texts end up in dialogs, which need UTF-8: keep the valid start.
std::string as_text(const std::string& line)
{
    const gchar* end = nullptr;
    g_utf8_validate(line.c_str(), static_cast<gssize>(line.size()), &end);
    return line.substr(0, static_cast<size_t>(end - line.c_str()));
}

int parse_number(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return clamp_to_int(value);
}

bool has_dot(const std::string& text) { return text.find('.') != std::string::npos; }

bool is_zero(const version_numbers& v) { return v.major == 0 && v.minor == 0 && v.patch == 0; }
}  // namespace

version_numbers func_parse_version(const std::string& text)
{
    int pieces[3] = {0, 0, 0};
    const char* at = text.c_str();
    for (int i = 0; i < 3 && at; ++i) {
        char* end = nullptr;
        long long value = std::strtoll(at, &end, 10);
        if (end != at)
            pieces[i] = clamp_to_int(value);
        at = std::strchr(end, '.');
        if (at)
            ++at;
    }
    return {pieces[0], pieces[1], pieces[2]};
}

int func_set_software_version(const std::string& path, const std::string& version)
{
    std::string content = std::string(CONSOLE_VERSION_TAG) + "\n" + version + "\n" +
                          std::to_string(static_cast<int>(getpid()));
    if (!func_write_file_atomic(path, content)) {
        func_write_log(LOG_SYSERROR,
                       "func_set_software_version :can't create/open file " + path + " not found.",
                       0);
        return 0;
    }
    return 1;
}

software_version* func_get_software_version(const std::string& path, int mode)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rbe"), std::fclose);
    if (!file)
        return nullptr;
    FILE* in = file.get();
    auto* record = new (std::nothrow) software_version();
    if (!record) {
        func_write_log(LOG_SYSERROR,
                       "Get_software_version: Can't allocate memory for software version structure",
                       0);
        return nullptr;
    }
    std::string line;
    if (!read_line(in, line))
        return record;
    if (mode == 1 && has_dot(line)) {
        record->version = as_text(line);
    } else {
        record->name = as_text(line);
        if (!read_line(in, line))
            return record;
        if (mode != 1 || has_dot(line))
            record->version = as_text(line);
    }
    if (read_line(in, line))
        record->number = parse_number(line);
    return record;
}

int func_version_compatible(const std::string& version, const std::string& minimum,
                            const std::string& maximum)
{
    const version_numbers v = func_parse_version(version);
    const version_numbers lo = func_parse_version(minimum);
    const version_numbers hi = func_parse_version(maximum);
    if (is_zero(v))
        return 1;
    if (v.major < lo.major || v.major > hi.major || v.minor < lo.minor || v.minor > hi.minor ||
        (v.patch < lo.patch && v.minor <= lo.minor))
        return 0;
    if (v.patch <= hi.patch)
        return 1;
    return v.minor < hi.minor ? 1 : 0;
}

int func_ok_to_update(const std::string& package_version)
{
    const version_numbers package = func_parse_version(package_version);
    const version_numbers own = func_parse_version(CONSOLE_SOFTWARE_VERSION);
    if (package.major != own.major)
        return package.major > own.major ? 1 : 0;
    if (package.minor != own.minor)
        return package.minor > own.minor ? 1 : 0;
    return package.patch > own.patch ? 1 : 0;
}

std::string func_update_package_version(const std::string& file_name)
{
    static const std::string extension = ".upt";
    if (file_name.size() <= extension.size() ||
        file_name.compare(file_name.size() - extension.size(), extension.size(), extension) != 0)
        return "";
    const std::string version = file_name.substr(0, file_name.size() - extension.size());
    int pieces = 0;
    size_t digits = 0;
    for (char c : version) {
        if (c >= '0' && c <= '9') {
            if (++digits > 9)
                return "";
        } else if (c == '.' && digits > 0 && pieces < 2) {
            ++pieces;
            digits = 0;
        } else {
            return "";
        }
    }
    return (pieces == 2 && digits > 0) ? version : "";
}

std::string func_have_update_files(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return "";
    std::string found;
    const std::string base = (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
    while (dirent* entry = readdir(dir)) {
        const std::string version = func_update_package_version(entry->d_name);
        if (version.empty())
            continue;
        // A folder or a link is no package, whatever its name.
        struct stat info;
        if (lstat((base + entry->d_name).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (func_ok_to_update(version)) {
            found = version;
            break;
        }
    }
    closedir(dir);
    return found;
}
