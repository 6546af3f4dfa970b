// A monthly log file of any size and bytes, read for one day of it.
#include "fuzz_support.h"
#include "logs/log_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz_start_input();
    const int kind = data[0] % 4;
    const int day = (data[0] >> 2) % 32;
    const std::string path = func_get_month_log_path(kind, 3, 2024);
    fuzz_write(path.substr(fuzz_root().size()), fuzz_bytes(data + 1, size - 1));
    std::vector<log_entry> entries;
    func_read_log_day(path, func_format_log_date(3, day, 2024), entries);
    return 0;
}
