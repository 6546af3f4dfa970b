#include "files/record_file.h"

#include <cstdio>

#include "files/atomic_file.h"
#include "logs/log_file.h"

bool func_read_record_file(const std::string& path, const record_format& format, const char* who,
                           std::vector<std::string>& records)
{
    records.clear();
    if (format.record_size == 0)
        return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::string record(format.record_size, '\0');
    while (std::fread(&record[0], 1, format.record_size, file) == format.record_size) {
        if (records.size() == format.max_records) {
            const std::string most = std::to_string(format.max_records);
            func_write_log(LOG_SYSERROR,
                           std::string(who) + " : more than " + most + " " + format.plural + " in " + path +
                               ", only the first " + most + " are used.",
                           0);
            break;
        }
        records.push_back(record);
    }
    std::fclose(file);
    return true;
}

int func_write_record_bytes(const std::string& path, const std::string& bytes)
{
    return func_write_file_atomic(path, bytes);
}
