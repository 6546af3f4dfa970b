// A formula's steps.dat in the current layout, in the 2.1 layout (converted
// and saved back) or through the level-unit conversion, and the button
// texts of every item of the steps read.
#include <memory>

#include "configuration/configuration_record.h"
#include "formulas/step_files.h"
#include "formulas/step_list.h"
#include "formulas/step_rules.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz_start_input();
    const int mode = data[0] % 3;
    const bool metric = (data[0] & 0x04) != 0;
    const int new_unit = (data[0] & 0x08) ? 1 : 0;
    current_machine_configuration->items[0] = metric ? 1.0f : 0.0f;
    current_machine_configuration->items[2] = static_cast<float>((data[0] >> 4) % 4);
    fuzz_write("formulas/formulas.dat", std::string(68, '\0'));
    fuzz_write("formulas/f-001/steps.dat", fuzz_bytes(data + 1, size - 1));
    switch (mode) {
    case 0:
        func_load_step_list_from_file(1, metric);
        break;
    case 1:
        func_load_step_list_from_file_21_with(1, (data[0] & 0x40) ? 1 : 0);
        break;
    default:
        func_load_step_list_from_file_water(1, new_unit);
        func_load_step_list_from_file(1, metric);
        break;
    }
    const step_rules_context context = func_get_step_rules_context();
    std::unique_ptr<step_snapshot> steps(func_get_step_list_from_liststore());
    for (size_t index = 0; index < steps->records.size() && index < 8; ++index) {
        const step_record& record = steps->records[index];
        const int type = record.items[0];
        for (int item = 0; item < STEP_ITEM_COUNT; ++item) {
            const std::string text = func_step_value_text(record.items[item], item, type, context);
            func_step_value_from_text(text, item, type, context);
            func_lookup_step_name(record.items[item], item);
        }
        func_cooldown_step_adjustment(record);
    }
    func_get_next_free_step_number();
    return 0;
}
