// Bytes from the controller: the frame decoder fed in pieces, and a run
// record decoded and bounded from whatever the stream holds.
#include "fuzz_support.h"
#include "link/ipc_frame.h"
#include "link/run_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    func_ipc_decode_bytes(data, size);
    run_record record;
    if (func_decode_run_record(data, size, record)) {
        func_run_formula_valid(record.formula);
        func_run_progress(record.formula_left, record.formula_total);
        func_run_progress(record.step_left, record.step_total);
        func_run_bar_fraction(record.level_actual, record.level_desired);
        func_run_bar_fraction(record.temperature_actual, record.temperature_desired);
        func_basket_speed_text(record.speed);
        func_next_basket_picture(record.status, record.rotation);
    }
    return 0;
}
