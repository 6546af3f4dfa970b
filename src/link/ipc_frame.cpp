#include "link/ipc_frame.h"

#include <algorithm>
#include <cstring>

bool func_ipc_kind_sizes(uint8_t kind, size_t& least, size_t& most)
{
    size_t size = 0;
    switch (kind) {
    case IPC_KIND_COMMAND:
    case IPC_KIND_SEND: size = 6; break;
    case IPC_KIND_REMOTE_FORMULA: size = 28; break;
    case IPC_KIND_RUN: size = IPC_RUN_RECORD_SIZE; break;
    case IPC_KIND_REMOTE_RUN: size = IPC_REMOTE_RUN_RECORD_SIZE; break;
    case IPC_KIND_INPUTS: size = IPC_INPUTS_SIZE; break;
    case IPC_KIND_OUTPUTS: size = IPC_OUTPUTS_SIZE; break;
    case IPC_KIND_ANALOGS: size = IPC_ANALOGS_SIZE; break;
    case IPC_KIND_SPRAY_DOWN:
    case IPC_KIND_VEZ_RECOVERY: size = 3; break;
    case IPC_KIND_VEZ_STATE: size = 8; break;
    case IPC_KIND_VEZ_MANUAL: size = 6; break;
    case IPC_KIND_BATCH_DATA: size = 36; break;
    case IPC_KIND_MACHINE_MESSAGE:
        least = 2;
        most = IPC_MESSAGE_MAX;
        return true;
    default: return false;
    }
    least = most = size;
    return true;
}

std::vector<unsigned char> func_encode_ipc_frame(uint8_t kind, const unsigned char* payload, size_t size)
{
    if (size > 0xFFFF)
        size = 0xFFFF;
    std::vector<unsigned char> frame(IPC_FRAME_HEADER + size);
    frame[0] = kind;
    frame[1] = static_cast<unsigned char>(size & 0xFF);
    frame[2] = static_cast<unsigned char>(size >> 8);
    if (size)
        std::memcpy(frame.data() + IPC_FRAME_HEADER, payload, size);
    return frame;
}

const char* func_ipc_fault_text(ipc_frame_fault fault)
{
    switch (fault) {
    case IPC_FAULT_UNKNOWN_KIND: return "bytes of no known kind dropped";
    case IPC_FAULT_WRONG_LENGTH: return "a frame with the wrong length for its kind dropped";
    case IPC_FAULT_TOO_LONG: return "a frame longer than any record dropped";
    default: return "a frame dropped";
    }
}

ipc_frame_decoder::ipc_frame_decoder(frame_handler on_frame, fault_handler on_fault)
    : on_frame_(std::move(on_frame)), on_fault_(std::move(on_fault))
{
}

void ipc_frame_decoder::feed(const unsigned char* bytes, size_t size)
{
    size_t at = 0;
    while (at < size) {
        if (skip_) {
            const size_t n = std::min(skip_, size - at);
            skip_ -= n;
            at += n;
            continue;
        }
        // The header first, byte by byte, so a split anywhere is the same.
        if (held_ < IPC_FRAME_HEADER) {
            buffer_[held_++] = bytes[at++];
            if (held_ == 1) {
                size_t least = 0, most = 0;
                if (!func_ipc_kind_sizes(buffer_[0], least, most)) {
                    // Resynchronise on the next byte.
                    held_ = 0;
                    if (on_fault_)
                        on_fault_(IPC_FAULT_UNKNOWN_KIND);
                }
            }
            if (held_ == IPC_FRAME_HEADER) {
                const size_t length = buffer_[1] | (static_cast<size_t>(buffer_[2]) << 8);
                size_t least = 0, most = 0;
                func_ipc_kind_sizes(buffer_[0], least, most);
                if (length > IPC_PAYLOAD_MAX) {
                    held_ = 0;
                    if (on_fault_)
                        on_fault_(IPC_FAULT_TOO_LONG);
                } else if (length < least || length > most) {
                    // Its bytes are read and thrown away with the frame.
                    skip_ = length;
                    held_ = 0;
                    if (on_fault_)
                        on_fault_(IPC_FAULT_WRONG_LENGTH);
                } else if (length == 0) {
                    held_ = 0;
                } else {
                    want_ = IPC_FRAME_HEADER + length;
                }
            }
            continue;
        }
        const size_t take = std::min(want_ - held_, size - at);
        std::memcpy(buffer_ + held_, bytes + at, take);
        held_ += take;
        at += take;
        if (held_ == want_) {
            held_ = 0;
            if (on_frame_)
                on_frame_(buffer_[0], buffer_ + IPC_FRAME_HEADER, want_ - IPC_FRAME_HEADER);
        }
    }
}

size_t func_ipc_decode_bytes(const uint8_t* data, size_t size)
{
    size_t frames = 0;
    ipc_frame_decoder decoder([&frames](uint8_t, const unsigned char*, size_t) { ++frames; }, nullptr);
    // The first byte chooses how the rest is cut into reads.
    const size_t piece = size ? (data[0] % 7) + 1 : 1;
    for (size_t at = size ? 1 : 0; at < size; at += piece)
        decoder.feed(data + at, std::min(piece, size - at));
    return frames;
}
