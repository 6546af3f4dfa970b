#include "link/machine_message.h"

#include <glib.h>

#include <cstring>

#include "files/record_bytes.h"
#include "link/ipc_frame.h"

namespace {
constexpr size_t CODE_BYTES = 2;
}

bool func_decode_machine_message(const unsigned char* payload, size_t size, machine_message_record& message)
{
    if (!payload || size < 2)
        return false;
    message = machine_message_record();
    message.dialog_kind = payload[0];
    const char* start = reinterpret_cast<const char*>(payload + 1);
    const size_t length = strnlen(start, size - 1);
    gchar* valid = g_utf8_make_valid(start, static_cast<gssize>(length));
    message.text = valid;
    g_free(valid);
    // The NUL, then exactly the code: anything else after the text is not ours.
    const size_t rest = size - 1 - length;
    if (rest == 1 + CODE_BYTES) {
        const unsigned char* code = payload + 1 + length + 1;
        message.error_code = code[0] | code[1] << 8;
    }
    return true;
}

std::vector<unsigned char> func_encode_machine_message(const machine_message_record& message)
{
    const bool with_code = message.error_code >= 0 && message.error_code <= 0xFFFF;
    const size_t room = IPC_MESSAGE_MAX - 1 - (with_code ? 1 + CODE_BYTES : 0);
    std::string text = message.text.substr(0, message.text.find('\0'));
    text = func_cut_text_utf8(text, room);
    std::vector<unsigned char> payload;
    payload.push_back(static_cast<unsigned char>(message.dialog_kind));
    payload.insert(payload.end(), text.begin(), text.end());
    if (text.empty() && !with_code)
        payload.push_back(0);  // a message has at least one byte of text
    if (with_code) {
        payload.push_back(0);
        payload.push_back(static_cast<unsigned char>(message.error_code & 0xFF));
        payload.push_back(static_cast<unsigned char>(message.error_code >> 8));
    }
    return payload;
}
