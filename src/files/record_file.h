// Files made of fixed-size records and nothing else (no header, no
// checksum): read whole records, cap their number, write the whole file
// at once through the atomic writer. Every record file of the console
// goes through here.
#pragma once
#include <fcntl.h>

#include <cstddef>
#include <string>
#include <vector>

// What a file holds: the size of one record, the most records the
// console uses, and the word for them in the syserror.log line written
// when a file holds more ("formulas", "steps", ...).
struct record_format {
    size_t record_size;
    size_t max_records;
    const char* plural;
};

// Whole records of the file, each record_size bytes, one after another in
// bytes; a partial last record is ignored. Past max_records the rest is
// left out and one line "<who> : more than N <plural> in <path>, only the
// first N are used." is logged. Never reads more than one record past the
// cap. False when the file cannot be opened or read (bytes is then empty).
bool func_read_record_bytes(const std::string& path, const record_format& format, const char* who,
                            std::string& bytes);
// The same for the file name in an open folder (AT_FDCWD: a path as
// above); path is how the log line names it.
bool func_read_record_bytes_at(int folder, const char* name, const std::string& path, const record_format& format,
                               const char* who, std::string& bytes);
// The same, one string per record.
bool func_read_record_file(const std::string& path, const record_format& format, const char* who,
                           std::vector<std::string>& records);

// The whole file's bytes, atomically. 1 or 0.
int func_write_record_bytes(const std::string& path, const std::string& bytes);

// Decoded records of the file name in an open folder (AT_FDCWD: a path),
// decode(const unsigned char* bytes, Record& record), read through a
// buffer the caller keeps for the next file.
template <class Record, class Decode>
bool func_read_records_at(int folder, const char* name, const std::string& path, const record_format& format,
                          const char* who, Decode decode, std::vector<Record>& records, std::string& bytes)
{
    // Decoded from one buffer: no string per record.
    const bool opened = func_read_record_bytes_at(folder, name, path, format, who, bytes);
    const size_t count = format.record_size ? bytes.size() / format.record_size : 0;
    records.clear();
    records.resize(count);
    for (size_t i = 0; i < count; ++i)
        decode(reinterpret_cast<const unsigned char*>(bytes.data() + i * format.record_size), records[i]);
    return opened;
}

// The decoded records of a file.
template <class Record, class Decode>
bool func_read_records(const std::string& path, const record_format& format, const char* who, Decode decode,
                       std::vector<Record>& records)
{
    std::string bytes;
    return func_read_records_at(AT_FDCWD, path.c_str(), path, format, who, decode, records, bytes);
}

// Replaces the file with the records, encode(const Record&, unsigned
// char* bytes) filling record_size zeroed bytes each. 1, or 0 when the
// file could not be replaced (the old one is then whole).
template <class Record, class Encode>
int func_write_records(const std::string& path, const record_format& format, const std::vector<Record>& records,
                       Encode encode)
{
    std::string bytes(records.size() * format.record_size, '\0');
    for (size_t i = 0; i < records.size(); ++i)
        encode(records[i], reinterpret_cast<unsigned char*>(&bytes[i * format.record_size]));
    return func_write_record_bytes(path, bytes);
}
