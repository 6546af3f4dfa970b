// The console's command line and the choice of its roots.
//
// Both variants take --root DIR, --help and --version. Without --root the
// machine console works in the installation root; the desktop station does
// too when the user may write there, and otherwise in a data root of the
// user's own ($XDG_DATA_HOME/lumex6, normally ~/.local/share/lumex6), which
// is created and seeded on its first start. The read-only parts (interface
// files, pictures, language files, splash pictures) are then still read
// from the installation root.
//
// Everything here runs before the toolkit starts, so a bad root ends the
// program with a message before any window opens. Arguments and
// environment variables are outside data: checked, never trusted.
#pragma once
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of the command line, as GNU programs use them.
constexpr int EXIT_ROOT_UNUSABLE = 1;
constexpr int EXIT_USAGE = 2;

struct command_line {
    bool help = false;
    bool version = false;
    bool root_given = false;
    std::string root;   // as typed
    std::string socket;  // --socket: the controller's socket, "" for the default
    std::string error;  // a usage error: the message, without the program name
};

// arguments: argv without the program name. Options may be given as
// "--root DIR" or "--root=DIR" (and so --socket PATH); "--" ends the options.
command_line func_parse_command_line(const std::vector<std::string>& arguments);

// The variant's name ("lumex6" or "lumex6-pc") for messages and --help.
const char* func_program_name(bool desktop);
void func_print_help(std::ostream& out, bool desktop);
void func_print_version(std::ostream& out, bool desktop);
// The text with every byte that is not printable ASCII shown as "?", so
// an argument cannot send control sequences to the terminal.
std::string func_printable(const std::string& text);

// What the environment says about the user, read once.
struct user_environment {
    std::string home;           // $HOME
    std::string xdg_data_home;  // $XDG_DATA_HOME
    std::string account_home;   // the account's home folder (passwd)
};
user_environment func_read_user_environment();

// The user's own data root: $XDG_DATA_HOME/lumex6/ when that variable is
// an absolute path, otherwise <home>/.local/share/lumex6/, where home is
// $HOME when absolute and the account's home folder otherwise. "" when
// neither gives an absolute folder.
std::string func_user_data_root(const user_environment& environment);

// access(2) through a seam, so tests running as root can be refused.
// true when the folder allows mode (R_OK, W_OK, X_OK combined).
using access_check = std::function<bool(const std::string& path, int mode)>;
void func_set_access_check(access_check check);  // empty: the real call
bool func_may_access(const std::string& path, int mode);

struct root_choice {
    std::string data_root;      // the installation root the console works in, ending in "/"
    std::string resource_root;  // where the read-only parts are read from, ending in "/"
    bool per_user = false;      // data_root is the user's own folder
    std::string error;          // why the console cannot start; "" when it can
};

// Chooses the roots for the command line. installed: the installation
// root the package put the files in. A per-user root is chosen but not
// created here (func_prepare_data_root does that).
root_choice func_choose_roots(const command_line& line, bool desktop, const std::string& installed,
                              const user_environment& environment);

// Makes sure a chosen per-user root exists with its data folders. On the
// first start it is built beside its final place, seeded with the data
// files of the installation root (configuration, formulas, data records),
// and then renamed into place, so an interrupted first start leaves no
// half-seeded root. An error text, or "".
std::string func_prepare_data_root(const root_choice& choice, const std::string& installed);

// The folders of the data root the console writes to, each ending in "/".
const std::vector<std::string>& func_data_folders();

// The whole sequence for main(): parse, print help or version, choose and
// prepare the roots and set them. Returns -1 when the console should
// start, otherwise the exit status (messages already written).
int func_apply_command_line(int argc, char** argv, bool desktop, std::ostream& out, std::ostream& err);

// main() of both variants: the command line, then start (the console's
// start-up and main loop) with the program name alone, as every option
// was the console's own. The exit status.
int func_run_console(int argc, char** argv, bool desktop, int (*start)(int argc, char** argv));
