// Set folders found on a stick: names of any bytes, version files,
// formulas.dat and the configuration record inside, listed and imported;
// then a second typed name for clone, rename and delete. A name the
// console accepts must never leave its folder.
#include <cstdlib>

#include "configuration/configuration_record.h"
#include "files/sets.h"
#include "formulas/formula_list.h"
#include "fuzz_support.h"

namespace {
// Names that would reach outside the folder are never acceptable; checked
// before anything removes or renames with them.
void require_contained(const std::string& name)
{
    if (func_set_name_acceptable(name) &&
        (name.find('/') != std::string::npos || name.find('\0') != std::string::npos || name == "." ||
         name == ".." || name.empty()))
        std::abort();
}

bool storable(const std::string& name)
{
    return !name.empty() && name.size() < 240 && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos && name != "." && name != "..";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 5);
    const std::string& name = parts[0];
    const std::string& new_name = parts[1];
    require_contained(name);
    require_contained(new_name);
    const std::string stick = fuzz_root() + "usb/";
    fuzz_write("usb/.keep", "");
    fuzz_write("formulas/formulas.dat", std::string(68, '\0'));
    fuzz_write("configuration/machine.cfg", std::string(CONFIGURATION_RECORD_SIZE, '\0'));
    if (storable(name)) {
        fuzz_write("usb/" + name + ".set/" + name + ".set", parts[2]);
        fuzz_write("usb/" + name + ".set/formulas.dat", parts[3]);
        fuzz_write("usb/" + name + ".set/f-001/steps.dat", parts[3]);
        fuzz_write("usb/" + name + ".cfs/" + name + ".cfs", parts[2]);
        fuzz_write("usb/" + name + ".cfs/machine.cfg", parts[4]);
    }
    func_list_formula_sets(stick);
    func_list_configuration_sets(stick);
    func_import_formulas_set(stick, name, false);
    func_import_configuration_set(stick, name, false);
    func_load_formula_list_from_file();
    func_load_configuration_from_file();
    func_copy_formulas_set(stick, name, new_name);
    func_rename_configuration_set(stick, name, new_name);
    func_rename_system_formulas_set(name, new_name);
    func_delete_formulas_set(stick, new_name);
    func_delete_configuration_set(stick, new_name);
    return 0;
}
