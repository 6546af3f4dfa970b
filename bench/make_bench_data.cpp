// Writes a data set for the benchmark programs into a folder:
//   make_bench_data ROOT [--tiny] [--stage DIR]
// The full set is 999 formulas of 99 steps, each step with its 15
// chemicals, and a change log of 100 000 records for March 2024; --tiny
// writes a handful, for checking that the programs run. --stage copies
// the built interface files, pictures and language files (the build's
// stage/ folder) in, so the console can be started on ROOT alone.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench_support.h"

int main(int argc, char** argv)
{
    std::string root, stage;
    bool tiny = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tiny") == 0)
            tiny = true;
        else if (std::strcmp(argv[i], "--stage") == 0 && i + 1 < argc)
            stage = argv[++i];
        else if (root.empty() && argv[i][0] != '-')
            root = argv[i];
        else
            root.clear(), i = argc;
    }
    if (root.empty()) {
        std::fprintf(stderr, "usage: make_bench_data ROOT [--tiny] [--stage DIR]\n");
        return 2;
    }
    if (root.back() != '/')
        root += '/';
    std::error_code error;
    std::filesystem::create_directories(root, error);
    if (!stage.empty()) {
        for (const char* part : {"image", "splash", "data"}) {
            std::filesystem::copy(std::filesystem::path(stage) / part, root + part,
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing,
                                  error);
            if (error) {
                std::fprintf(stderr, "make_bench_data: cannot copy %s/%s: %s\n", stage.c_str(), part,
                             error.message().c_str());
                return 1;
            }
        }
    }
    const std::string failure = func_bench_make_data(root, tiny ? func_bench_tiny_size() : func_bench_full_size());
    if (!failure.empty()) {
        std::fprintf(stderr, "make_bench_data: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
