#include "files/command_line.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"

#ifndef LUMEX_VERSION
#define LUMEX_VERSION "0"
#endif

namespace {

access_check current_access_check;

struct option_name {
    const char* name;
    bool takes_folder;
};
const option_name known_options[] = {{"help", false}, {"version", false}, {"root", true}, {"socket", true}};

std::string with_slash(const std::string& folder)
{
    return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::string without_slash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool is_absolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

// base + "/" + name, with the slashes base ends in counted once.
std::string below(const std::string& base, const std::string& name)
{
    const std::string trimmed = without_slash(base);
    return (trimmed == "/" ? "" : trimmed) + "/" + name + "/";
}

bool is_directory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The option a long name stands for, GNU style: the whole name or any
// unambiguous beginning of it. Null when none or several match.
const option_name* find_option(const std::string& typed)
{
    const option_name* found = nullptr;
    for (const option_name& option : known_options) {
        if (typed == option.name)
            return &option;
        if (!typed.empty() && std::strncmp(option.name, typed.c_str(), typed.size()) == 0) {
            if (found)
                return nullptr;
            found = &option;
        }
    }
    return found;
}

// The folder as an absolute path ending in "/", or "" and the reason.
std::string usable_folder(const std::string& folder, std::string& error)
{
    const std::string shown = "'" + func_printable(folder) + "'";
    char resolved[PATH_MAX];
    if (!realpath(folder.c_str(), resolved)) {
        error = "cannot use " + shown + " as the data root: " + std::strerror(errno);
        return "";
    }
    const std::string path = resolved;
    if (!is_directory(path)) {
        error = "cannot use " + shown + " as the data root: it is not a folder";
        return "";
    }
    if (!func_may_access(path, R_OK | X_OK)) {
        error = "cannot read the data root " + shown;
        return "";
    }
    if (!func_may_access(path, W_OK)) {
        error = "cannot write to the data root " + shown;
        return "";
    }
    return with_slash(path);
}

int make_folder(const std::string& path, mode_t mode)
{
    if (func_file_io_ops().make_folder(path.c_str(), mode) == 0 || (errno == EEXIST && is_directory(path)))
        return 0;
    return errno ? errno : EIO;
}

// Creates the folder and its missing parents (private to the user, as
// the XDG rule asks for the folders it creates). 0 or the errno.
int make_folders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (!is_directory(parent))
            if (int error = make_folder(parent, 0700))
                return error;
    }
    return is_directory(path) ? 0 : make_folder(path, 0700);
}

// Language files and the texts kept per language ("L0_vez_states.dat"):
// read from the installation, never copied.
bool is_language_file(const std::string& name)
{
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".lng") == 0)
        return true;
    size_t digits = 1;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    return name.size() > 2 && name[0] == 'L' && digits > 1 && digits < name.size() && name[digits] == '_';
}

// Copies the plain files of from into to, and at depth > 0 the folders
// below (formula folders hold their steps). Links and devices are left.
bool copy_tree(const std::string& from, const std::string& to, int depth, std::string& error)
{
    DIR* dir = opendir(from.c_str());
    if (!dir)
        return true;  // nothing to seed from
    bool ok = true;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name.compare(0, std::strlen(TEMPORARY_FILE_PREFIX), TEMPORARY_FILE_PREFIX) == 0 ||
            is_language_file(name))
            continue;
        struct stat info;
        if (lstat((from + name).c_str(), &info) != 0)
            continue;
        if (S_ISREG(info.st_mode)) {
            if (!func_copy_file(from + name, to + name)) {
                error = "cannot copy " + from + name + " to " + to;
                ok = false;
            }
        } else if (S_ISDIR(info.st_mode) && depth > 0) {
            if (int failure = make_folder(to + name, 0755)) {
                error = "cannot create " + to + name + ": " + std::strerror(failure);
                ok = false;
            } else if (!copy_tree(from + name + "/", to + name + "/", depth - 1, error)) {
                ok = false;
            }
        }
    }
    closedir(dir);
    return ok;
}

// A new root seeded from the installation's data folders.
bool seed(const std::string& folder, const std::string& installed, std::string& error)
{
    for (const std::string& sub : func_data_folders()) {
        if (int failure = make_folder(folder + sub, 0755)) {
            error = "cannot create " + folder + sub + ": " + std::strerror(failure);
            return false;
        }
    }
    return copy_tree(installed + "configuration/", folder + "configuration/", 0, error) &&
           copy_tree(installed + "formulas/", folder + "formulas/", 1, error) &&
           copy_tree(installed + "data/", folder + "data/", 0, error);
}

}  // namespace

command_line func_parse_command_line(const std::vector<std::string>& arguments)
{
    command_line line;
    bool options_ended = false;
    // Which of --help and --version came first decides what is printed.
    bool info_seen = false;
    for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (options_ended || argument.size() < 2 || argument[0] != '-') {
            line.error = "unexpected argument '" + func_printable(argument) + "'";
        } else if (argument == "--") {
            options_ended = true;
        } else if (argument[1] != '-') {
            line.error = "invalid option -- '" + func_printable(argument.substr(1, 1)) + "'";
        } else {
            const size_t equals = argument.find('=');
            const std::string typed = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const option_name* option = find_option(typed);
            if (!option) {
                line.error = "unrecognized option '" + func_printable(argument) + "'";
            } else if (!option->takes_folder) {
                if (equals != std::string::npos)
                    line.error = std::string("option '--") + option->name + "' doesn't allow an argument";
                else if (!info_seen) {
                    info_seen = true;
                    (option->name[0] == 'h' ? line.help : line.version) = true;
                }
            } else {
                std::string value;
                if (equals != std::string::npos)
                    value = argument.substr(equals + 1);
                else if (i + 1 < arguments.size())
                    value = arguments[++i];
                const bool root = option->name[0] == 'r';
                if (value.empty())
                    line.error = root ? "option '--root' requires a folder" : "option '--socket' requires a path";
                if (root) {
                    line.root_given = true;
                    line.root = value;
                } else {
                    line.socket = value;
                }
            }
        }
    }
    return line;
}

const char* func_program_name(bool desktop) { return desktop ? "lumex6-pc" : "lumex6"; }

void func_print_help(std::ostream& out, bool desktop)
{
    const char* name = func_program_name(desktop);
    out << "Usage: " << name << " [OPTION]...\n"
        << (desktop ? "Programming station of the Lumex 6 washer-extractor console.\n"
                    : "Full-screen operator console of the Lumex 6 washer-extractor.\n")
        << "\n"
           "      --root DIR   keep the console's data (configuration, formulas, logs)\n"
           "                   in DIR, a folder you can read and write\n"
           "      --socket PATH\n"
           "                   reach the machine controller on the socket PATH\n"
           "                   (default /run/lumex6/ipc.sock)\n"
           "      --help       display this help and exit\n"
           "      --version    output version information and exit\n"
           "\n";
    if (desktop)
        out << "Without --root the data root is " << func_default_install_root()
            << " when you can write there,\n"
               "otherwise $XDG_DATA_HOME/lumex6 (by default ~/.local/share/lumex6), created\n"
               "on the first start.\n";
    else
        out << "Without --root the data root is " << func_default_install_root() << ".\n";
    out << "\n"
           "Exit status: 0 when the console ends normally, 1 when the data root cannot\n"
           "be used, 2 for a wrong option.\n"
           "\n"
           "See "
        << name << "(1) for the files under the data root.\n";
}

void func_print_version(std::ostream& out, bool desktop)
{
    out << func_program_name(desktop) << " (Lumex 6) " << LUMEX_VERSION << "\n";
}

std::string func_printable(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
            c = '?';
    return shown;
}

user_environment func_read_user_environment()
{
    user_environment environment;
    if (const char* home = std::getenv("HOME"))
        environment.home = home;
    if (const char* data = std::getenv("XDG_DATA_HOME"))
        environment.xdg_data_home = data;
    if (const passwd* account = getpwuid(getuid()))
        if (account->pw_dir)
            environment.account_home = account->pw_dir;
    return environment;
}

std::string func_user_data_root(const user_environment& environment)
{
    // The XDG rule: a relative $XDG_DATA_HOME is invalid and ignored.
    if (is_absolute(environment.xdg_data_home))
        return below(environment.xdg_data_home, "lumex6");
    const std::string& home = is_absolute(environment.home) ? environment.home : environment.account_home;
    return is_absolute(home) ? below(home, ".local/share/lumex6") : "";
}

void func_set_access_check(access_check check) { current_access_check = std::move(check); }

bool func_may_access(const std::string& path, int mode)
{
    if (current_access_check)
        return current_access_check(path, mode);
    return access(path.c_str(), mode) == 0;
}

root_choice func_choose_roots(const command_line& line, bool desktop, const std::string& installed,
                              const user_environment& environment)
{
    root_choice choice;
    const std::string install_root = with_slash(installed);
    if (line.root_given) {
        choice.data_root = usable_folder(line.root, choice.error);
        if (!choice.error.empty())
            return choice;
        // A whole tree (a copy of a machine's folder) brings its own
        // interface files; a bare data folder uses the installed ones.
        choice.resource_root = is_directory(choice.data_root + "image") ? choice.data_root : install_root;
    } else if (!desktop || (is_directory(install_root) && func_may_access(install_root, R_OK | W_OK | X_OK))) {
        choice.data_root = usable_folder(install_root, choice.error);
        if (!choice.error.empty()) {
            if (!desktop)
                choice.error += " (the machine console runs as root; --root DIR chooses another folder)";
            return choice;
        }
        choice.resource_root = choice.data_root;
    } else {
        choice.data_root = func_user_data_root(environment);
        choice.per_user = true;
        choice.resource_root = install_root;
        if (choice.data_root.empty()) {
            choice.error = "cannot find your home folder for the data root: HOME is not an absolute path";
            return choice;
        }
    }
    const std::string images = choice.resource_root + "image/";
    if (!is_directory(images) || !func_may_access(images, R_OK | X_OK))
        choice.error = "cannot read the interface files in '" + func_printable(images) +
                       "' (is the lumex6-data package installed?)";
    return choice;
}

std::string func_prepare_data_root(const root_choice& choice, const std::string& installed)
{
    if (!choice.per_user || !choice.error.empty())
        return choice.error;
    const std::string root = without_slash(choice.data_root);
    const std::string shown = "'" + func_printable(choice.data_root) + "'";
    struct stat info;
    if (lstat(root.c_str(), &info) != 0) {
        const std::string parent = root.substr(0, root.find_last_of('/'));
        if (int failure = make_folders(parent.empty() ? "/" : parent))
            return "cannot create the data root " + shown + ": " + std::strerror(failure);
        const std::string building = parent + "/.lumex6-new-" + std::to_string(getpid()) + "/";
        std::error_code ignored;
        std::filesystem::remove_all(building, ignored);  // left by an earlier start cut short
        std::string error;
        if (int failure = make_folder(building, 0700))
            return "cannot create the data root " + shown + ": " + std::strerror(failure);
        if (!seed(building, with_slash(installed), error)) {
            std::filesystem::remove_all(building, ignored);
            return "cannot seed the data root " + shown + ": " + error;
        }
        if (func_file_io_ops().rename_file(without_slash(building).c_str(), root.c_str()) != 0) {
            const int failure = errno;
            std::filesystem::remove_all(building, ignored);
            // Another start may have just put its own in place.
            if (!is_directory(root))
                return "cannot create the data root " + shown + ": " + std::strerror(failure);
        }
    }
    std::string error;
    if (usable_folder(choice.data_root, error).empty())
        return error;
    // Folders removed since the first start come back empty.
    for (const std::string& sub : func_data_folders())
        if (int failure = make_folder(choice.data_root + sub, 0755))
            return "cannot create " + func_printable(choice.data_root + sub) + ": " + std::strerror(failure);
    return "";
}

const std::vector<std::string>& func_data_folders()
{
    static const std::vector<std::string> folders = {"configuration/", "formulas/", "data/",
                                                     "log/",           "update/",   "hd/"};
    return folders;
}

namespace {
// What the command line asks for, with the texts to print; streams are
// made only for help and version, so a normal start never sets them up.
int apply_command_line(int argc, char** argv, bool desktop, std::string& out, std::string& err)
{
    const char* name = func_program_name(desktop);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const command_line line = func_parse_command_line(arguments);
    if (!line.error.empty()) {
        err = std::string(name) + ": " + line.error + "\nTry '" + name + " --help' for more information.\n";
        return EXIT_USAGE;
    }
    if (line.help || line.version) {
        std::ostringstream text;
        if (line.help)
            func_print_help(text, desktop);
        else
            func_print_version(text, desktop);
        out = text.str();
        return 0;
    }
    // At start-up the root in force is the one the build installs to.
    const std::string installed = func_get_install_root();
    root_choice choice = func_choose_roots(line, desktop, installed, func_read_user_environment());
    const std::string error = func_prepare_data_root(choice, installed);
    if (!error.empty()) {
        err = std::string(name) + ": " + error + "\n";
        return EXIT_ROOT_UNUSABLE;
    }
    func_set_install_root(choice.data_root);
    func_set_resource_root(choice.resource_root);
    func_set_ipc_socket_path(line.socket);
    return -1;
}
}  // namespace

int func_apply_command_line(int argc, char** argv, bool desktop, std::ostream& out, std::ostream& err)
{
    std::string out_text, err_text;
    const int status = apply_command_line(argc, argv, desktop, out_text, err_text);
    out << out_text;
    err << err_text;
    return status;
}

int func_run_console(int argc, char** argv, bool desktop, int (*start)(int argc, char** argv))
{
    std::string out, err;
    const int status = apply_command_line(argc, argv, desktop, out, err);
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    if (status >= 0)
        return status;
    char* program[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    return start(argc > 0 ? 1 : 0, program);
}
