// A password file of any kind as a stick or a damaged disk may hold it:
// loaded, read back in the encoded form, and the texts checked as typed.
#include <memory>

#include "fuzz_support.h"
#include "settings/passwords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz_start_input();
    const int kind = data[0] % 4;
    const std::string path = func_get_password_file_path(kind);
    fuzz_write(path.substr(fuzz_root().size()), fuzz_bytes(data + 1, size - 1));
    func_load_password_from_file(kind);
    std::unique_ptr<password_record> encoded(func_get_encoded_password(kind));
    const password_record* record = func_get_password_record(kind);
    func_encode_password_text(record->password);
    func_password_fits_record(record->password);
    // The same bytes as typed.
    const std::string typed = fuzz_bytes(data + 1, size - 1);
    func_encode_password_text(typed);
    func_password_fits_record(typed);
    return 0;
}
