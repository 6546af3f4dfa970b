#include "frame/language_switch.h"

#include <gtk/gtk.h>

#include <string>

#include "formulas/chemicals.h"
#include "frame/dialogs.h"
#include "frame/screen_texts.h"
#include "language/language.h"
#include "logs/log_file.h"

namespace {

void report_missing_language()
{
    // The error dialog writes its text to the error log itself; without a
    // display (tools, tests) only the log line can be written.
    if (gdk_display_get_default())
        func_show_dialog(1, func_missing_language_text(), 1, nullptr);
    else
        func_write_log(LOG_ERROR, func_missing_language_text(), 0);
}

}  // namespace

bool func_switch_language(int number)
{
    if (number < 0 || number > LANGUAGE_NUMBER_MAX)
        number = 0;
    const std::string name = "L" + std::to_string(number);
    bool in_force = func_init_language(name.c_str()) != 0;
    if (!in_force) {
        func_log_system_error("func_switch_language", "Can't read language file " + name + ".lng");
        if (number == 0 || !func_init_language("L0")) {
            if (number != 0)
                func_log_system_error("func_switch_language", "Can't read language file L0.lng");
            // Nothing was loaded: the tables still follow the configuration.
            func_init_language_array();
        }
        report_missing_language();
    }
    func_refresh_bound_texts();
    // The names file belongs to the language chosen, as the chemical
    // screens read and write it.
    func_load_default_chemical_names_from_file(number);
    return in_force;
}
