// Version files ("RIDEVUVE", version, process id), version comparison
// and the search for an update package newer than this console.
#pragma once
#include <string>

extern const char* const CONSOLE_SOFTWARE_VERSION;  // "6.1.012"
extern const char* const CONSOLE_VERSION_TAG;       // "RIDEVUVE"

// Longest name or version text kept from a version file line.
constexpr size_t VERSION_TEXT_MAX = 99;

struct software_version {
    std::string name = "--------";
    std::string version = "0.0.0";
    int number = -1;
};

// major.minor.patch; missing or unreadable pieces count as 0.
struct version_numbers {
    int major = 0;
    int minor = 0;
    int patch = 0;
};
version_numbers func_parse_version(const std::string& text);

// Writes tag, version and this process's id (no final newline),
// replacing the file atomically. 1, or 0 after logging.
int func_set_software_version(const std::string& path, const std::string& version);

// Reads a version file; nullptr when it cannot be opened, otherwise a
// record the caller deletes. Mode 0: line 1 name, line 2 version. Mode 1
// also takes the one-line form: a first line holding a dot is the
// version. The line after them is the number. Texts keep their newline
// (callers trim) and are cut to VERSION_TEXT_MAX bytes.
software_version* func_get_software_version(const std::string& path, int mode);

// 1 when version lies in the range minimum..maximum as the set imports
// understand it (0.0.0, an unknown version, always passes).
int func_version_compatible(const std::string& version, const std::string& minimum,
                            const std::string& maximum);
// 1 when a package of this version is newer than this console.
int func_ok_to_update(const std::string& package_version);
// Version a package file name stands for: "6.1.013.upt" -> "6.1.013".
// Only three dot-separated runs of 1 to 9 digits followed by ".upt" make
// a package name; anything else (other characters, "..", a leading "-",
// a longer extension) gives "".
std::string func_update_package_version(const std::string& file_name);
// Version of the first package file (directory order) in folder that
// func_ok_to_update accepts, "" when none.
std::string func_have_update_files(const std::string& folder);
