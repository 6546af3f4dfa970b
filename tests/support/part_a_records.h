// Fixed-size records to and from the bytes of a file, for tests that
// write data files or read back what the console wrote.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

template <class Record, class Encode>
std::string encode_records(const std::vector<Record>& records, size_t size, Encode encode)
{
    std::string bytes(records.size() * size, '\0');
    for (size_t i = 0; i < records.size(); ++i)
        encode(records[i], reinterpret_cast<unsigned char*>(&bytes[i * size]));
    return bytes;
}

// Whole records only; a cut-off tail is left out.
template <class Record, class Decode>
std::vector<Record> decode_records(const std::string& bytes, size_t size, Decode decode)
{
    std::vector<Record> records(bytes.size() / size);
    for (size_t i = 0; i < records.size(); ++i)
        decode(reinterpret_cast<const unsigned char*>(bytes.data()) + i * size, records[i]);
    return records;
}
