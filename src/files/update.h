// Installing a newer console from an update package: the package is
// copied into the emptied update folder and unpacked there by the
// archive tool, a new updater program it brings replaces the installed
// one, and the updater is started in place of the console. Nothing here
// shows anything: the result names the dialog the screen shows. Package
// names are checked before anything runs (func_update_package_version).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "files/version_files.h"

// The updater, below the system root.
extern const char* const UPDATER_PROGRAM;  // "usr/sbin/quorilexupdate"

// Starts program in place of this process, as execv does; returns only
// when it could not (-1, errno set). Tests put a recorder here.
using process_replacer = int (*)(const std::string& program, const std::vector<std::string>& argv);
// nullptr puts execv back.
void func_set_process_replacer(process_replacer replacer);

// Removes everything in the update folder without following links (a
// link goes, never what it points to) and creates the folder again. 1,
// or 0 after a syserror.log line.
int func_clear_update_folder();

// Empties the update folder, copies source_folder/package_file_name into
// it and runs the archive tool there on the copy. 1 when the tool
// reports success; 0 after a syserror.log line when the name is not a
// package's, the package is no plain file, or any step fails.
int func_unzip_update(const std::string& source_folder, const std::string& package_file_name);

enum class update_outcome { handed_over, no_package, unpack_failed, updater_failed };

struct update_result {
    update_outcome outcome;
    int dialog_kind;  // 0 when handed over, else the dialog to show
    int first_slot;   // language slots of the message "%s   \n   %s"
    int second_slot;
};

// The dialog text of a failed update.
std::string func_update_message(const update_result& result);

// The whole update for the package of package_version found in
// source_folder: unpack, replace the updater when the package brings
// one, then before_handover (the screen closes its waiting dialog) and
// the start of the updater with the update folder and the version as
// its two arguments. On the machine a successful start never returns; a
// replacer that reports a start gives handed_over, and the console ends.
// A version that is empty, not newer than this console or not a
// package's gives no_package.
update_result func_process_update(const std::string& package_version, const std::string& source_folder,
                                  const std::function<void()>& before_handover = {});
