// Parsing of a language source: one line per slot, "<slot>\t<text>",
// in ascending slot order. Lines that are empty or start with "#" are
// notes for the reader. Kept header-only so the tests check the same
// rules the build tool applies.
#pragma once
#include <istream>
#include <string>
#include <vector>

namespace language_source {

constexpr int SLOT_COUNT = 1000;
// A language file read takes at most this many bytes of a line.
constexpr size_t TEXT_MAX = 199;

// Fills `slots` (index = slot number, gaps empty) from the source.
// On a fault returns false with `error` naming the line.
inline bool parse(std::istream& in, std::vector<std::string>& slots, std::string& error)
{
    slots.clear();
    error.clear();
    std::string line;
    long line_number = 0;
    int last_slot = -1;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(line_number) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++line_number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        size_t tab = line.find('\t');
        if (tab == std::string::npos)
            return fail("expected \"<slot><TAB><text>\"");
        std::string number = line.substr(0, tab);
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
            return fail("slot number \"" + number + "\" is not a number");
        size_t first_digit = number.find_first_not_of('0');
        std::string significant = first_digit == std::string::npos ? "0" : number.substr(first_digit);
        int slot = significant.size() > 4 ? SLOT_COUNT : std::stoi(significant);
        if (slot >= SLOT_COUNT)
            return fail("slot " + number + " is past the last slot " + std::to_string(SLOT_COUNT - 1));
        if (slot == last_slot)
            return fail("slot " + number + " is given twice");
        if (slot < last_slot)
            return fail("slot " + number + " comes after slot " + std::to_string(last_slot));
        std::string text = line.substr(tab + 1);
        if (text.size() > TEXT_MAX)
            return fail("text of slot " + number + " is " + std::to_string(text.size()) + " bytes, more than " +
                        std::to_string(TEXT_MAX));
        for (char c : text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                return fail("text of slot " + number + " holds a control character");
        // The loader trims each line, so such blanks would be lost.
        if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
            return fail("text of slot " + number + " starts or ends with a blank");
        slots.resize(static_cast<size_t>(slot) + 1);
        slots[static_cast<size_t>(slot)] = text;
        last_slot = slot;
    }
    return true;
}

// The language file: slots 0 to the highest one, one line each.
inline std::string render(const std::vector<std::string>& slots)
{
    std::string out;
    for (const std::string& text : slots) {
        out += text;
        out += '\n';
    }
    return out;
}

}  // namespace language_source
