// The chemical valves file (configuration/chem_valves_flow_rate.dat) with
// the names file beside it.
#include "fuzz_support.h"
#include "formulas/chemicals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 2);
    fuzz_write("formulas/L0_default_chemical_names.dat", parts[0]);
    fuzz_write(func_get_chemical_valves_path().substr(fuzz_root().size()), parts[1]);
    func_load_default_chemical_names_from_file(0);
    func_load_chemical_valves_list_from_file();
    func_get_chemical_valve_rows();
    return 0;
}
