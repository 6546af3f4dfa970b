// The post-dry list (configuration/postdry.dat): loaded, read back in
// formula order, looked up by formula.
#include "formulas/post_dry.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    fuzz_write(func_get_post_dry_list_path().substr(fuzz_root().size()), fuzz_bytes(data, size));
    func_load_post_dry_list_from_file();
    const std::vector<post_dry_record> records = func_get_post_dry_list_from_liststore();
    for (size_t index = 0; index < records.size() && index < 16; ++index)
        func_find_formula_number_post_dry(records[index].formula);
    func_get_post_dry_count();
    return 0;
}
