// The remedies the operator can look up for a machine error, read from
// data/L<n>_errors_solutions.dat of the resource root. The file is plain
// text, one record a line, fields split by "~":
//   <code>~<error name>~<number of remedies>
//   <remedy title>~<remedy text>~<number of pictures>   (that many times)
//   <picture file in image/>                            (that many times)
// up to a line whose first field is "[END]" or the end of the file. A
// translated file carries the English line before each of its own lines.
// The file comes from outside: every field is bounded, a picture name
// never leaves the image folder, and a broken record is logged and
// skipped, never read past.
#pragma once
#include <string>
#include <vector>

constexpr int ERROR_NAME_MAX = 51;
constexpr int ERROR_SOLUTION_TITLE_MAX = 49;
constexpr int ERROR_SOLUTION_TEXT_MAX = 257;
constexpr int ERROR_PICTURE_NAME_MAX = 49;
constexpr int ERROR_SOLUTIONS_MAX = 5;
constexpr int ERROR_PICTURES_MAX = 5;
// A line is read up to this many bytes; the rest of a longer one is dropped.
constexpr size_t ERROR_SOLUTIONS_LINE_MAX = 1000;

struct error_solution {
    int index = 0;
    std::string title;
    std::string text;
    // Full paths in the image folder, at most ERROR_PICTURES_MAX.
    std::vector<std::string> pictures;
};

struct error_record {
    bool found = false;
    int code = 0;
    std::string name;
    std::vector<error_solution> solutions;  // at most ERROR_SOLUTIONS_MAX
};

// "L<language>_errors_solutions.dat" in the language folder.
std::string func_errors_solutions_path(int language);

// Reads the file of that language into the table, replacing what it
// held. A missing file leaves the table empty; false after a
// syserror.log line then.
bool func_load_errors_solutions_from_file(int language);

// The error of that code from the table, with its remedies and the full
// paths of their pictures; not found: no name and no remedies.
error_record func_get_error_from_liststore(int code);

// Codes of the errors in the table, in file order.
std::vector<int> func_listed_error_codes();

// True for a picture name that stays in the image folder: letters,
// digits, '.', '_' and '-', not starting with '.', at most
// ERROR_PICTURE_NAME_MAX bytes.
bool func_safe_picture_name(const std::string& name);
