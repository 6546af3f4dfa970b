// Helpers shared by the formula, configuration, entry and file tests.
#pragma once
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "language/language.h"
#include "support/core_data_fixture.h"
#include "support/gui_support.h"

// The language texts as they were, put back when the test ends, whatever
// it wrote into them.
struct language_texts_kept {
    std::vector<std::string> saved{p, p + LANGUAGE_SLOT_COUNT};
    ~language_texts_kept() { std::copy(saved.begin(), saved.end(), p); }
};

// Whole 32-bit numbers, least significant byte first, written by hand.
inline std::string int_bytes(const std::vector<uint32_t>& values)
{
    std::string bytes(values.size() * 4, '\0');
    for (size_t i = 0; i < values.size(); ++i)
        put_u32_by_hand(bytes, 4 * i, values[i]);
    return bytes;
}

// Every entry below folder: files with their bytes, folders as "/",
// links as "-> target" (never followed).
using file_tree = std::map<std::string, std::string>;
inline file_tree read_tree(const std::string& folder)
{
    namespace fs = std::filesystem;
    file_tree found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it); it.increment(error)) {
        const std::string relative = fs::relative(it->path(), folder).string();
        if (it->is_symlink())
            found[relative] = "-> " + fs::read_symlink(it->path()).string();
        else
            found[relative] = it->is_directory() ? "/" : func_read_whole_file(it->path().string());
    }
    return found;
}

// Releases the button as a finger would and lets the screen answer.
inline void tap(GtkWidget* button, int milliseconds = 30)
{
    func_test_release(button);
    func_test_run_loop(milliseconds);
}
