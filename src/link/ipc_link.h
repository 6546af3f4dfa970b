// The console's side of the link to the machine controller: the command
// record, the per-screen display requests and the transport operations.
#pragma once
#include <gtk/gtk.h>

constexpr int IPC_CMD_SIZE = 6;
constexpr int IPC_RES_SIZE = 7;
constexpr unsigned char IPC_MARKER = '~';

extern unsigned char* ipc_cmd;  // 6 bytes
extern unsigned char* ipc_res;  // 7 bytes
extern unsigned char ipc_data_buffer[256];

struct trigger_record {
    int manual_function;
    int wait_flag;
};
extern trigger_record* trigger;

extern int ipc_sockfd, ipc_socket_connected;
// Set when their display request ends: the screen redraws all on return.
extern int inputs_dirty_needs_refresh, outputs_dirty_needs_refresh, analogs_dirty_needs_refresh;
// I/O mode of the inputs/outputs screen: 0 inputs, 1 outputs, 2 analogs.
extern int input_output_mode;

// Allocates ipc_cmd, ipc_res and trigger (0 after logging on failure).
int func_allocate_link_records();

// Codes of the display requests (the command code while a screen asks).
enum display_request_code {
    REQUEST_CODE_RUN = 1,
    REQUEST_CODE_INPUTS = 2,
    REQUEST_CODE_OUTPUTS = 3,
    REQUEST_CODE_ANALOGS = 4,
    REQUEST_CODE_FORMULA_SELECTION = 5,
    REQUEST_CODE_CONFIGURATION = 7,
    REQUEST_CODE_FORMULAS = 8,
    REQUEST_CODE_SPRAY_DOWN = 9,
    REQUEST_CODE_VEZ_CONFIGURATION = 10,
    REQUEST_CODE_POST_DRY = 11,
    REQUEST_CODE_VEZ_STATE = 12,
    REQUEST_CODE_VEZ_RECOVERY = 13,
    REQUEST_CODE_VEZ_MANUAL = 14,
    REQUEST_CODE_VEZ_BATCH_DATA = 15,
};

// Whether the screen that asks with a request code is the one shown; the
// frame answers (the link knows no screens). Without an answer: never.
void func_set_display_request_query(bool (*wanted)(int request_code));

// Writes "~", code, on, p1, p2, p3 into ipc_cmd.
void func_set_ipc_command(int code, int on, int p1, int p2, int p3);

extern "C" {
gboolean func_request_run_display(gpointer data);
gboolean func_request_input_display(gpointer data);
gboolean func_request_output_display(gpointer data);
gboolean func_request_analog_display(gpointer data);
gboolean func_update_formula_selection_display(gpointer data);
gboolean func_update_configuration_display(gpointer data);
gboolean func_update_formula_display(gpointer data);
gboolean func_update_spray_down_display(gpointer data);
gboolean func_update_vez_configuration_display(gpointer data);
gboolean func_update_post_dry_display(gpointer data);
gboolean func_update_vez_state_display(gpointer data);
gboolean func_update_vez_recovery_display(gpointer data);
gboolean func_update_vez_manual_display(gpointer data);
gboolean func_update_vez_batch_data_display(gpointer data);

// Transport: the socket is not part of this build; fixed results.
int func_setup_ipc_socket();
int func_connect_to_ipc_socket();
int func_read_from_ipc_socket(unsigned char* buffer, int size);
void func_write_to_ipc_socket(const unsigned char* buffer, int size);
int func_check_ipc_socket_for_data();
gboolean func_restore_ipc_connection(gpointer data);
void func_reset_ipc_socket();
void func_reset_ipc_socket_old();

// Single sends from dialog buttons: nothing reaches a controller in this
// build, the command record is filled for the transport.
void func_ipc_send_signal_cancel(GtkWidget* widget, gpointer data);
void func_ipc_send_resume_formula(gpointer data, GtkWidget* widget);
void func_ipc_send_manual_stop(gpointer data, GtkWidget* widget);
void func_ipc_send_3_wires(gpointer data, GtkWidget* widget);
}
