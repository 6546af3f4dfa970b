// Builds a language file from its reviewable source.
//   make_language_file <source> <output>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "language_source.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_language_file <source> <output>\n";
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "make_language_file: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> slots;
    std::string error;
    if (!language_source::parse(in, slots, error)) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    // Write beside the target and rename, so a failed run leaves no half file.
    std::string temporary = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << language_source::render(slots);
        out.flush();
        if (!out) {
            std::cerr << "make_language_file: cannot write " << temporary << "\n";
            std::remove(temporary.c_str());
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), argv[2]) != 0) {
        std::cerr << "make_language_file: cannot create " << argv[2] << "\n";
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
