// A step's chemical file (s-NNN_chems.dat) with the names file of the
// configured language beside it, and the button texts of what was read.
#include "fuzz_support.h"
#include "formulas/chemicals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 2);
    fuzz_write("formulas/L0_default_chemical_names.dat", parts[0]);
    fuzz_write("formulas/f-001/steps.dat", std::string(152, '\0'));
    fuzz_write("formulas/f-001/s-001_chems.dat", parts[1]);
    func_load_default_chemical_names_from_file(0);
    func_load_chemical_list_from_file(1, 1);
    for (const chemical_record& record : func_get_chemical_rows()) {
        func_lookup_chemical_name(record.active, 1);
        func_lookup_chemical_name(record.inject_when, 3);
        func_lookup_chemical_name(record.signal, 5);
        func_lookup_chemical_index(record.name, 2);
    }
    return 0;
}
