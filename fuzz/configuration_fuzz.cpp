// The machine configuration (.cfg) as a stick or a damaged disk may hold
// it: loaded (damaged items repaired), then every item's button text, the
// level checks and what the rest of the console reads from it.
#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "fuzz_support.h"
#include "language/language.h"
#include "language/units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    fuzz_write("configuration/machine.cfg", fuzz_bytes(data, size));
    func_load_configuration_from_file();
    const machine_configuration record = *current_machine_configuration;
    for (int item = 0; item < CONFIGURATION_ITEM_COUNT; ++item) {
        const std::string text = func_lookup_cfg_name(record.items[item], item);
        func_lookup_cfg_index(text, item);
        func_cfg_item_inactive(item);
    }
    func_check_configuration_levels(record);
    func_get_machine_type_index();
    func_get_language_number();
    func_get_language_font_name(record.items[1]);
    func_get_temperature_unit_string();
    func_get_water_unit_string(1);
    func_copy_language_to_tables(&record);
    // What the file held, unrepaired, through the repair.
    if (size >= CONFIGURATION_RECORD_SIZE) {
        machine_configuration raw;
        func_decode_configuration(data, raw);
        func_repair_configuration(raw);
        func_check_configuration_levels(raw);
    }
    return 0;
}
