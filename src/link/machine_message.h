// The machine message the controller sends to open a dialog: its dialog
// kind, its text and, for a machine error, the error's code, which the
// error dialog's help button looks up (link/error_solutions.h).
// Payload: kind byte, the UTF-8 text, then optionally a NUL and the code
// as 16-bit little-endian. A controller that sends no code still works:
// the bytes after a NUL were always ignored.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct machine_message_record {
    int dialog_kind = 0;
    std::string text;     // valid UTF-8
    int error_code = -1;  // -1: none given
};

// False for a payload without kind and text.
bool func_decode_machine_message(const unsigned char* payload, size_t size, machine_message_record& message);
// The payload of a message (text cut to fit the frame, at a character boundary).
std::vector<unsigned char> func_encode_machine_message(const machine_message_record& message);
