#include "link/ipc_link.h"

#include <new>

#include "logs/log_file.h"

unsigned char* ipc_cmd = nullptr;
unsigned char* ipc_res = nullptr;
unsigned char ipc_data_buffer[256] = {};
trigger_record* trigger = nullptr;
int ipc_sockfd = -1, ipc_socket_connected = 0;
int inputs_dirty_needs_refresh = 0, outputs_dirty_needs_refresh = 0, analogs_dirty_needs_refresh = 0;
int input_output_mode = 0;

namespace {
bool (*display_request_wanted)(int request_code) = nullptr;

bool wanted(int request_code) { return display_request_wanted && display_request_wanted(request_code); }
}  // namespace

void func_set_display_request_query(bool (*query)(int request_code)) { display_request_wanted = query; }

int func_allocate_link_records()
{
    if (!ipc_cmd && !(ipc_cmd = new (std::nothrow) unsigned char[IPC_CMD_SIZE]())) {
        func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for ipc cmd structure", 0);
        return 0;
    }
    if (!ipc_res && !(ipc_res = new (std::nothrow) unsigned char[IPC_RES_SIZE]())) {
        func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for ipc res structure", 0);
        return 0;
    }
    if (!trigger && !(trigger = new (std::nothrow) trigger_record())) {
        func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for trigger structure", 0);
        return 0;
    }
    return 1;
}

void func_set_ipc_command(int code, int on, int p1, int p2, int p3)
{
    if (!ipc_cmd)
        return;
    ipc_cmd[0] = IPC_MARKER;
    ipc_cmd[1] = static_cast<unsigned char>(code);
    ipc_cmd[2] = static_cast<unsigned char>(on);
    ipc_cmd[3] = static_cast<unsigned char>(p1);
    ipc_cmd[4] = static_cast<unsigned char>(p2);
    ipc_cmd[5] = static_cast<unsigned char>(p3);
}

namespace {
enum off_action { OFF_NOTHING, OFF_CLEAR_TRIGGER, OFF_INPUTS_DIRTY, OFF_OUTPUTS_DIRTY, OFF_ANALOGS_DIRTY };

// What one display request asks for and when.
struct display_request {
    int code;
    int io_mode;  // -1: any
    int p3;       // third parameter while on
    bool waits_for_trigger;
    off_action when_off;
    const char* missing_record_text;
};

void clear_trigger()
{
    if (trigger)
        *trigger = trigger_record();
}

gboolean run_display_request(const display_request& request)
{
    if (!ipc_cmd) {
        func_write_log(LOG_SYSERROR, request.missing_record_text, 0);
        return FALSE;
    }
    bool shown = wanted(request.code) && (request.io_mode < 0 || input_output_mode == request.io_mode);
    if (shown) {
        if (request.waits_for_trigger && trigger && trigger->wait_flag == 1)
            return TRUE;
        func_set_ipc_command(request.code, 1, 0, 0, request.p3);
        return TRUE;
    }
    func_set_ipc_command(request.code, 0, 0, 0, 0);
    switch (request.when_off) {
    case OFF_CLEAR_TRIGGER: clear_trigger(); break;
    case OFF_INPUTS_DIRTY: inputs_dirty_needs_refresh = 1; break;
    case OFF_OUTPUTS_DIRTY: outputs_dirty_needs_refresh = 1; break;
    case OFF_ANALOGS_DIRTY: analogs_dirty_needs_refresh = 1; break;
    case OFF_NOTHING: break;
    }
    return FALSE;
}

const display_request REQUEST_INPUT = {2, 0, 0, false, OFF_INPUTS_DIRTY,
                                       "func_request_input_display : can't create ipc cmd struture"};
const display_request REQUEST_OUTPUT = {3, 1, 1, false, OFF_OUTPUTS_DIRTY,
                                        "func_request_output_display : can't create ipc cmd struture"};
const display_request REQUEST_ANALOG = {4, 2, 0, false, OFF_ANALOGS_DIRTY,
                                        "func_request_analog_display : can't create ipc cmd struture"};
const display_request REQUEST_FORMULA_SELECTION = {
    5, -1, 0, true, OFF_CLEAR_TRIGGER,
    "func_update_formula_selection_display : can't create ipc cmd struture"};
const display_request REQUEST_CONFIGURATION = {
    7, -1, 0, false, OFF_NOTHING,
    "func_update_configuration_display : can't create ipc cmd struture"};
const display_request REQUEST_FORMULA = {8, -1, 0, false, OFF_NOTHING,
                                         "func_update_formula_display : can't create ipc cmd struture"};
const display_request REQUEST_SPRAY_DOWN = {
    9, -1, 0, true, OFF_CLEAR_TRIGGER,
    "func_update_spray_down_display : can't create ipc cmd struture"};
const display_request REQUEST_VEZ_CONFIGURATION = {
    10, -1, 0, false, OFF_NOTHING,
    "func_update_vez_configuration_display : can't create ipc cmd struture"};
const display_request REQUEST_POST_DRY = {11, -1, 0, false, OFF_NOTHING,
                                          "func_update_post_dry_display : can't create ipc cmd struture"};
const display_request REQUEST_VEZ_STATE = {12, -1, 0, true, OFF_CLEAR_TRIGGER,
                                           "func_update_vez_state_display : can't create ipc cmd struture"};
const display_request REQUEST_VEZ_RECOVERY = {13, -1, 0, true, OFF_CLEAR_TRIGGER,
                                              "func_update_vez_recovery : can't create ipc cmd struture"};
const display_request REQUEST_VEZ_MANUAL = {
    14, -1, 0, true, OFF_CLEAR_TRIGGER,
    "func_update_vez_manual_display : can't create ipc cmd struture"};
const display_request REQUEST_VEZ_BATCH_DATA = {
    15, -1, 0, true, OFF_CLEAR_TRIGGER,
    "func_update_vez_batch_data_display : can't create ipc cmd struture"};
}  // namespace

gboolean func_request_run_display(gpointer)
{
    if (!ipc_cmd) {
        func_write_log(LOG_SYSERROR, "func_request_run_display : can't create ipc cmd struture", 0);
        return FALSE;
    }
    if (!wanted(REQUEST_CODE_RUN)) {
        func_set_ipc_command(1, 0, 0, 0, 0);
        clear_trigger();
        return FALSE;
    }
    int manual_function = trigger ? trigger->manual_function : 0;
    if (manual_function > 0 && trigger->wait_flag > 0) {
        trigger->wait_flag = 0;
        return TRUE;
    }
    func_set_ipc_command(1, 1, 0, manual_function > 0 ? (manual_function & 0xFF) : 0, 0);
    return TRUE;
}

gboolean func_request_input_display(gpointer) { return run_display_request(REQUEST_INPUT); }

gboolean func_request_output_display(gpointer)
{
    gboolean keep = run_display_request(REQUEST_OUTPUT);
    if (keep && ipc_cmd) {
        for (int i = 0; i < IPC_CMD_SIZE; ++i)
            ipc_data_buffer[i] = ipc_cmd[i];
        ipc_data_buffer[6] = 0xFF;
    }
    return keep;
}

gboolean func_request_analog_display(gpointer) { return run_display_request(REQUEST_ANALOG); }
gboolean func_update_formula_selection_display(gpointer)
{
    return run_display_request(REQUEST_FORMULA_SELECTION);
}
gboolean func_update_configuration_display(gpointer) { return run_display_request(REQUEST_CONFIGURATION); }
gboolean func_update_formula_display(gpointer) { return run_display_request(REQUEST_FORMULA); }
gboolean func_update_spray_down_display(gpointer) { return run_display_request(REQUEST_SPRAY_DOWN); }
gboolean func_update_vez_configuration_display(gpointer)
{
    return run_display_request(REQUEST_VEZ_CONFIGURATION);
}
gboolean func_update_post_dry_display(gpointer) { return run_display_request(REQUEST_POST_DRY); }
gboolean func_update_vez_state_display(gpointer) { return run_display_request(REQUEST_VEZ_STATE); }
gboolean func_update_vez_recovery_display(gpointer) { return run_display_request(REQUEST_VEZ_RECOVERY); }
gboolean func_update_vez_manual_display(gpointer) { return run_display_request(REQUEST_VEZ_MANUAL); }
gboolean func_update_vez_batch_data_display(gpointer) { return run_display_request(REQUEST_VEZ_BATCH_DATA); }

int func_setup_ipc_socket() { return -1; }
int func_connect_to_ipc_socket() { return -1; }
int func_read_from_ipc_socket(unsigned char*, int) { return 0; }
void func_write_to_ipc_socket(const unsigned char*, int) {}
int func_check_ipc_socket_for_data() { return 0; }
gboolean func_restore_ipc_connection(gpointer) { return TRUE; }
void func_reset_ipc_socket() { ipc_socket_connected = 0; }
void func_reset_ipc_socket_old() { ipc_socket_connected = 0; }

void func_ipc_send_signal_cancel(GtkWidget*, gpointer) {}
void func_ipc_send_resume_formula(gpointer, GtkWidget*) {}
void func_ipc_send_manual_stop(gpointer, GtkWidget*) {}
void func_ipc_send_3_wires(gpointer, GtkWidget*) {}
