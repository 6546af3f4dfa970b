// Power-cut-safe replacement of data files. A file is written whole to a
// temporary name in the same folder, flushed, renamed over the old name
// and the folder flushed, so a cut leaves either the old or the new file.
// All POSIX calls go through file_io_ops so tests can fail any step.
#pragma once
#include <sys/types.h>

#include <string>

struct file_io_ops {
    int (*open_file)(const char* path, int flags, mode_t mode);
    ssize_t (*write_file)(int fd, const void* data, size_t size);
    int (*fsync_file)(int fd);
    int (*close_file)(int fd);
    int (*rename_file)(const char* from, const char* to);
    int (*unlink_file)(const char* path);
    int (*make_folder)(const char* path, mode_t mode);
    int (*remove_folder)(const char* path);
    int (*change_mode)(int fd, mode_t mode);
    int (*sync_filesystem)(int fd);
};

// The calls in use; tests overwrite members and restore them afterwards.
file_io_ops& func_file_io_ops();
// Puts the real POSIX calls back.
void func_reset_file_io_ops();

// Temporary names start with this; it holds none of the extensions the
// console searches folders for, and no "f-".
extern const char* const TEMPORARY_FILE_PREFIX;

// Replaces path with exactly size bytes of data. 1 on success, 0 on any
// failure, the flush of the folder included (the failure is reported
// through func_report_write_failure; before the rename the old file is
// untouched). Syncs afterwards. The temporary file is created new (never
// through a link or over a planted file) and readable only by its owner;
// mode (before the umask) is set just before the rename: 0600 for files
// only root may read.
int func_write_file_atomic(const std::string& path, const void* data, size_t size, mode_t mode = 0644);
int func_write_file_atomic(const std::string& path, const std::string& content);

// Flushes a folder's entries (after renames made through file_io_ops).
// 1, or 0 when the folder could not be opened or flushed.
int func_sync_folder(const std::string& folder);

// Writes a file that nothing reads until its operation has flushed all it
// staged (func_sync_staged_folder) and committed: straight under its name,
// not flushed on its own. 1, or 0 after reporting the failure (nothing is
// left under the name).
int func_write_staged_file(const std::string& path, const std::string& content);

// Flushes everything written to the filesystem that holds folder: one
// call for a whole staged set before it is renamed into place. 1 or 0.
int func_sync_staged_folder(const std::string& folder);

// Writes all of data through the seam, retrying interrupted and short
// writes; false with errno set.
bool func_write_all(int fd, const char* data, size_t size);

// Appends one record with a single write (log files). A file whose size
// is not a whole number of records (an append cut short earlier) is first
// cut back to whole records, and an append that writes only part of the
// record is taken back, so every record stays at its offset. 1 or 0.
int func_append_file_record(const std::string& path, const void* data, size_t size);

// Removes temporary files that a power cut left in folder; returns how many.
// With written_before, only those last written before that time.
int func_remove_stale_temporary_files(const std::string& folder, time_t written_before = 0);
