#include "files/change_journal.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files/atomic_file.h"
#include "files/shell_runner.h"
#include "files/write_failures.h"
#include "logs/log_file.h"

namespace {
// Starts with the writer's temporary prefix: sets never carry it, no
// search of the data folder finds it.
const std::string STAGING = std::string(TEMPORARY_FILE_PREFIX) + "change/";
const char* const JOURNAL = "journal";
const char* const JOURNAL_HEADING = "lumex6 change 1";
const char* const JOURNAL_END = "end";
// Far more than any change writes; a longer file is not a journal.
constexpr std::streamoff JOURNAL_LIMIT = 1 << 16;

std::string staging_of(const std::string& folder) { return folder + STAGING; }
std::string journal_of(const std::string& folder) { return staging_of(folder) + JOURNAL; }

std::string flat(const std::string& name)
{
    std::string text = name;
    for (char& c : text)
        if (c == '/')
            c = '+';
    return text;
}

std::string aside_path(const std::string& folder, const std::string& name)
{
    return staging_of(folder) + "old." + flat(name);
}

bool part_acceptable(const std::string& part)
{
    if (part.empty() || part.size() > 64 || part[0] == '.')
        return false;
    for (char c : part)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.'))
            return false;
    return true;
}

bool name_acceptable(const std::string& name)
{
    const size_t slash = name.find('/');
    if (slash == std::string::npos)
        return part_acceptable(name);
    return part_acceptable(name.substr(0, slash)) && part_acceptable(name.substr(slash + 1));
}

bool exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool is_folder(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string without_slash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Removes path and, for a folder, what it holds; links are removed, never
// followed.
bool remove_tree(const std::string& path)
{
    const std::string plain = without_slash(path);
    if (!exists(plain))
        return true;
    file_io_ops& ops = func_file_io_ops();
    if (!is_folder(plain))
        return ops.unlink_file(plain.c_str()) == 0 || errno == ENOENT;
    std::vector<std::string> names;
    if (DIR* dir = opendir(plain.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.push_back(entry->d_name);
        closedir(dir);
    }
    bool all = true;
    for (const std::string& name : names)
        all = remove_tree(plain + "/" + name) && all;
    return all && (ops.remove_folder(plain.c_str()) == 0 || errno == ENOENT);
}

bool move(const std::string& from, const std::string& to, const char* who)
{
    if (func_file_io_ops().rename_file(without_slash(from).c_str(), without_slash(to).c_str()) == 0)
        return true;
    const int failure = errno;
    func_log_system_error(who, "Can't rename " + from + " to " + to + " : " + std::strerror(failure));
    // The operator hears of the data's own name, not the staging folder's.
    func_report_write_failure(to.find(STAGING) == std::string::npos ? to : from, failure);
    errno = failure;
    return false;
}

// Puts the entry's new state in place; the old one goes aside. Done
// again after a cut, it carries on from wherever the cut left it.
bool apply(const std::string& folder, const change_entry& entry, const char* who)
{
    const std::string live = folder + entry.name;
    const std::string staged = func_staged_change_path(folder, entry.name);
    const std::string aside = aside_path(folder, entry.name);
    if (entry.kind == change_kind::replace && !exists(staged))
        return true;  // already in place
    if (exists(live)) {
        if (exists(aside) && !remove_tree(aside))
            return false;
        if (!move(live, aside, who))
            return false;
    }
    if (entry.kind == change_kind::remove)
        return true;
    const size_t slash = entry.name.find('/');
    if (slash != std::string::npos) {
        const std::string parent = folder + entry.name.substr(0, slash);
        if (!is_folder(parent) && func_file_io_ops().make_folder(parent.c_str(), 0755) != 0 && errno != EEXIST) {
            func_report_write_failure(parent, errno);
            return false;
        }
    }
    return move(staged, live, who);
}

// Takes an entry back to its old state (in this run, after a failure).
bool undo(const std::string& folder, const change_entry& entry, const char* who)
{
    const std::string live = folder + entry.name;
    const std::string staged = func_staged_change_path(folder, entry.name);
    const std::string aside = aside_path(folder, entry.name);
    if (entry.kind == change_kind::replace && !exists(staged) && exists(live) && !move(live, staged, who))
        return false;
    if (exists(aside) && !exists(live) && !move(aside, live, who))
        return false;
    return true;
}

// The data folder and every folder an entry sits in.
bool sync_folders(const std::string& folder, const std::vector<change_entry>& entries)
{
    bool all = func_sync_folder(folder) != 0;
    for (const change_entry& entry : entries) {
        const size_t slash = entry.name.find('/');
        const std::string inner = slash == std::string::npos ? entry.name + "/" : entry.name.substr(0, slash + 1);
        if (is_folder(folder + inner) && !func_sync_folder(folder + inner)) {
            func_report_write_failure(folder + inner, errno);
            all = false;
        }
    }
    if (!all)
        func_report_write_failure(folder, errno);
    return all;
}

std::string journal_text(const std::vector<change_entry>& entries)
{
    std::string text = std::string(JOURNAL_HEADING) + "\n";
    for (const change_entry& entry : entries)
        text += (entry.kind == change_kind::replace ? "replace " : "remove ") + entry.name + "\n";
    return text + JOURNAL_END + "\n";
}

// The entries of a whole, well-formed journal; false for anything else.
bool read_journal(const std::string& path, std::vector<change_entry>& entries)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > JOURNAL_LIMIT)
        return false;
    in.seekg(0);
    std::string line;
    if (!std::getline(in, line) || line != JOURNAL_HEADING)
        return false;
    while (std::getline(in, line)) {
        if (line == JOURNAL_END)
            return true;
        const size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string name = space == std::string::npos ? "" : line.substr(space + 1);
        if ((word != "replace" && word != "remove") || !name_acceptable(name))
            return false;
        entries.push_back({word == "replace" ? change_kind::replace : change_kind::remove, name});
    }
    return false;
}

void remove_staging(const std::string& folder, const char* who)
{
    if (!remove_tree(staging_of(folder)))
        func_log_system_error(who, "Can't remove " + staging_of(folder) + "; it goes at the next start.");
}
}  // namespace

std::string func_staged_change_path(const std::string& folder, const std::string& name)
{
    return staging_of(folder) + "new." + flat(name);
}

std::string func_live_path_of(const std::string& path)
{
    const size_t at = path.find("/" + STAGING);
    if (at == std::string::npos)
        return path;
    const std::string folder = path.substr(0, at + 1);
    const std::string rest = path.substr(at + 1 + STAGING.size());
    if (rest.rfind("new.", 0) != 0 && rest.rfind("old.", 0) != 0)
        return folder;
    std::string name = rest.substr(4);
    for (char& c : name)
        if (c == '+')
            c = '/';
    return folder + name;
}

int func_begin_data_change(const std::string& folder)
{
    func_finish_data_change(folder);
    const std::string staging = without_slash(staging_of(folder));
    if (!remove_tree(staging) ||
        (func_file_io_ops().make_folder(staging.c_str(), 0700) != 0 && errno != EEXIST)) {
        func_log_system_error("func_begin_data_change", "Can't make " + staging + " : " + std::strerror(errno));
        return 0;
    }
    return 1;
}

void func_abandon_data_change(const std::string& folder) { remove_staging(folder, "func_abandon_data_change"); }

int func_commit_data_change(const std::string& folder, const std::vector<change_entry>& entries, const char* who)
{
    for (const change_entry& entry : entries) {
        if (!name_acceptable(entry.name) ||
            (entry.kind == change_kind::replace && !exists(func_staged_change_path(folder, entry.name)))) {
            func_log_system_error(who, "Nothing prepared for " + folder + entry.name + "; nothing was changed.");
            func_abandon_data_change(folder);
            return 0;
        }
    }
    // The point of no return.
    if (!func_write_file_atomic(journal_of(folder), journal_text(entries))) {
        func_log_system_error(who, "Can't write " + journal_of(folder) + "; nothing was changed.");
        func_abandon_data_change(folder);
        return 0;
    }
    size_t applied = 0;
    bool ok = true;
    for (; applied < entries.size() && ok; ++applied)
        ok = apply(folder, entries[applied], who);
    ok = ok && sync_folders(folder, entries);
    if (ok && func_file_io_ops().unlink_file(journal_of(folder).c_str()) == 0) {
        remove_staging(folder, who);
        func_sync_after_write();
        return 1;
    }
    if (ok)
        func_report_write_failure(journal_of(folder), errno);
    // Everything back as it was, last entry first.
    bool undone = true;
    for (size_t i = applied; i-- > 0;)
        undone = undo(folder, entries[i], who) && undone;
    undone = undone && sync_folders(folder, entries) &&
             func_file_io_ops().unlink_file(journal_of(folder).c_str()) == 0;
    if (undone) {
        func_log_system_error(who, "The change of " + folder + " failed; nothing was changed.");
        remove_staging(folder, who);
    } else {
        func_log_system_error(who, "The change of " + folder + " failed and could not be undone; it is finished at the next start.");
    }
    return 0;
}

int func_finish_data_change(const std::string& folder)
{
    const char* who = "func_finish_data_change";
    if (!exists(without_slash(staging_of(folder))))
        return 0;
    if (!exists(journal_of(folder))) {
        // Cut before the point of no return: the old data stands.
        remove_staging(folder, who);
        return 0;
    }
    std::vector<change_entry> entries;
    if (!read_journal(journal_of(folder), entries)) {
        func_log_system_error(who, journal_of(folder) + " is damaged; the change it held is dropped.");
        remove_staging(folder, who);
        return 0;
    }
    bool ok = true;
    for (const change_entry& entry : entries)
        ok = apply(folder, entry, who) && ok;
    if (!ok || !sync_folders(folder, entries) || func_file_io_ops().unlink_file(journal_of(folder).c_str()) != 0) {
        func_log_system_error(who, "A change of " + folder + " cut short could not be finished; it is tried again at the next start.");
        return 0;
    }
    remove_staging(folder, who);
    func_log_system_error(who, "A change of " + folder + " cut short was finished.");
    return 1;
}
