// The VEZ states files (English and a translation, pairs of lines), each
// state looked up as the state screen does, and the controller's VEZ
// state record and the batch-data file read back from the same bytes.
#include "fuzz_support.h"
#include "link/vez_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    const std::vector<std::string> parts = fuzz_parts(data, size, 3);
    fuzz_write("data/L0_vez_states.dat", parts[0]);
    fuzz_write("data/L1_vez_states.dat", parts[1]);
    for (int language : {0, 1}) {
        func_load_vez_states_from_file(language);
        for (const vez_state_entry& entry : vez_states_table)
            func_get_vez_state_from_liststore(entry.number);
        func_get_vez_state_from_liststore(-1);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(parts[2].data());
    vez_state_reply reply;
    func_decode_vez_state(bytes, parts[2].size(), reply);
    vez_batch_data batch;
    if (func_decode_vez_batch_data(bytes, parts[2].size(), batch)) {
        unsigned char again[VEZ_BATCH_RECORD_SIZE];
        func_encode_vez_batch_data(batch, again);
    }
    func_vez_batch_number(parts[2]);
    return 0;
}
