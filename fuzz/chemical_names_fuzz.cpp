// The default chemical names of a language (L<n>_default_chemical_names.dat)
// for any language number the configuration may give.
#include "fuzz_support.h"
#include "formulas/chemicals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz_start_input();
    const int language = static_cast<int8_t>(data[0]);
    fuzz_write(func_get_default_chemical_names_path(language).substr(fuzz_root().size()),
               fuzz_bytes(data + 1, size - 1));
    func_load_default_chemical_names_from_file(language);
    for (const std::string& name : default_chemical_names)
        func_lookup_chemical_index(name, 2);
    return 0;
}
