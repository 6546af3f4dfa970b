// Little-endian field access for the fixed-size records the console and
// the controller exchange through files. Records are encoded field by
// field, never by copying structs, so layout does not depend on padding
// or on the host's byte order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

void func_put_int32_le(unsigned char* at, int32_t value);
// Inline: every record load decodes thousands of these.
inline int32_t func_get_int32_le(const unsigned char* at)
{
    const uint32_t bits = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                          static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
    return static_cast<int32_t>(bits);
}
void func_put_float32_le(unsigned char* at, float value);
float func_get_float32_le(const unsigned char* at);

// Writes text into a field of field_size bytes: at most field_size - 1
// bytes of it, cut at a UTF-8 character boundary, NUL-terminated, the
// rest of the field zero.
void func_put_text_field(unsigned char* at, size_t field_size, const std::string& text);
// Reads a NUL-terminated text from a field; stops at the field's end
// when the terminator is missing.
std::string func_get_text_field(const unsigned char* at, size_t field_size);

// The same, keeping only the valid UTF-8 start of the text: a name read
// from a file may hold anything, and the toolkit needs UTF-8.
std::string func_get_utf8_text_field(const unsigned char* at, size_t field_size);

// text cut to at most max_bytes bytes without splitting a UTF-8 character.
std::string func_cut_text_utf8(const std::string& text, size_t max_bytes);
