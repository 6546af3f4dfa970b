// What every fuzz target shares: one sandbox installation and system root
// for the whole run (programs recorded, never run; no disk flushes), the
// console's records allocated once, and the input cut into the files a
// reader takes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Points the roots at the sandbox (made on the first call) and empties it:
// each input starts from an empty installation root and system root with
// the data folders in place, the default configuration, a fixed clock.
void fuzz_start_input();

// The sandbox's installation root, ending in "/".
const std::string& fuzz_root();

// Writes bytes to root + relative, making its folders.
void fuzz_write(const std::string& relative, const std::string& bytes);

// The same below the system root.
void fuzz_write_system(const std::string& relative, const std::string& bytes);

// The input as bytes.
std::string fuzz_bytes(const uint8_t* data, size_t size);

// The input cut at each FUZZ_PART_SEPARATOR into at most max_parts parts
// (the last part keeps the rest); missing parts are empty.
extern const char* const FUZZ_PART_SEPARATOR;
std::vector<std::string> fuzz_parts(const uint8_t* data, size_t size, size_t max_parts);
