// formulas.dat as it may come from a stick or a damaged disk, and the
// list built from it: snapshots, number lookups, the number offered next.
#include <memory>

#include "formulas/formula_list.h"
#include "fuzz_support.h"
#include "language/units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    fuzz_write("formulas/formulas.dat", fuzz_bytes(data, size));
    func_load_formula_list_from_file();
    std::unique_ptr<formula_snapshot> all(func_get_formula_list_from_liststore());
    std::unique_ptr<formula_snapshot> active(func_get_formula_list_from_liststore(true));
    // Lookups walk the whole list: the first records are enough.
    for (size_t index = 0; index < all->records.size() && index < 16; ++index) {
        const formula_record& record = all->records[index];
        func_find_formula_number(record.number);
        func_lookup_formula_name(record.active, 1);
        func_lookup_formula_name(record.step_count, 3);
        func_convert_seconds_to_time(record.total_time);
        std::unique_ptr<formula_record> copy(func_get_selected_formula_from_liststore_test(record.number));
    }
    func_get_next_free_formula_number();
    return 0;
}
