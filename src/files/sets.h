// Formula sets and configuration sets: named copies of the working
// formula folder (a ".set" folder: its plain files and its f-NNN folders,
// one level) and of the working configuration folder (a ".cfs" folder,
// flat), kept in a source folder (a stick, hd/, a folder of the PC).
// Names are bare set names, without the extension. Nothing here touches
// the display: each operation returns what the screen shows, and the
// screen shows its busy dialog around the call.
#pragma once
#include <string>
#include <vector>

enum class set_status {
    done,
    failed,           // message_slot says why; the details are in syserror.log
    version_refused,  // message_slot 399, detail the set's version text
    already_exists,   // message_slot 217, detail the set folder's name
    name_refused,     // a typed name func_set_name_acceptable refuses: message_slot 264
};

struct set_result {
    bool ok = false;
    set_status status = set_status::failed;
    int message_slot = -1;  // language slot of the reason, -1 on success
    std::string detail;     // the set (or version) the message is about
};

// Range of console versions whose sets are imported.
extern const char* const SET_VERSION_MINIMUM;  // "6.0.000"
extern const char* const SET_VERSION_MAXIMUM;  // "6.9.999"

// A name a set may have: 1 to 200 bytes of valid UTF-8 without control
// characters or "/", not "." or "..", not starting with the console's
// temporary prefix. Anything else is used literally (no shell is ever
// involved), so "-rf" or "$(id)" are ordinary names.
bool func_set_name_acceptable(const std::string& name);

// Bare names, in byte order, of the set folders in folder (entries
// ending in ".set" / ".cfs" that are real folders). Links and names
// func_set_name_acceptable refuses are left out with a syserror.log line.
std::vector<std::string> func_list_formula_sets(const std::string& folder);
std::vector<std::string> func_list_configuration_sets(const std::string& folder);

// Export writes the working data to source_folder as the working set
// name's folder ("default.set" / "configuration.cfs" without one; a
// configuration export without a name gives the working folder the name
// "configuration"). The set is built beside its final name and renamed
// into place, so a failure leaves nothing half-written under that name.
// An existing set of that name is kept and already_exists returned
// unless replace, which replaces it as one step. Slots: 314 / 570 the
// working folder cannot be read, 312 (shown with 313) the destination
// cannot be written. detail: the set name.
set_result func_export_formulas_set(const std::string& source_folder, bool replace);
set_result func_export_configuration_set(const std::string& source_folder, bool replace);

// Import replaces the working folder with the set: the set is copied into
// a folder beside the working one, checked (version unless
// skip_version_check; formulas.dat whole 68-byte records; a whole .cfg
// record) and swapped in by two renames. Any failure leaves the working
// data as it was. Slots: 399 version, 314 / 570 the set cannot be read or
// is damaged, 315 / 570 the working folder cannot be replaced. The
// working folder then holds the empty marker name + ".set" / ".cfs". The
// caller reloads the data.
set_result func_import_formulas_set(const std::string& source_folder, const std::string& name,
                                    bool skip_version_check);
set_result func_import_configuration_set(const std::string& source_folder, const std::string& name,
                                         bool skip_version_check);

// Clone: a new set new_name holding the set's data without its version
// file. Slots: 314 / 570 source, 312 destination, 217, 264.
set_result func_copy_formulas_set(const std::string& source_folder, const std::string& source_name,
                                  const std::string& new_name);
set_result func_copy_configuration_set(const std::string& source_folder, const std::string& source_name,
                                       const std::string& new_name);

// Rename in place (one rename of the folder). A formula set loses its
// version file; a configuration set keeps it as new_name + ".cfs".
// Slots: 314 / 570 no such set, 212 not renamed, 217, 264.
set_result func_rename_formulas_set(const std::string& source_folder, const std::string& old_name,
                                    const std::string& new_name);
set_result func_rename_configuration_set(const std::string& source_folder, const std::string& old_name,
                                         const std::string& new_name);

// Renames the working data's set: the marker old_name (or else the first
// marker) becomes new_name's, other markers go. Slots: 212, 264.
set_result func_rename_system_formulas_set(const std::string& old_name, const std::string& new_name);
set_result func_rename_system_configuration_set(const std::string& old_name, const std::string& new_name);

// Removes the set folder and what it holds, never following a link. A
// missing set is fine. Slot 314 / 570 when something could not go.
set_result func_delete_formulas_set(const std::string& source_folder, const std::string& name);
set_result func_delete_configuration_set(const std::string& source_folder, const std::string& name);

// Start-up, before anything reads the working folders: an import a power
// cut interrupted is undone (between the two renames the old folder goes
// back) or finished (after them the old folder is removed), and what an
// interrupted export left in hd/ is removed.
void func_recover_interrupted_set_import();
