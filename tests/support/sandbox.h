// A throw-away installation root and system root for one test. It holds
// what installing puts there (interface files, pictures, language files)
// unless asked to start empty, records every program the console would
// run and counts syncs, so no test touches the real system.
#pragma once
#include <ctime>
#include <string>
#include <vector>

class sandbox_root {
public:
    explicit sandbox_root(bool with_installed_data = true);
    ~sandbox_root();
    sandbox_root(const sandbox_root&) = delete;
    sandbox_root& operator=(const sandbox_root&) = delete;

    // Installation root, ending in "/".
    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + relative; }
    const std::string& system_root() const { return system_; }

    void write_file(const std::string& relative, const std::string& content) const;
    std::string read_file(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    std::vector<std::string> list_folder(const std::string& relative) const;

    // From now on the console can read but not change anything below
    // these folders (relative to the root): creating, replacing, renaming
    // and removing fail as on a read-only disk, as when the data belongs to
    // another user. Reading still works.
    void refuse_writes_under(const std::vector<std::string>& folders);

    // Programs are recorded as before, but "date -s <when>" moves the
    // console's clock as the system's would, and hwclock ends with this status.
    void let_date_move_the_clock(int hwclock_status = 0);

    // Fixes the console's clock (local time).
    static void set_clock(int year, int month, int day, int hour = 10, int minute = 30);

    std::vector<std::vector<std::string>> programs_run;
    int sync_calls = 0;

private:
    std::string base_;
    std::string root_;
    std::string system_;
};

// Bytes of a file as a string ("" when missing).
std::string func_read_whole_file(const std::string& path);
