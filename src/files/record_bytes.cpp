#include "files/record_bytes.h"

#include <glib.h>

#include <cstring>

void func_put_int32_le(unsigned char* at, int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

void func_put_float32_le(unsigned char* at, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    func_put_int32_le(at, static_cast<int32_t>(bits));
}

float func_get_float32_le(const unsigned char* at)
{
    uint32_t bits = static_cast<uint32_t>(func_get_int32_le(at));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string func_cut_text_utf8(const std::string& text, size_t max_bytes)
{
    if (text.size() <= max_bytes)
        return text;
    size_t end = max_bytes;
    // Step back over continuation bytes so no character is split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

void func_put_text_field(unsigned char* at, size_t field_size, const std::string& text)
{
    if (field_size == 0)
        return;
    std::memset(at, 0, field_size);
    std::string cut = func_cut_text_utf8(text.substr(0, text.find('\0')), field_size - 1);
    std::memcpy(at, cut.data(), cut.size());
}

std::string func_get_text_field(const unsigned char* at, size_t field_size)
{
    size_t length = 0;
    while (length < field_size && at[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(at), length);
}

std::string func_get_utf8_text_field(const unsigned char* at, size_t field_size)
{
    const char* text = reinterpret_cast<const char*>(at);
    const void* zero = std::memchr(text, 0, field_size);
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : field_size;
    // Validated where it lies: one string made, of the valid part.
    const gchar* end = nullptr;
    g_utf8_validate(text, static_cast<gssize>(length), &end);
    return std::string(text, static_cast<size_t>(end - text));
}
