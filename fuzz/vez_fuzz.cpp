// The VEZ configuration file in either layout (and any other size): load,
// the conversion of the older layout, and every item's button text.
#include "configuration/vez_configuration.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    fuzz_write("configuration/machine.vez", fuzz_bytes(data, size));
    func_convert_vez_configuration_50027_to_50028();
    func_load_vez_configuration_from_file();
    for (int item = 0; item < VEZ_ITEM_COUNT; ++item) {
        const std::string text = func_lookup_vez_cfg_name(current_vez_configuration.items[item], item);
        func_lookup_vez_cfg_index(text, item);
    }
    return 0;
}
