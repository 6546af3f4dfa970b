// Small file and folder helpers the set operations and the update are
// made of. Paths are absolute; the working directory is never relied on.
#pragma once
#include <string>

// Copies source to destination (replaced atomically: streamed to a
// temporary name beside it, flushed, renamed). 1, or 0 after one
// syserror.log line naming the failing path; a destination that could not
// be written is also reported through func_report_write_failure.
int func_copy_file(const std::string& source, const std::string& destination);

// Which side of a copy failed.
enum class copy_outcome { done, source_failed, destination_failed };
// The same copy for files from outside the console (sets on a stick): a
// source that is a symbolic link or not a plain file is refused, not
// followed. Logs as func_copy_file but leaves the report to the caller,
// and skips the sync (the caller syncs once at the end).
copy_outcome func_copy_outside_file(const std::string& source, const std::string& destination);
// The same into a folder being staged, which nothing reads until it is
// flushed whole (func_sync_staged_folder) and renamed into place: written
// straight under its new name, not flushed one by one. errno is that of
// a destination failure.
copy_outcome func_copy_into_staging(const std::string& source, const std::string& destination);
// Copies every plain file of source_folder into destination_folder, each
// path being the folder text followed directly by the entry name (pass
// folders ending in "/"). 1 when every file was copied (an empty folder
// included), 0 when the folder cannot be opened or any copy failed.
int func_copy_directory_files(const std::string& source_folder,
                              const std::string& destination_folder);
// Removes every entry of folder ("folder/name"); the folder stays. 1 when
// nothing is left; an entry that could not go is reported as a write
// failure.
int func_delete_directory_files(const std::string& folder);
// Removes the folder and the files in it. 1 when it is gone (or never
// was), 0 after reporting what could not be removed.
int func_remove_directory(const std::string& folder);
// Creates the folder (with missing parents) when it is not there. 1 when
// it exists afterwards.
int func_create_directory(const std::string& path);
// Makes the installation root the working directory. 1 on success.
int func_reset_default_directory();
// 1 when path is a file that can be opened for reading.
int file_exists(const std::string& path);
// Reads up to size bytes from the start of path: the count read (short at
// the end of the file or at a read error), or -1 when it cannot be opened.
long func_read_file_start(const std::string& path, void* data, size_t size);
// The whole of path when it holds at most limit bytes: 1; 0 when it cannot
// be opened or read; -1 when it is longer (bytes are then empty).
int func_read_small_file(const std::string& path, size_t limit, std::string& bytes);
// name without its last four characters; "" for names shorter than that.
std::string func_remove_filename_extension(const std::string& name);
// First entry of folder, in name order, whose name contains ".set"
// (".cfs"); "" when there is none or the folder cannot be opened.
std::string func_get_formula_set_filename(const std::string& folder);
std::string func_get_configuration_set_filename(const std::string& folder);

// First entry of folder, in name order, whose name contains pattern, skipping "." and
// "..", temporary files of the atomic writer and, unless
// include_folders, folders.
std::string func_find_first_entry_containing(const std::string& folder, const char* pattern,
                                             bool include_folders);

// Folder texts with and without their closing "/" (a lone "/" stays).
std::string func_with_slash(const std::string& folder);
std::string func_without_slash(std::string folder);
// A name from outside (a stick, a folder) as a log line may hold it: valid
// UTF-8, control characters as "?", at most 120 bytes.
std::string func_printable_name(const std::string& name);
