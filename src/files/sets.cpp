#include "files/sets.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "files/version_files.h"
#include "formulas/formula_list.h"
#include "logs/log_file.h"

const char* const SET_VERSION_MINIMUM = "6.0.000";
const char* const SET_VERSION_MAXIMUM = "6.9.999";

namespace {
constexpr int SLOT_NOT_RENAMED = 212;
constexpr int SLOT_EXISTS = 217;
constexpr int SLOT_TYPE_NEW_NAME = 264;
constexpr int SLOT_DESTINATION = 312;
constexpr int SLOT_VERSION = 399;
constexpr size_t NAME_MAX_BYTES = 200;
// A version file is three short lines; anything longer is not one.
constexpr off_t VERSION_FILE_MAX = 4096;
// Set folders are one level deep; a deeper tree is still removed, to a point.
constexpr int REMOVE_DEPTH_MAX = 16;

struct set_kind {
    const char* extension;
    bool formula_folders;  // f-NNN sub-folders belong to the set
    std::string (*working)();
    // Beside the working folder, in the installation root; names the
    // console never searches for (no extension, no "f-").
    const char* incoming;
    const char* previous;
    const char* default_name;
    int open_slot;     // the set (or the working folder, on export) cannot be read
    int working_slot;  // the working folder cannot be replaced
};

const set_kind FORMULAS = {".set", true, func_formulas_dir, ".formulas.incoming", ".formulas.previous",
                           "default", 314, 315};
const set_kind CONFIGURATION = {".cfs", false, func_configuration_dir, ".configuration.incoming",
                                ".configuration.previous", "configuration", 570, 570};

// Beside the final set in the source folder while it is built or replaced.
const std::string STAGED = std::string(TEMPORARY_FILE_PREFIX) + "staged";
const std::string ASIDE = std::string(TEMPORARY_FILE_PREFIX) + "replaced";

// Working state of a level-unit change: meaningful only on the machine
// that wrote it, so never carried in or out by a set.
bool is_working_state(const std::string& name)
{
    return name == "level-unit.journal" || name == "steps.level-unit";
}

enum class entry_type { missing, file, folder, link, other };

struct entry {
    std::string name;
    entry_type type;
};

entry_type type_of(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return entry_type::file;
    if (S_ISDIR(info.st_mode))
        return entry_type::folder;
    if (S_ISLNK(info.st_mode))
        return entry_type::link;
    return entry_type::other;
}

entry_type type_of(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return entry_type::missing;
    return type_of(info);
}

// Entries of folder in byte order, links not followed. False when the
// folder cannot be read.
bool list_entries(const std::string& folder, std::vector<entry>& entries)
{
    entries.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    const int fd = dirfd(dir);
    while (dirent* found = readdir(dir)) {
        if (!std::strcmp(found->d_name, ".") || !std::strcmp(found->d_name, ".."))
            continue;
        struct stat info;
        const entry_type type =
            fstatat(fd, found->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? type_of(info) : entry_type::missing;
        entries.push_back({found->d_name, type});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const entry& a, const entry& b) { return a.name < b.name; });
    return true;
}

bool contains(const std::string& name, const char* part) { return name.find(part) != std::string::npos; }

bool is_temporary(const std::string& name) { return name.rfind(TEMPORARY_FILE_PREFIX, 0) == 0; }

// Exactly "f-" and three digits, as the console names formula folders.
bool is_formula_folder(const std::string& name)
{
    return name.size() == 5 && name.compare(0, 2, "f-") == 0 &&
           std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void log_line(const char* who, const std::string& message) { func_log_system_error(who, message); }

set_result done(const std::string& detail)
{
    set_result result;
    result.ok = true;
    result.status = set_status::done;
    result.detail = detail;
    return result;
}

set_result failed(int slot, const std::string& detail, set_status status = set_status::failed)
{
    set_result result;
    result.status = status;
    result.message_slot = slot;
    result.detail = detail;
    return result;
}

// Removes path and everything below it; a link is removed itself, never
// followed. A missing path counts as removed.
bool remove_tree(const std::string& path, const char* who, int depth = 0)
{
    file_io_ops& ops = func_file_io_ops();
    const entry_type type = type_of(path);
    if (type == entry_type::missing)
        return true;
    if (type != entry_type::folder) {
        if (ops.unlink_file(path.c_str()) == 0 || errno == ENOENT)
            return true;
        log_line(who, "Can't remove " + func_printable_name(path) + " : " + std::strerror(errno));
        return false;
    }
    std::vector<entry> entries;
    if (depth >= REMOVE_DEPTH_MAX || !list_entries(path, entries)) {
        log_line(who, "Can't empty the folder " + func_printable_name(path));
        return false;
    }
    bool removed = true;
    for (const entry& inside : entries)
        removed = remove_tree(path + "/" + inside.name, who, depth + 1) && removed;
    if (!removed)
        return false;
    if (ops.remove_folder(path.c_str()) == 0 || errno == ENOENT)
        return true;
    log_line(who, "Can't remove the folder " + func_printable_name(path) + " : " + std::strerror(errno));
    return false;
}

bool make_folder(const std::string& path, const char* who)
{
    if (func_file_io_ops().make_folder(path.c_str(), 0755) == 0)
        return true;
    log_line(who, "Can't create the folder " + func_printable_name(path) + " : " + std::strerror(errno));
    return false;
}

bool rename_entry(const std::string& from, const std::string& to, const char* who)
{
    if (func_file_io_ops().rename_file(from.c_str(), to.c_str()) == 0)
        return true;
    log_line(who, "Can't rename " + func_printable_name(from) + " to " + func_printable_name(to) + " : " + std::strerror(errno));
    return false;
}

void log_left_out(const char* who, const std::string& path, entry_type type)
{
    if (type == entry_type::link)
        log_line(who, func_printable_name(path) + " is a symbolic link; it is left out.");
    else if (type == entry_type::other)
        log_line(who, func_printable_name(path) + " is not a plain file; it is left out.");
}

// Copies the plain files of one folder (from, to end in "/"), except the
// set-name and version files (their names hold the extension), the
// console's temporaries and level-unit working state. Links are left out.
copy_outcome copy_files(const std::string& from, const std::string& to, const char* extension, const char* who)
{
    std::vector<entry> entries;
    if (!list_entries(from, entries)) {
        log_line(who, "Can't open the folder " + func_printable_name(from));
        return copy_outcome::source_failed;
    }
    for (const entry& found : entries) {
        if (found.type == entry_type::folder || is_temporary(found.name) || is_working_state(found.name))
            continue;
        if (found.type != entry_type::file) {
            log_left_out(who, from + found.name, found.type);
            continue;
        }
        if (contains(found.name, extension))
            continue;
        const copy_outcome outcome = func_copy_into_staging(from + found.name, to + found.name);
        if (outcome != copy_outcome::done)
            return outcome;
    }
    return copy_outcome::done;
}

// The data of a set: the plain files, and for formula sets each f-NNN
// folder's plain files. Other folders are not part of a set.
copy_outcome copy_set_data(const set_kind& kind, const std::string& from, const std::string& to, const char* who)
{
    copy_outcome outcome = copy_files(from, to, kind.extension, who);
    if (outcome != copy_outcome::done || !kind.formula_folders)
        return outcome;
    std::vector<entry> entries;
    list_entries(from, entries);
    for (const entry& found : entries) {
        if (!is_formula_folder(found.name))
            continue;
        if (found.type != entry_type::folder) {
            log_left_out(who, from + found.name, found.type);
            continue;
        }
        if (!make_folder(to + found.name, who))
            return copy_outcome::destination_failed;
        outcome = copy_files(from + found.name + "/", to + found.name + "/", kind.extension, who);
        if (outcome != copy_outcome::done)
            return outcome;
    }
    return copy_outcome::done;
}

// The first plain file (byte order) whose name holds the extension.
std::string first_marker(const std::string& folder, const char* extension)
{
    std::vector<entry> entries;
    list_entries(folder, entries);
    for (const entry& found : entries)
        if (found.type == entry_type::file && contains(found.name, extension) && !is_temporary(found.name))
            return found.name;
    return "";
}

std::string trimmed(const std::string& text)
{
    const char* space = " \t\r\n";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

// Digits, a dot, digits, a dot, digits: the only version text there is.
bool well_formed_version(const std::string& text)
{
    int pieces = 0, digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 4)
                return false;
        } else if (c == '.' && digits > 0 && pieces < 2) {
            ++pieces;
            digits = 0;
        } else {
            return false;
        }
    }
    return pieces == 2 && digits > 0;
}

// Checks the set's version file. A set without one, or with an empty
// one (a working folder's marker copied by hand), states no version and
// passes; a version that is garbage or out of range is refused.
set_result check_version(const std::string& set_folder, const char* extension, const char* who)
{
    const std::string name = first_marker(set_folder, extension);
    if (name.empty())
        return done("");
    const std::string path = set_folder + name;
    std::string head;
    bool readable = false;  // unreadable or far too long: not a version file
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= VERSION_FILE_MAX) {
        char buffer[VERSION_FILE_MAX];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        readable = got >= 0;
        if (readable)
            head.assign(buffer, static_cast<size_t>(got));
    }
    if (fd >= 0)
        ::close(fd);
    if (readable && trimmed(head).empty())
        return done("");
    std::unique_ptr<software_version> record(readable ? func_get_software_version(path, 1) : nullptr);
    const std::string version = record ? trimmed(record->version) : "";
    const bool stated = record && record->version != "0.0.0";
    if (stated && well_formed_version(version) &&
        func_version_compatible(version, SET_VERSION_MINIMUM, SET_VERSION_MAXIMUM))
        return done(version);
    std::string detail = stated ? version : (record ? trimmed(record->name) : "");
    detail = func_printable_name(detail.empty() ? "?" : detail);
    log_line(who, func_printable_name(path) + " : version " + detail + " is not one this console imports.");
    return failed(SLOT_VERSION, func_cut_text_utf8(detail, 40), set_status::version_refused);
}

off_t size_of(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// The copied data can be read the way the console reads it.
bool data_readable(const set_kind& kind, const std::string& folder, const std::string& set_name, const char* who)
{
    if (kind.formula_folders) {
        const off_t size = size_of(folder + "formulas.dat");
        if (size >= 0 && size % static_cast<off_t>(FORMULA_RECORD_SIZE) != 0) {
            log_line(who, "formulas.dat of " + func_printable_name(set_name) + " is not a whole number of formula records.");
            return false;
        }
        return true;
    }
    const std::string record = func_find_first_entry_containing(folder, ".cfg", false);
    if (record.empty() || size_of(folder + record) < static_cast<off_t>(CONFIGURATION_RECORD_SIZE)) {
        log_line(who, func_printable_name(set_name) + " holds no whole configuration record.");
        return false;
    }
    return true;
}

// The two renames of an import, and what a cut between or after them
// leaves, put right.
void recover_kind(const set_kind& kind, const char* who)
{
    const std::string working = func_without_slash(kind.working());
    const std::string incoming = func_install_path(kind.incoming);
    const std::string previous = func_install_path(kind.previous);
    if (type_of(previous) != entry_type::missing) {
        if (type_of(working) == entry_type::missing) {
            // Cut between the renames: the old data goes back.
            if (rename_entry(previous, working, who))
                log_line(who, "an import cut short was undone; " + working + " is as it was.");
        } else if (remove_tree(previous, who)) {
            log_line(who, "an import cut short after its data was in place was finished.");
        }
    }
    remove_tree(incoming, who);
    func_sync_folder(func_get_install_root());
}

bool swap_in(const set_kind& kind, const char* who)
{
    const std::string working = func_without_slash(kind.working());
    const std::string incoming = func_install_path(kind.incoming);
    const std::string previous = func_install_path(kind.previous);
    const bool had_working = type_of(working) != entry_type::missing;
    if (had_working && !rename_entry(working, previous, who))
        return false;
    if (!rename_entry(incoming, working, who)) {
        if (had_working)
            rename_entry(previous, working, who);
        return false;
    }
    func_sync_folder(func_get_install_root());
    // Left over, it is removed at the next start.
    if (had_working)
        remove_tree(previous, who);
    return true;
}

// Copies and checks the set in incoming; -1, or the slot of the failure.
int fill_incoming(const set_kind& kind, const std::string& set_folder, const std::string& incoming,
                  const std::string& folder_name, const char* who)
{
    const copy_outcome outcome = copy_set_data(kind, set_folder, incoming, who);
    if (outcome != copy_outcome::done)
        return outcome == copy_outcome::source_failed ? kind.open_slot : kind.working_slot;
    if (!data_readable(kind, incoming, folder_name, who))
        return kind.open_slot;
    // The set's own version file stays behind; the name is an empty marker.
    if (!func_write_file_atomic(incoming + folder_name, "", 0))
        return kind.working_slot;
    // Everything staged is on the disk before it is swapped in.
    if (!func_sync_staged_folder(incoming)) {
        log_line(who, "Can't flush " + incoming);
        return kind.working_slot;
    }
    return -1;
}

set_result import_set(const set_kind& kind, const std::string& source_folder, const std::string& name,
                      bool skip_version_check, const char* who)
{
    const std::string folder_name = name + kind.extension;
    if (!func_set_name_acceptable(name)) {
        log_line(who, func_printable_name(folder_name) + " is not a name a set can have.");
        return failed(kind.open_slot, func_printable_name(folder_name));
    }
    const std::string set_folder = func_with_slash(source_folder) + folder_name + "/";
    if (type_of(func_without_slash(set_folder)) != entry_type::folder) {
        log_line(who, "Can't open the set " + func_printable_name(set_folder));
        return failed(kind.open_slot, folder_name);
    }
    if (!skip_version_check) {
        set_result version = check_version(set_folder, kind.extension, who);
        if (!version.ok)
            return version;
    }
    recover_kind(kind, who);
    const std::string incoming = func_install_path(kind.incoming) + "/";
    if (!make_folder(func_without_slash(incoming), who))
        return failed(kind.working_slot, folder_name);
    const int slot = fill_incoming(kind, set_folder, incoming, folder_name, who);
    if (slot >= 0 || !swap_in(kind, who)) {
        remove_tree(func_without_slash(incoming), who);
        return failed(slot >= 0 ? slot : kind.working_slot, folder_name);
    }
    func_sync_after_write();
    return done(name);
}

// Renames staged to final (both in the same folder); an existing final is
// first moved aside and only removed once the new one is in place.
bool put_in_place(const std::string& folder, const std::string& staged, const std::string& final_path,
                  const char* who)
{
    const std::string aside = folder + ASIDE;
    // What an earlier replacement could not remove goes first.
    if (!remove_tree(aside, who))
        return false;
    if (type_of(final_path) != entry_type::missing) {
        if (!rename_entry(final_path, aside, who))
            return false;
        if (!rename_entry(staged, final_path, who)) {
            rename_entry(aside, final_path, who);
            return false;
        }
        remove_tree(aside, who);
    } else if (!rename_entry(staged, final_path, who)) {
        return false;
    }
    func_sync_folder(folder);
    return true;
}

// Builds a set from `from` under the staging name in folder, adds the
// version file when asked, and puts it in place as folder_name.
set_result build_set(const set_kind& kind, const std::string& folder, const std::string& from,
                     const std::string& folder_name, bool version_file, int source_slot, const char* who)
{
    const std::string staged = folder + STAGED;
    if (!remove_tree(staged, who) || !make_folder(staged, who))
        return failed(SLOT_DESTINATION, folder_name);
    const copy_outcome outcome = copy_set_data(kind, from, staged + "/", who);
    int slot = -1;
    if (outcome != copy_outcome::done)
        slot = outcome == copy_outcome::source_failed ? source_slot : SLOT_DESTINATION;
    else if (version_file && !func_set_software_version(staged + "/" + folder_name, CONSOLE_SOFTWARE_VERSION))
        slot = SLOT_DESTINATION;
    if (slot < 0 && !func_sync_staged_folder(staged + "/")) {
        log_line(who, "Can't flush " + staged);
        slot = SLOT_DESTINATION;
    }
    if (slot < 0) {
        if (!put_in_place(folder, staged, folder + folder_name, who))
            slot = SLOT_DESTINATION;
    }
    if (slot >= 0) {
        remove_tree(staged, who);
        return failed(slot, folder_name);
    }
    func_sync_after_write();
    return done("");
}

set_result export_set(const set_kind& kind, const std::string& source_folder, bool replace, const char* who)
{
    const std::string working = kind.working();
    const std::string marker = func_find_first_entry_containing(working, kind.extension, false);
    const std::string name = marker.empty() ? kind.default_name : func_remove_filename_extension(marker);
    const std::string folder_name = name + kind.extension;
    if (type_of(func_without_slash(working)) != entry_type::folder) {
        log_line(who, "Can't open the working folder " + working);
        return failed(kind.open_slot, "");
    }
    if (!func_set_name_acceptable(name)) {
        log_line(who, "the working set name " + func_printable_name(marker) + " is not a name a set can have.");
        return failed(SLOT_DESTINATION, func_printable_name(folder_name));
    }
    const std::string folder = func_with_slash(source_folder);
    if (!replace && type_of(folder + folder_name) != entry_type::missing)
        return failed(SLOT_EXISTS, folder_name, set_status::already_exists);
    // A configuration without a set name is named "configuration" by its export.
    const bool names_working = !kind.formula_folders && marker.empty();
    if (names_working && !func_set_software_version(working + folder_name, CONSOLE_SOFTWARE_VERSION))
        return failed(kind.working_slot, folder_name);
    // Formula sets carry a version file only when the working data has a name.
    set_result result = build_set(kind, folder, working, folder_name, !marker.empty() || names_working,
                                  kind.open_slot, who);
    if (result.ok)
        result.detail = name;
    return result;
}

bool names_acceptable(const std::string& source_name, const std::string& new_name, const set_kind& kind,
                      set_result& refusal, const char* who)
{
    if (!func_set_name_acceptable(source_name)) {
        log_line(who, func_printable_name(source_name + kind.extension) + " is not a name a set can have.");
        refusal = failed(kind.open_slot, func_printable_name(source_name + kind.extension));
        return false;
    }
    if (!func_set_name_acceptable(new_name)) {
        log_line(who, "the new name " + func_printable_name(new_name) + " is refused.");
        refusal = failed(SLOT_TYPE_NEW_NAME, func_printable_name(new_name), set_status::name_refused);
        return false;
    }
    return true;
}

set_result copy_set(const set_kind& kind, const std::string& source_folder, const std::string& source_name,
                    const std::string& new_name, const char* who)
{
    set_result refusal;
    if (!names_acceptable(source_name, new_name, kind, refusal, who))
        return refusal;
    const std::string folder = func_with_slash(source_folder);
    const std::string from = folder + source_name + kind.extension;
    const std::string folder_name = new_name + kind.extension;
    if (type_of(from) != entry_type::folder) {
        log_line(who, "Can't open the set " + func_printable_name(from));
        return failed(kind.open_slot, source_name + kind.extension);
    }
    if (type_of(folder + folder_name) != entry_type::missing)
        return failed(SLOT_EXISTS, folder_name, set_status::already_exists);
    set_result result = build_set(kind, folder, from + "/", folder_name, false, kind.open_slot, who);
    if (result.ok)
        result.detail = new_name;
    return result;
}

set_result rename_set(const set_kind& kind, const std::string& source_folder, const std::string& old_name,
                      const std::string& new_name, const char* who)
{
    set_result refusal;
    if (!names_acceptable(old_name, new_name, kind, refusal, who))
        return refusal;
    const std::string folder = func_with_slash(source_folder);
    const std::string from = folder + old_name + kind.extension;
    const std::string to = folder + new_name + kind.extension;
    if (type_of(from) != entry_type::folder) {
        log_line(who, "Can't open the set " + func_printable_name(from));
        return failed(kind.open_slot, old_name + kind.extension);
    }
    if (type_of(to) != entry_type::missing)
        return failed(SLOT_EXISTS, new_name + kind.extension, set_status::already_exists);
    // One rename: at no moment is the set half under either name.
    if (!rename_entry(from, to, who))
        return failed(SLOT_NOT_RENAMED, old_name + kind.extension);
    std::vector<entry> entries;
    list_entries(to, entries);
    const std::string kept = kind.formula_folders ? "" : first_marker(to + "/", kind.extension);
    bool ok = true;
    for (const entry& found : entries) {
        if (found.type == entry_type::folder || !contains(found.name, kind.extension) || found.name == kept)
            continue;
        ok = remove_tree(to + "/" + found.name, who) && ok;
    }
    // A configuration set's version file follows the set's name.
    if (!kept.empty() && kept != new_name + kind.extension)
        ok = rename_entry(to + "/" + kept, to + "/" + new_name + kind.extension, who) && ok;
    func_sync_folder(to + "/");
    func_sync_folder(folder);
    func_sync_after_write();
    return ok ? done(new_name) : failed(SLOT_NOT_RENAMED, new_name + kind.extension);
}

set_result rename_system_set(const set_kind& kind, const std::string& old_name, const std::string& new_name,
                             const char* who)
{
    if (!func_set_name_acceptable(new_name)) {
        log_line(who, "the new name " + func_printable_name(new_name) + " is refused.");
        return failed(SLOT_TYPE_NEW_NAME, func_printable_name(new_name), set_status::name_refused);
    }
    const std::string working = kind.working();
    const std::string marker = new_name + kind.extension;
    std::vector<entry> entries;
    if (!list_entries(working, entries)) {
        log_line(who, "Can't open the working folder " + working);
        return failed(SLOT_NOT_RENAMED, marker);
    }
    std::string kept;
    for (const entry& found : entries)
        if (found.type == entry_type::file && contains(found.name, kind.extension) && !is_temporary(found.name) &&
            (kept.empty() || found.name == old_name + kind.extension))
            kept = found.name;
    // The marker is renamed in one step, so the working data always has a name.
    bool ok = kept.empty() ? func_write_file_atomic(working + marker, "", 0) == 1
                           : (kept == marker || rename_entry(working + kept, working + marker, who));
    if (!ok)
        return failed(SLOT_NOT_RENAMED, marker);
    for (const entry& found : entries)
        if (found.type != entry_type::folder && contains(found.name, kind.extension) && found.name != kept &&
            found.name != marker && !is_temporary(found.name))
            ok = remove_tree(working + found.name, who) && ok;
    func_sync_folder(working);
    func_sync_after_write();
    return ok ? done(new_name) : failed(SLOT_NOT_RENAMED, marker);
}

set_result delete_set(const set_kind& kind, const std::string& source_folder, const std::string& name,
                      const char* who)
{
    const std::string folder_name = name + kind.extension;
    if (!func_set_name_acceptable(name)) {
        log_line(who, func_printable_name(folder_name) + " is not a name a set can have.");
        return failed(kind.open_slot, func_printable_name(folder_name));
    }
    const std::string folder = func_with_slash(source_folder);
    const bool removed = remove_tree(folder + folder_name, who);
    func_sync_folder(folder);
    func_sync_after_write();
    return removed ? done(name) : failed(kind.open_slot, folder_name);
}

std::vector<std::string> list_sets(const set_kind& kind, const std::string& folder, const char* who)
{
    std::vector<entry> entries;
    std::vector<std::string> names;
    list_entries(folder, entries);
    const size_t extension_size = std::strlen(kind.extension);
    for (const entry& found : entries) {
        if (found.name.size() < extension_size ||
            found.name.compare(found.name.size() - extension_size, extension_size, kind.extension) != 0)
            continue;
        const std::string name = found.name.substr(0, found.name.size() - extension_size);
        if (found.type != entry_type::folder) {
            log_left_out(who, func_with_slash(folder) + found.name, found.type);
            continue;
        }
        if (!func_set_name_acceptable(name)) {
            log_line(who, func_printable_name(found.name) + " is not a name a set can have; it is left out.");
            continue;
        }
        names.push_back(name);
    }
    return names;
}
}  // namespace

bool func_set_name_acceptable(const std::string& name)
{
    if (name.empty() || name.size() > NAME_MAX_BYTES || name == "." || name == ".." ||
        name.find('/') != std::string::npos || is_temporary(name))
        return false;
    const gchar* end = nullptr;
    if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), &end) ||
        end != name.data() + name.size())
        return false;
    for (const gchar* at = name.c_str(); *at; at = g_utf8_next_char(at))
        if (g_unichar_iscntrl(g_utf8_get_char(at)))
            return false;
    return true;
}

std::vector<std::string> func_list_formula_sets(const std::string& folder)
{
    return list_sets(FORMULAS, folder, "func_list_formula_sets");
}

std::vector<std::string> func_list_configuration_sets(const std::string& folder)
{
    return list_sets(CONFIGURATION, folder, "func_list_configuration_sets");
}

set_result func_export_formulas_set(const std::string& source_folder, bool replace)
{
    return export_set(FORMULAS, source_folder, replace, "func_export_formulas_set");
}

set_result func_export_configuration_set(const std::string& source_folder, bool replace)
{
    return export_set(CONFIGURATION, source_folder, replace, "func_export_configuration_set");
}

set_result func_import_formulas_set(const std::string& source_folder, const std::string& name,
                                    bool skip_version_check)
{
    return import_set(FORMULAS, source_folder, name, skip_version_check, "func_import_formulas_set");
}

set_result func_import_configuration_set(const std::string& source_folder, const std::string& name,
                                         bool skip_version_check)
{
    return import_set(CONFIGURATION, source_folder, name, skip_version_check, "func_import_configuration_set");
}

set_result func_copy_formulas_set(const std::string& source_folder, const std::string& source_name,
                                  const std::string& new_name)
{
    return copy_set(FORMULAS, source_folder, source_name, new_name, "func_copy_formulas_set");
}

set_result func_copy_configuration_set(const std::string& source_folder, const std::string& source_name,
                                       const std::string& new_name)
{
    return copy_set(CONFIGURATION, source_folder, source_name, new_name, "func_copy_configuration_set");
}

set_result func_rename_formulas_set(const std::string& source_folder, const std::string& old_name,
                                    const std::string& new_name)
{
    return rename_set(FORMULAS, source_folder, old_name, new_name, "func_rename_formulas_set");
}

set_result func_rename_configuration_set(const std::string& source_folder, const std::string& old_name,
                                         const std::string& new_name)
{
    return rename_set(CONFIGURATION, source_folder, old_name, new_name, "func_rename_configuration_set");
}

set_result func_rename_system_formulas_set(const std::string& old_name, const std::string& new_name)
{
    return rename_system_set(FORMULAS, old_name, new_name, "func_rename_system_formulas_set");
}

set_result func_rename_system_configuration_set(const std::string& old_name, const std::string& new_name)
{
    return rename_system_set(CONFIGURATION, old_name, new_name, "func_rename_system_configuration_set");
}

set_result func_delete_formulas_set(const std::string& source_folder, const std::string& name)
{
    return delete_set(FORMULAS, source_folder, name, "func_delete_formulas_set");
}

set_result func_delete_configuration_set(const std::string& source_folder, const std::string& name)
{
    return delete_set(CONFIGURATION, source_folder, name, "func_delete_configuration_set");
}

void func_recover_interrupted_set_import()
{
    const char* who = "func_recover_interrupted_set_import";
    recover_kind(FORMULAS, who);
    recover_kind(CONFIGURATION, who);
    remove_tree(func_hd_dir() + STAGED, who);
    remove_tree(func_hd_dir() + ASIDE, who);
}
