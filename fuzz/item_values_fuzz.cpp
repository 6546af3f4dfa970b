// Values typed into the data entry dialog, for every item code: the
// limit checks, the text the value takes on its button, titles and help
// lines, on a machine of either unit system and any type.
#include "configuration/configuration_record.h"
#include "entry/item_codes.h"
#include "entry/value_limits.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    fuzz_start_input();
    const int item_code = data[0];
    const int screen_code = data[1] % 24;
    current_machine_configuration->items[0] = static_cast<float>(data[2] & 1);
    current_machine_configuration->items[2] = static_cast<float>((data[2] >> 1) % 4);
    current_machine_configuration->items[3] = static_cast<float>((data[2] >> 3) & 1);
    // Fields are lines; the dialog never has more than seven.
    std::vector<std::string> fields;
    const std::string typed = fuzz_bytes(data + 3, size - 3);
    size_t from = 0;
    while (fields.size() < 8) {
        const size_t end = typed.find('\n', from);
        fields.push_back(typed.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
    std::string message;
    func_get_item_field_count(item_code);
    func_check_item_value(item_code, fields, message);
    func_format_item_text(item_code, fields);
    func_get_item_layout(item_code);
    func_get_item_title_on_screen(item_code, screen_code);
    func_get_item_help(item_code, screen_code);
    for (const std::string& field : fields) {
        func_read_whole_number(field);
        func_read_decimal_number(field);
    }
    return 0;
}
