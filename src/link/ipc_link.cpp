#include "link/ipc_link.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "files/paths.h"
#include "files/record_bytes.h"
#include "link/ipc_frame.h"
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
    func_send_ipc_command();
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

namespace {
constexpr size_t READ_CHUNK = 4096;
// At most this much is read in one turn of the main loop, so a flood of
// replies cannot hold the screen still.
constexpr int READS_PER_TURN = 16;
// A controller that reads nothing is treated as gone.
constexpr size_t OUTGOING_MAX = 64 * 1024;

struct reply_owner {
    int kind;
    int request_code;
    ipc_reply_handler handler;
};
std::vector<reply_owner> reply_owners;
std::vector<void (*)(bool)> link_listeners;
guint read_watch = 0, write_watch = 0;
std::string outgoing;
// Faults already logged on this connection (one line per kind of fault).
bool fault_logged[IPC_FAULT_COUNT] = {};
// Why the last connection attempt was refused, logged once until it changes.
std::string last_refusal;
// The newest frame of each kind read in one turn; older ones are stale.
std::map<int, std::vector<unsigned char>> pending;
std::vector<int> pending_order;

void log_fault(ipc_frame_fault fault)
{
    if (fault_logged[fault])
        return;
    fault_logged[fault] = true;
    func_log_system_error("func_read_from_ipc_socket", func_ipc_fault_text(fault));
}

ipc_frame_decoder decoder(
    [](uint8_t kind, const unsigned char* payload, size_t size) {
        if (!pending.count(kind))
            pending_order.push_back(kind);
        pending[kind].assign(payload, payload + size);
    },
    log_fault);

void dispatch_pending()
{
    std::map<int, std::vector<unsigned char>> frames;
    frames.swap(pending);
    std::vector<int> order;
    order.swap(pending_order);
    for (int kind : order) {
        const std::vector<unsigned char>& payload = frames[kind];
        for (const reply_owner& owner : reply_owners) {
            if (owner.kind != kind)
                continue;
            if (owner.request_code < 0 || wanted(owner.request_code))
                owner.handler(payload.data(), payload.size());
            break;
        }
    }
}

void tell_listeners(bool connected)
{
    for (auto listener : link_listeners)
        listener(connected);
}

void lose_link()
{
    const bool was_up = ipc_socket_connected;
    func_reset_ipc_socket();
    if (was_up) {
        func_log_system_error("func_read_from_ipc_socket",
                              "connection to ipc server lost, attempting to restore connection!");
        tell_listeners(false);
    }
}

gboolean flush_outgoing(GIOChannel*, GIOCondition, gpointer);

void send_queued()
{
    while (!outgoing.empty() && ipc_sockfd >= 0) {
        const ssize_t sent = send(ipc_sockfd, outgoing.data(), outgoing.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            outgoing.erase(0, static_cast<size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!write_watch) {
                GIOChannel* channel = g_io_channel_unix_new(ipc_sockfd);
                write_watch = g_io_add_watch(channel, G_IO_OUT, flush_outgoing, nullptr);
                g_io_channel_unref(channel);
            }
            return;
        }
        lose_link();
        return;
    }
}

gboolean flush_outgoing(GIOChannel*, GIOCondition, gpointer)
{
    write_watch = 0;
    send_queued();
    // send_queued adds a new watch when the socket is still full.
    return FALSE;
}

gboolean link_readable(GIOChannel*, GIOCondition condition, gpointer)
{
    unsigned char chunk[READ_CHUNK];
    for (int turn = 0; turn < READS_PER_TURN; ++turn) {
        const int got = func_read_from_ipc_socket(chunk, sizeof chunk);
        if (got < 0) {
            dispatch_pending();
            read_watch = 0;
            lose_link();
            return FALSE;
        }
        if (got == 0)
            break;
        decoder.feed(chunk, static_cast<size_t>(got));
    }
    dispatch_pending();
    if ((condition & (G_IO_HUP | G_IO_ERR)) && !func_check_ipc_socket_for_data() && ipc_sockfd >= 0) {
        read_watch = 0;
        lose_link();
        return FALSE;
    }
    return TRUE;
}

void refuse(const std::string& why)
{
    if (why != last_refusal)
        func_log_system_error("func_connect_to_ipc_socket", why);
    last_refusal = why;
}

const char* send_name(int code)
{
    switch (code) {
    case IPC_SEND_SIGNAL_CANCEL: return "signal cancel";
    case IPC_SEND_RESUME_FORMULA: return "resume formula";
    case IPC_SEND_MANUAL_STOP: return "manual stop";
    case IPC_SEND_THREE_WIRES: return "three wires";
    case IPC_SEND_SELECTED_OUTPUT: return "selected output";
    case IPC_SEND_SELECTED_FORMULA: return "selected formula";
    case IPC_SEND_MANUAL_BUTTON: return "manual function";
    case IPC_SEND_WETDOWN: return "wet-down";
    case IPC_SEND_SPEED_UP: return "speed up";
    case IPC_SEND_SPEED_DOWN: return "speed down";
    default: return "command";
    }
}

bool send_frame(uint8_t kind, const unsigned char* payload, size_t size, const char* what)
{
    if (!ipc_socket_connected) {
        func_log_system_error("func_write_to_ipc_socket", std::string("no connection to ipc server, ") + what +
                                                                " not sent");
        return false;
    }
    const std::vector<unsigned char> frame = func_encode_ipc_frame(kind, payload, size);
    func_write_to_ipc_socket(frame.data(), static_cast<int>(frame.size()));
    return ipc_socket_connected != 0;
}
}  // namespace

int func_setup_ipc_socket()
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        refuse(std::string("can't create socket: ") + std::strerror(errno));
    return fd;
}

int func_connect_to_ipc_socket()
{
    if (ipc_sockfd >= 0)
        return ipc_sockfd;
    const std::string path = func_ipc_socket_path();
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        refuse("socket path too long: " + func_cut_text_utf8(path, 120));
        return -1;
    }
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return -1;  // no controller yet: the start-up line said so
    if (!S_ISSOCK(info.st_mode)) {
        refuse(path + " is not a socket");
        return -1;
    }
    if (info.st_uid != geteuid() && info.st_uid != 0) {
        refuse(path + " belongs to another user");
        return -1;
    }
    const int fd = func_setup_ipc_socket();
    if (fd < 0)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // A socket left by a controller that has gone, or one that is starting.
        close(fd);
        return -1;
    }
    ipc_sockfd = fd;
    ipc_socket_connected = 1;
    last_refusal.clear();
    for (bool& logged : fault_logged)
        logged = false;
    decoder.reset();
    GIOChannel* channel = g_io_channel_unix_new(fd);
    read_watch = g_io_add_watch(channel, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), link_readable,
                                nullptr);
    g_io_channel_unref(channel);
    tell_listeners(true);
    return fd;
}

int func_read_from_ipc_socket(unsigned char* buffer, int size)
{
    if (ipc_sockfd < 0 || !buffer || size <= 0)
        return 0;
    for (;;) {
        const ssize_t got = recv(ipc_sockfd, buffer, static_cast<size_t>(size), MSG_DONTWAIT);
        if (got > 0)
            return static_cast<int>(got);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        return -1;
    }
}

void func_write_to_ipc_socket(const unsigned char* buffer, int size)
{
    if (ipc_sockfd < 0 || !buffer || size <= 0)
        return;
    if (outgoing.size() + static_cast<size_t>(size) > OUTGOING_MAX) {
        func_log_system_error("func_write_to_ipc_socket", "ipc server reads nothing, closing the connection");
        lose_link();
        return;
    }
    outgoing.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    if (!write_watch)
        send_queued();
}

int func_check_ipc_socket_for_data()
{
    if (ipc_sockfd < 0)
        return 0;
    pollfd waiting = {ipc_sockfd, POLLIN, 0};
    return poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) ? 1 : 0;
}

gboolean func_restore_ipc_connection(gpointer)
{
    if (!ipc_socket_connected)
        func_connect_to_ipc_socket();
    return TRUE;
}

void func_reset_ipc_socket()
{
    if (read_watch)
        g_source_remove(read_watch);
    if (write_watch)
        g_source_remove(write_watch);
    read_watch = write_watch = 0;
    if (ipc_sockfd >= 0)
        close(ipc_sockfd);
    ipc_sockfd = -1;
    ipc_socket_connected = 0;
    outgoing.clear();
    decoder.reset();
    pending.clear();
    pending_order.clear();
}

void func_reset_ipc_socket_old() { func_reset_ipc_socket(); }

bool func_ipc_link_up() { return ipc_socket_connected != 0; }

void func_register_ipc_reply(int kind, int request_code, ipc_reply_handler handler)
{
    for (reply_owner& owner : reply_owners)
        if (owner.kind == kind) {
            owner = {kind, request_code, handler};
            return;
        }
    reply_owners.push_back({kind, request_code, handler});
}

void func_add_ipc_link_listener(void (*listener)(bool connected))
{
    for (auto known : link_listeners)
        if (known == listener)
            return;
    link_listeners.push_back(listener);
}

void func_receive_ipc_bytes(const unsigned char* bytes, size_t size)
{
    decoder.feed(bytes, size);
    dispatch_pending();
}

bool func_ipc_send(int send_code, int data, int p1, int p2, int p3)
{
    const unsigned char payload[IPC_CMD_SIZE] = {IPC_MARKER,
                                                 static_cast<unsigned char>(send_code),
                                                 static_cast<unsigned char>(data),
                                                 static_cast<unsigned char>(p1),
                                                 static_cast<unsigned char>(p2),
                                                 static_cast<unsigned char>(p3)};
    return send_frame(IPC_KIND_SEND, payload, sizeof payload, send_name(send_code));
}

bool func_ipc_send_selected_output(int output) { return func_ipc_send(IPC_SEND_SELECTED_OUTPUT, 0, output, 0, 0); }

bool func_ipc_send_selected_formula(int formula_number)
{
    return func_ipc_send(IPC_SEND_SELECTED_FORMULA, 0, formula_number & 0xFF, (formula_number >> 8) & 0xFF, 0);
}

bool func_ipc_send_selected_remote_formula(const int record[7])
{
    unsigned char payload[28];
    for (int i = 0; i < 7; ++i)
        func_put_int32_le(payload + 4 * i, record[i]);
    return send_frame(IPC_KIND_REMOTE_FORMULA, payload, sizeof payload, "remote formula");
}

bool func_ipc_send_btn_pressed(int group, int option) { return func_ipc_send(IPC_SEND_MANUAL_BUTTON, group, option, 0, 0); }
bool func_ipc_send_wetdown() { return func_ipc_send(IPC_SEND_WETDOWN, 0, 0, 0, 0); }
bool func_ipc_send_D2A_btn_up_pressed() { return func_ipc_send(IPC_SEND_SPEED_UP, 0, 0, 0, 0); }
bool func_ipc_send_D2A_btn_down_pressed() { return func_ipc_send(IPC_SEND_SPEED_DOWN, 0, 0, 0, 0); }

bool func_send_ipc_command()
{
    if (!ipc_cmd || !ipc_socket_connected)
        return false;
    const std::vector<unsigned char> frame = func_encode_ipc_frame(IPC_KIND_COMMAND, ipc_cmd, IPC_CMD_SIZE);
    func_write_to_ipc_socket(frame.data(), static_cast<int>(frame.size()));
    return ipc_socket_connected != 0;
}

void func_ipc_send_signal_cancel(GtkWidget*, gpointer) { func_ipc_send(IPC_SEND_SIGNAL_CANCEL, 0, 0, 0, 0); }
void func_ipc_send_resume_formula(gpointer data, GtkWidget*)
{
    func_ipc_send(IPC_SEND_RESUME_FORMULA, GPOINTER_TO_INT(data), 0, 0, 0);
}
void func_ipc_send_manual_stop(gpointer data, GtkWidget*)
{
    func_ipc_send(IPC_SEND_MANUAL_STOP, GPOINTER_TO_INT(data), 0, 0, 0);
}
void func_ipc_send_3_wires(gpointer data, GtkWidget*) { func_ipc_send(IPC_SEND_THREE_WIRES, GPOINTER_TO_INT(data), 0, 0, 0); }
