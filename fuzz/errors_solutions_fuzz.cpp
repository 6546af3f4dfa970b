// Error solutions files: English (L0) and a translation (L1, the English
// line before each line), read as the error information screen reads
// them, then every listed error built for display.
#include "fuzz_support.h"
#include "link/error_solutions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 2);
    fuzz_write("data/L0_errors_solutions.dat", parts[0]);
    fuzz_write("data/L1_errors_solutions.dat", parts[1]);
    for (int language : {1, 0}) {
        func_load_errors_solutions_from_file(language);
        for (int code : func_listed_error_codes())
            func_get_error_from_liststore(code);
        func_get_error_from_liststore(-1);
    }
    return 0;
}
