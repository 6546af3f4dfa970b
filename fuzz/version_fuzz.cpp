// Version files (both forms), the version texts they hold against the
// console's and a set's range, and names of files offered as update
// packages.
#include <sys/stat.h>

#include <memory>

#include "files/sets.h"
#include "files/version_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 3);
    fuzz_write("update/version", parts[0]);
    for (int mode = 0; mode < 2; ++mode) {
        std::unique_ptr<software_version> version(func_get_software_version(fuzz_root() + "update/version", mode));
        if (version) {
            func_parse_version(version->version);
            func_version_compatible(version->version, SET_VERSION_MINIMUM, SET_VERSION_MAXIMUM);
            func_ok_to_update(version->version);
        }
    }
    // A version text as typed or cut from a name.
    func_parse_version(parts[1]);
    func_version_compatible(parts[1], SET_VERSION_MINIMUM, SET_VERSION_MAXIMUM);
    func_version_compatible(SET_VERSION_MINIMUM, parts[1], parts[1]);
    func_ok_to_update(parts[1]);
    // A file name found on a stick.
    const std::string& name = parts[2];
    const std::string version = func_update_package_version(name);
    if (!version.empty())
        func_ok_to_update(version);
    const bool storable = !name.empty() && name.size() < 250 && name.find('/') == std::string::npos &&
                          name.find('\0') == std::string::npos && name != "." && name != "..";
    if (storable)
        fuzz_write("hd/" + name, "package");
    func_have_update_files(fuzz_root() + "hd/");
    return 0;
}
