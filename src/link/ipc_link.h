// The console's side of the link to the machine controller: the command
// record, the per-screen display requests and the transport operations.
#pragma once
#include <gtk/gtk.h>

#include <cstddef>

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
// I/O mode of the inputs/outputs screen: 0 inputs, 1 outputs, 2 analogs,
// 3 none (the screen is not shown).
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

// Transport: a Unix-domain stream socket to the controller (files/paths.h,
// func_ipc_socket_path), non-blocking, watched by the main loop.
// Opens a non-blocking socket: its handle, or -1 after logging.
int func_setup_ipc_socket();
// Connects to the controller's socket and starts watching it: the
// handle, or -1 (a path that is not a socket, or a socket of another
// user, is refused and logged once).
int func_connect_to_ipc_socket();
// Reads what waits, without blocking: bytes read, 0 when nothing waits,
// -1 when the controller has closed the link.
int func_read_from_ipc_socket(unsigned char* buffer, int size);
// Queues bytes for the controller and sends what the socket takes now;
// dropped without a link.
void func_write_to_ipc_socket(const unsigned char* buffer, int size);
// 1 when a reply waits to be read.
int func_check_ipc_socket_for_data();
// The 500 ms timer: connects when the controller is there; keeps running.
gboolean func_restore_ipc_connection(gpointer data);
// Closes the link (the restore timer opens it again).
void func_reset_ipc_socket();
void func_reset_ipc_socket_old();

// Single sends. Each goes out as one frame (link/ipc_frame.h); without a
// link it is not sent and a syserror.log line says so.
void func_ipc_send_signal_cancel(GtkWidget* widget, gpointer data);
void func_ipc_send_resume_formula(gpointer data, GtkWidget* widget);
void func_ipc_send_manual_stop(gpointer data, GtkWidget* widget);
void func_ipc_send_3_wires(gpointer data, GtkWidget* widget);
}

// True when the link is up.
bool func_ipc_link_up();
// One single send: "~", code, data, p1, p2, p3 (ipc_frame.h codes). False
// when it could not be sent (logged).
bool func_ipc_send(int send_code, int data, int p1, int p2, int p3);
bool func_ipc_send_selected_output(int output);
bool func_ipc_send_selected_formula(int formula_number);
bool func_ipc_send_selected_remote_formula(const int record[7]);
bool func_ipc_send_btn_pressed(int group, int option);
bool func_ipc_send_wetdown();
bool func_ipc_send_D2A_btn_up_pressed();
bool func_ipc_send_D2A_btn_down_pressed();
// Sends the command record as it stands.
bool func_send_ipc_command();

// The owner of a reply kind hands it a handler; a reply arrives only
// while the screen whose display request has request_code is shown (-1:
// always, for machine messages). Replies nobody owns are dropped.
using ipc_reply_handler = void (*)(const unsigned char* payload, size_t size);
void func_register_ipc_reply(int kind, int request_code, ipc_reply_handler handler);
// Told each time the link comes up (true) or is lost (false).
void func_add_ipc_link_listener(void (*listener)(bool connected));
// Hands bytes read from the link to the decoder and the owners (the
// read watch does this; tests feed bytes directly).
void func_receive_ipc_bytes(const unsigned char* bytes, size_t size);
