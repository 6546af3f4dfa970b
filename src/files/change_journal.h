// Changes to several files and folders of one data folder made as one
// step. Everything new is first written into a staging folder inside the
// data folder; a journal written there (atomically) is the point of no
// return; then each entry takes its place by renames, the old one set
// aside. A failure before the end puts the old entries back. A power cut
// before the journal leaves the old data (the start-up removes the staging
// folder), after it the start-up finishes the change.
#pragma once
#include <string>
#include <vector>

// Entries are names relative to the data folder: a file or folder
// ("formulas.dat", "f-007") or a file one folder down ("f-007/steps.dat").
// Each part is letters, digits, "-", "_" and "." and does not start with
// ".".
enum class change_kind {
    replace,  // the staged entry (func_staged_change_path) takes the name
    remove,   // the entry goes (a folder with what it holds)
};

struct change_entry {
    change_kind kind;
    std::string name;
};

// Starts a change of folder (ending in "/"): a change left by a power cut
// is finished first, then an empty staging folder is made. 1, or 0 after
// logging (the caller reports what it could not save).
int func_begin_data_change(const std::string& folder);

// Where the new content of name is written before the commit.
std::string func_staged_change_path(const std::string& folder, const std::string& name);

// Makes the change. 1 when every entry is in place; 0 after reporting and
// logging (as who) when the data is as before. When even putting the old
// data back fails, the journal stays and the next start-up finishes the
// change. The staging folder is removed either way.
int func_commit_data_change(const std::string& folder, const std::vector<change_entry>& entries, const char* who);

// Drops a change that was begun but not committed.
void func_abandon_data_change(const std::string& folder);

// The data's own name for a path inside a staging folder (what a failure
// is reported under); any other path as it is.
std::string func_live_path_of(const std::string& path);

// Start-up: finishes a change a power cut interrupted after its journal,
// drops one interrupted before it. 1 when a change was finished.
int func_finish_data_change(const std::string& folder);
