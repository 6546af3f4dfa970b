// Language files: English (L0) and a translation (L1, pairs of lines),
// loaded one after the other as a language switch does, then the texts
// that are built from the slots (titles, help lines, option tables).
#include "entry/value_limits.h"
#include "fuzz_support.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 2);
    fuzz_write("data/L0.lng", parts[0]);
    fuzz_write("data/L1.lng", parts[1]);
    func_init_language("L1");
    func_init_language("L0");
    func_installed_language_names();
    func_missing_language_text();
    for (int item = 0; item < 100; ++item) {
        func_get_item_title(item);
        func_get_item_help(item, item % 23);
    }
    func_get_temperature_unit_string();
    func_get_time(0);
    func_get_date(0);
    return 0;
}
