// The command line and the choice of the data root: option parsing, the
// per-user root of a desktop user who cannot write the installation root
// (simulated through the access check, as tests may run as root), its
// first start, and refusals of unusable folders.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "files/atomic_file.h"
#include "files/command_line.h"
#include "files/paths.h"
#include "files/version_files.h"
#include "support/tcc_helpers.h"

namespace fs = std::filesystem;

namespace {

command_line parse(std::vector<std::string> arguments) { return func_parse_command_line(arguments); }

// A sandbox installation root and a throw-away home folder; the access
// check refuses what the test names, the way a read-only or foreign
// folder would.
class RootChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lumex-home-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = pattern;
        environment.home = home;
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        old_folder = buffer;
    }
    void TearDown() override
    {
        func_set_access_check(nullptr);
        func_reset_file_io_ops();
        if (chdir(old_folder.c_str()) != 0)
            ADD_FAILURE() << "cannot return to " << old_folder;
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }

    // From now on the folder (and everything below it) cannot be written.
    void refuse_writes(std::string folder)
    {
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        func_set_access_check([folder](const std::string& path, int mode) {
            if ((mode & W_OK) && path.compare(0, folder.size(), folder) == 0)
                return false;
            return access(path.c_str(), mode) == 0;
        });
    }

    root_choice choose(const command_line& line, bool desktop)
    {
        return func_choose_roots(line, desktop, sandbox.root(), environment);
    }

    std::string per_user_root() const { return home + "/.local/share/lumex6/"; }

    sandbox_root sandbox;
    std::string home;
    std::string old_folder;
    user_environment environment;
};

std::vector<std::string> names_below(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& [name, content] : read_tree(folder))
        names.push_back(name);
    return names;
}

}  // namespace

TEST(CommandLine, OptionsHelpVersionAndTheUserDataRoot)
{
    EXPECT_FALSE(parse({}).help || parse({}).version || parse({}).root_given || !parse({}).error.empty());
    EXPECT_TRUE(parse({"--he"}).help) << "an unambiguous beginning stands for the option";
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"--ro", "/srv/data"}, {"--r=/srv/data"}}) {
        command_line line = parse(arguments);
        EXPECT_TRUE(line.error.empty() && line.root_given) << arguments[0] << ": " << line.error;
        EXPECT_EQ(line.root, "/srv/data") << arguments[0];
    }
    EXPECT_EQ(parse({"--root", "a", "--root", "b"}).root, "b") << "the last one counts";
    EXPECT_EQ(parse({"--root", "--help"}).root, "--help") << "the folder may look like an option";
    EXPECT_EQ(parse({"--s=/tmp/c.sock", "--root", "x", "--"}).socket, "/tmp/c.sock");
    // Whichever of --help and --version comes first is answered.
    command_line both = parse({"--version", "--help"});
    EXPECT_TRUE(both.version && !both.help);

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--rooted=/x"}, "unrecognized option '--rooted=/x'"},
        {{"-x"}, "invalid option -- 'x'"},
        {{"--", "--help"}, "unexpected argument '--help'"},
        {{"--help=yes"}, "option '--help' doesn't allow an argument"},
        {{"--root="}, "option '--root' requires a folder"},
        {{"--socket="}, "option '--socket' requires a path"},
        {{"--help", "--\x1b]2;owned\x07"}, "unrecognized option '--?]2;owned?'"},
    };
    for (const auto& [arguments, message] : cases)
        EXPECT_EQ(parse(arguments).error, message) << arguments.back();

    // (The programs' usage and version lines: check_packages.sh programs.)
    // The version the console writes for the controller ("6.1.012") is
    // the package's version ("6.1.12") with the last number in three digits.
    int major = 0, minor = 0, patch = 0, p_major = 0, p_minor = 0, p_patch = 0;
    ASSERT_EQ(std::sscanf(CONSOLE_SOFTWARE_VERSION, "%d.%d.%d", &major, &minor, &patch), 3);
    ASSERT_EQ(std::sscanf(LUMEX_TEST_VERSION, "%d.%d.%d", &p_major, &p_minor, &p_patch), 3);
    EXPECT_EQ(std::vector<int>({major, minor, patch}), std::vector<int>({p_major, p_minor, p_patch}));

    // The user data root follows the XDG rule; relative folders are not used.
    const std::pair<user_environment, std::string> roots[] = {
        {{"/home/ana", "~/data", "/home/ana-account"}, "/home/ana/.local/share/lumex6/"},
        {{"/home/ana", "/data/ana//", "/home/ana-account"}, "/data/ana/lumex6/"},
        {{"home/ana", "", "/home/ana-account"}, "/home/ana-account/.local/share/lumex6/"},
        {{"", "", ""}, ""},
    };
    for (const auto& [environment, root] : roots)
        EXPECT_EQ(func_user_data_root(environment), root) << environment.home << " " << environment.xdg_data_home;
}

TEST_F(RootChoiceTest, WhoCanWriteTheInstallationRootWorksThereADesktopUserWhoCannotGetsAFolderOfTheirOwn)
{
    for (bool desktop : {false, true}) {
        root_choice choice = choose(command_line(), desktop);
        EXPECT_EQ(choice.error + choice.data_root + choice.resource_root, sandbox.root() + sandbox.root());
        EXPECT_FALSE(choice.per_user);
    }
    EXPECT_FALSE(fs::exists(per_user_root()));

    refuse_writes(sandbox.root());
    environment.xdg_data_home = "relative";
    root_choice choice = choose(command_line(), true);
    EXPECT_EQ(choice.error, "");
    EXPECT_TRUE(choice.per_user);
    EXPECT_EQ(choice.data_root, per_user_root());
    EXPECT_EQ(choice.resource_root, sandbox.root()) << "interface files stay where the package put them";

    environment.xdg_data_home = "";
    environment.home = "";
    environment.account_home = "";
    EXPECT_NE(choose(command_line(), true).error.find("home folder"), std::string::npos);

    // The machine console never moves its data: it says how to choose.
    root_choice machine = choose(command_line(), false);
    EXPECT_NE(machine.error.find("cannot write to the data root '" + sandbox.root() + "'"), std::string::npos)
        << machine.error;
    EXPECT_NE(machine.error.find("--root"), std::string::npos);
}

TEST_F(RootChoiceTest, RootOptionRefusesFoldersTheConsoleCannotUseAndTakesRelativeOnes)
{
    std::ofstream(home + "/plain-file") << "x";
    fs::create_directories(home + "/locked");
    fs::create_directories(home + "/read-only");
    func_set_access_check([this](const std::string& path, int mode) {
        if (path == home + "/locked" && (mode & (R_OK | X_OK)))
            return false;
        if (path == home + "/read-only" && (mode & W_OK))
            return false;
        return access(path.c_str(), mode) == 0;
    });
    const std::vector<std::pair<std::string, std::string>> cases = {
        {home + "/plain-file", "cannot use '" + home + "/plain-file' as the data root: it is not a folder"},
        {home + "/locked/", "cannot read the data root '" + home + "/locked/'"},
        {home + "/read-only", "cannot write to the data root '" + home + "/read-only'"},
    };
    for (bool desktop : {false, true})
        for (const auto& [folder, message] : cases) {
            root_choice choice = choose(parse({"--root", folder}), desktop);
            EXPECT_EQ(choice.error, message);
            // No per-user folder instead: a refused root stops the start.
            EXPECT_FALSE(choice.per_user);
        }
    EXPECT_FALSE(fs::exists(per_user_root()));

    // Missing interface files stop the start.
    sandbox_root empty(false);
    const std::string bare = func_choose_roots(command_line(), true, empty.root(), environment).error;
    EXPECT_NE(bare.find("cannot read the interface files in '" + empty.root() + "image/'"), std::string::npos) << bare;
    EXPECT_NE(bare.find("lumex6-data"), std::string::npos);

    // Relative, trailing-slash and plain folders are the same root.
    fs::create_directories(home + "/customer a");
    ASSERT_EQ(chdir(home.c_str()), 0);
    const std::string expected = home + "/customer a/";
    for (const char* typed : {"customer a", "./customer a//"}) {
        root_choice choice = choose(parse({"--root", typed}), true);
        EXPECT_EQ(choice.error + choice.data_root, expected) << typed;
    }
    EXPECT_EQ(choose(parse({"--root", home + "/customer a"}), false).data_root, expected);
    // A bare data folder reads the installed interface files; a whole tree
    // (a copy of a machine's folder) its own.
    EXPECT_EQ(choose(parse({"--root", expected}), true).resource_root, sandbox.root());
    fs::create_directories(expected + "image");
    EXPECT_EQ(choose(parse({"--root", expected}), false).resource_root, expected);
}

TEST_F(RootChoiceTest, FirstStartBuildsAndSeedsTheUserRootFromTheInstallation)
{
    sandbox.write_file("configuration/site.cfg", "configuration bytes");
    sandbox.write_file("formulas/formulas.dat", "list");
    sandbox.write_file("formulas/f-001/steps.dat", "steps of 1");
    sandbox.write_file("data/password.dat", "secret");
    sandbox.write_file("log/01-2026-events.log", "installation's own log");
    sandbox.write_file(std::string("formulas/") + TEMPORARY_FILE_PREFIX + "half", "cut short");
    refuse_writes(sandbox.root());
    root_choice choice = choose(command_line(), true);
    ASSERT_EQ(choice.error, "");

    EXPECT_EQ(func_prepare_data_root(choice, sandbox.root()), "");
    const std::string root = per_user_root();
    EXPECT_EQ(names_below(root),
              (std::vector<std::string>{"configuration", "configuration/site.cfg", "data", "data/password.dat",
                                        "formulas", "formulas/f-001", "formulas/f-001/steps.dat",
                                        "formulas/formulas.dat", "hd", "log", "update"}))
        << "language files, pictures, logs and half-written files are not copied";
    EXPECT_EQ(func_read_whole_file(root + "formulas/f-001/steps.dat"), "steps of 1");
    EXPECT_EQ(names_below(home + "/.local/share").size(), names_below(root).size() + 1)
        << "nothing is left beside it";
    struct stat info;
    ASSERT_EQ(stat((home + "/.local/share").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "folders the XDG rule creates are private";

    // Later starts keep the user's changes and bring back removed folders.
    std::ofstream(root + "configuration/site.cfg") << "changed by the user";
    fs::remove_all(root + "log");
    sandbox.write_file("formulas/formulas.dat", "newer installation list");
    EXPECT_EQ(func_prepare_data_root(choice, sandbox.root()), "");
    EXPECT_EQ(func_read_whole_file(root + "configuration/site.cfg"), "changed by the user");
    EXPECT_EQ(func_read_whole_file(root + "formulas/formulas.dat"), "list");
    EXPECT_TRUE(fs::is_directory(root + "log"));
}

TEST_F(RootChoiceTest, FirstStartThatCannotFinishLeavesNoHalfSeededRoot)
{
    sandbox.write_file("formulas/formulas.dat", "list");
    refuse_writes(sandbox.root());
    root_choice choice = choose(command_line(), true);
    // Creating the formula folder fails, as on a full disk.
    func_file_io_ops().make_folder = [](const char* path, mode_t mode) {
        if (std::string(path).find("/formulas") != std::string::npos) {
            errno = ENOSPC;
            return -1;
        }
        return ::mkdir(path, mode);
    };
    const std::string error = func_prepare_data_root(choice, sandbox.root());
    EXPECT_NE(error.find("cannot seed the data root '" + per_user_root() + "'"), std::string::npos) << error;
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(names_below(home + "/.local/share"), std::vector<std::string>{});

    // The same for a root that is in the way.
    func_reset_file_io_ops();
    std::ofstream(home + "/.local/share/lumex6") << "not a folder";
    EXPECT_NE(func_prepare_data_root(choice, sandbox.root()).find("cannot use '" + per_user_root() + "' as the data root"),
              std::string::npos);
}

TEST_F(RootChoiceTest, ApplyingTheCommandLineSetsTheRootsOrEndsWithItsStatus)
{
    const std::string installed = sandbox.root();
    const char* old_home = getenv("HOME");
    const std::string saved_home = old_home ? old_home : "";
    const char* old_xdg = getenv("XDG_DATA_HOME");
    const std::string saved_xdg = old_xdg ? old_xdg : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", "", 1);
    refuse_writes(installed);

    std::string err;
    auto run = [&err](std::string program, bool desktop) {
        char* argv[] = {program.data(), nullptr};
        std::ostringstream out, errors;
        const int status = func_apply_command_line(1, argv, desktop, out, errors);
        err = errors.str();
        return status;
    };
    // (The programs' own statuses and messages: tests/packaging/check_packages.sh programs.)
    EXPECT_EQ(run("lumex6", false), EXIT_ROOT_UNUSABLE);
    EXPECT_EQ(err.rfind("lumex6: cannot write to the data root", 0), 0u) << err;
    EXPECT_EQ(func_get_install_root(), installed) << "a refused start changes no root";

    EXPECT_EQ(run("lumex6-pc", true), -1) << err;
    EXPECT_EQ(func_get_install_root(), per_user_root());
    EXPECT_EQ(func_image_dir(), installed + "image/");
    EXPECT_TRUE(fs::exists(func_language_dir() + "L0.lng")) << "language files stay installed";
    EXPECT_TRUE(fs::is_directory(func_formulas_dir()));

    setenv("HOME", saved_home.c_str(), 1);
    if (old_xdg)
        setenv("XDG_DATA_HOME", saved_xdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
