// Framing of the link to the machine controller. Every message, both
// ways, is one kind byte, a 16-bit little-endian payload length and the
// payload. The decoder takes bytes as they arrive, in any split, and
// hands over whole frames of known kinds with their exact lengths; it
// drops anything else and says what it dropped, so a confused or hostile
// peer can neither crash the console nor make it read past a record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Console to controller.
enum ipc_console_kind : uint8_t {
    IPC_KIND_COMMAND = 0x01,         // the 6-byte display request record (ipc_cmd)
    IPC_KIND_SEND = 0x02,            // a single send: 6 bytes "~", send code, data, p1, p2, p3
    IPC_KIND_REMOTE_FORMULA = 0x03,  // the remote formula: 7 int32 LE
};

// Codes of single sends (byte 1 of an IPC_KIND_SEND payload).
enum ipc_send_code : uint8_t {
    IPC_SEND_SIGNAL_CANCEL = 1,
    IPC_SEND_RESUME_FORMULA = 2,  // data 2 resume, 1 do not
    IPC_SEND_MANUAL_STOP = 3,     // data 2 go on, 20 stop
    IPC_SEND_THREE_WIRES = 4,     // data 2 go on, 20 stop
    IPC_SEND_SELECTED_OUTPUT = 5, // p1 output number
    IPC_SEND_SELECTED_FORMULA = 6,// p1, p2 formula number (LE16)
    IPC_SEND_MANUAL_BUTTON = 7,   // data group, p1 option index
    IPC_SEND_WETDOWN = 8,
    IPC_SEND_SPEED_UP = 9,
    IPC_SEND_SPEED_DOWN = 10,
};

// Controller to console.
enum ipc_reply_kind : uint8_t {
    IPC_KIND_RUN = 0x81,
    IPC_KIND_REMOTE_RUN = 0x82,
    IPC_KIND_INPUTS = 0x83,
    IPC_KIND_OUTPUTS = 0x84,
    IPC_KIND_ANALOGS = 0x85,
    IPC_KIND_SPRAY_DOWN = 0x86,
    IPC_KIND_VEZ_STATE = 0x87,
    IPC_KIND_VEZ_RECOVERY = 0x88,
    IPC_KIND_VEZ_MANUAL = 0x89,
    IPC_KIND_BATCH_DATA = 0x8A,
    IPC_KIND_MACHINE_MESSAGE = 0x8B,  // dialog kind byte, then UTF-8 text (no NUL needed)
};

constexpr size_t IPC_FRAME_HEADER = 3;
constexpr size_t IPC_RUN_RECORD_SIZE = 237;
// The run record, the number of steps, the formula name (50) and the step name (50).
constexpr size_t IPC_REMOTE_RUN_RECORD_SIZE = 338;
constexpr size_t IPC_REMOTE_NAME_OFFSET = 238, IPC_REMOTE_STEP_NAME_OFFSET = 288, IPC_REMOTE_NAME_SIZE = 50;
constexpr size_t IPC_INPUTS_SIZE = 64, IPC_OUTPUTS_SIZE = 128, IPC_ANALOGS_SIZE = 48 * 4;
constexpr size_t IPC_MESSAGE_MAX = 257;
// No frame of any kind is longer.
constexpr size_t IPC_PAYLOAD_MAX = IPC_REMOTE_RUN_RECORD_SIZE;

// Payload size of a kind: exact, or for the machine message 2..IPC_MESSAGE_MAX.
// False for a kind the console does not know.
bool func_ipc_kind_sizes(uint8_t kind, size_t& least, size_t& most);

std::vector<unsigned char> func_encode_ipc_frame(uint8_t kind, const unsigned char* payload, size_t size);

enum ipc_frame_fault {
    IPC_FAULT_UNKNOWN_KIND,  // a byte that starts no known frame
    IPC_FAULT_WRONG_LENGTH,  // a known kind with a length that is not its own
    IPC_FAULT_TOO_LONG,      // a length beyond any frame
    IPC_FAULT_COUNT
};
const char* func_ipc_fault_text(ipc_frame_fault fault);

class ipc_frame_decoder {
public:
    using frame_handler = std::function<void(uint8_t kind, const unsigned char* payload, size_t size)>;
    using fault_handler = std::function<void(ipc_frame_fault fault)>;

    ipc_frame_decoder(frame_handler on_frame, fault_handler on_fault);
    // Takes the next bytes; every whole frame among them is handed over
    // before this returns. A frame cut short waits for its rest.
    void feed(const unsigned char* bytes, size_t size);
    // Forgets a frame begun (the connection ended).
    void reset() { held_ = want_ = skip_ = 0; }
    size_t held() const { return held_; }

private:
    frame_handler on_frame_;
    fault_handler on_fault_;
    unsigned char buffer_[IPC_FRAME_HEADER + IPC_PAYLOAD_MAX] = {};
    size_t held_ = 0;
    size_t want_ = 0;  // header and payload of the frame being gathered
    size_t skip_ = 0;  // payload bytes of a frame of the wrong length still to drop
};

// Entry point for fuzzing: decodes the bytes as one stream fed in pieces
// whose sizes come from the data; returns the number of whole frames.
size_t func_ipc_decode_bytes(const uint8_t* data, size_t size);
