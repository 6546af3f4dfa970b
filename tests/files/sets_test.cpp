#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "files/atomic_file.h"
#include "files/sets.h"
#include "files/version_files.h"
#include "support/tcc_helpers.h"

namespace fs = std::filesystem;

namespace {
using tree = file_tree;

// Mutating calls counted; the chosen one fails (ENOSPC) or throws (a cut).
int calls = 0, fail_at = -1, cut_at = -1;
struct power_cut {};
bool step()
{
    ++calls;
    if (calls == cut_at)
        throw power_cut{};
    if (calls == fail_at) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

void count_mutating_calls()
{
    calls = 0;
    file_io_ops& ops = func_file_io_ops();
    ops.open_file = [](const char* path, int flags, mode_t mode) {
        return (flags & O_CREAT) && !step() ? -1 : ::open(path, flags, mode);
    };
    ops.write_file = [](int fd, const void* data, size_t size) { return step() ? ::write(fd, data, size) : -1; };
    ops.rename_file = [](const char* from, const char* to) { return step() ? ::rename(from, to) : -1; };
    ops.unlink_file = [](const char* path) { return step() ? ::unlink(path) : -1; };
    ops.make_folder = [](const char* path, mode_t mode) { return step() ? ::mkdir(path, mode) : -1; };
    ops.remove_folder = [](const char* path) { return step() ? ::rmdir(path) : -1; };
    ops.sync_filesystem = [](int fd) { return step() ? ::syncfs(fd) : -1; };
}

const std::string VERSION_FILE_START = std::string("RIDEVUVE\n") + CONSOLE_SOFTWARE_VERSION + "\n";
}  // namespace

class SetTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        fs::create_directories(sandbox.path("usb"));
        sandbox.write_file("formulas/formulas.dat", std::string(2 * 68, 'F'));
        sandbox.write_file("formulas/chemicals.dat", "C");
        sandbox.write_file("formulas/spring.set", "marker");
        sandbox.write_file("formulas/f-001/steps.dat", std::string(152, 'S'));
        sandbox.write_file("formulas/notes/readme", "not part of a set");
        sandbox.write_file("configuration/default.cfg", std::string(292, 'c'));
        sandbox.write_file("configuration/postdry.dat", "P");
    }

    // A formula set on the stick holding one formula record.
    void make_set(const std::string& name, const std::string& version_file)
    {
        sandbox.write_file("usb/" + name + ".set/formulas.dat", std::string(68, 'N'));
        sandbox.write_file("usb/" + name + ".set/f-007/steps.dat", "new steps");
        if (!version_file.empty())
            sandbox.write_file("usb/" + name + ".set/" + name + ".set", version_file);
    }

    std::string usb() const { return sandbox.path("usb/"); }
};

TEST_F(SetTest, ExportAndImportCarryPlainFilesFormulaFoldersAndTheSetName)
{
    const tree working = read_tree(sandbox.path("formulas"));
    set_result exported = func_export_formulas_set(usb(), false);
    EXPECT_TRUE(exported.ok);
    EXPECT_EQ(exported.detail, "spring");
    tree set = read_tree(sandbox.path("usb/spring.set"));
    EXPECT_EQ(set.size(), 5u) << "formulas.dat, chemicals.dat, f-001, its steps and the version file";
    EXPECT_EQ(set["f-001/steps.dat"], working.at("f-001/steps.dat"));
    EXPECT_EQ(set["spring.set"].rfind(VERSION_FILE_START, 0), 0u);
    EXPECT_EQ(read_tree(sandbox.path("formulas")), working) << "export only reads the working data";

    sandbox.write_file("formulas/f-001/steps.dat", "changed since");
    sandbox.write_file("formulas/f-002/steps.dat", "made since");
    ASSERT_TRUE(func_import_formulas_set(usb(), "spring", false).ok);
    tree imported = read_tree(sandbox.path("formulas"));
    set["spring.set"] = "";  // the working data's name is an empty marker
    EXPECT_EQ(imported, set);
    EXPECT_FALSE(sandbox.exists(".formulas.incoming") || sandbox.exists(".formulas.previous"));

    // Without a name: default.set without a version file; configuration.cfs
    // with one, and the working configuration takes that name.
    fs::remove(sandbox.path("formulas/spring.set"));
    EXPECT_TRUE(func_export_formulas_set(usb(), false).ok);
    EXPECT_FALSE(sandbox.exists("usb/default.set/default.set"));
    EXPECT_TRUE(sandbox.exists("usb/default.set/f-001/steps.dat"));
    EXPECT_EQ(func_export_configuration_set(usb(), false).detail, "configuration");
    EXPECT_EQ(sandbox.read_file("usb/configuration.cfs/configuration.cfs").rfind(VERSION_FILE_START, 0), 0u);
    EXPECT_TRUE(sandbox.exists("configuration/configuration.cfs"));
    sandbox.write_file("configuration/default.cfg", std::string(292, 'x'));
    ASSERT_TRUE(func_import_configuration_set(usb(), "configuration", false).ok);
    EXPECT_EQ(read_tree(sandbox.path("configuration")),
              (tree{{"default.cfg", std::string(292, 'c')}, {"postdry.dat", "P"}, {"configuration.cfs", ""}}));
    EXPECT_TRUE(sandbox.programs_run.empty());
}

TEST_F(SetTest, ExportNeverMergesAndAFailedExportLeavesNothingUnderTheName)
{
    sandbox.write_file("usb/spring.set/stale.dat", "from another machine");
    EXPECT_EQ(func_export_formulas_set(usb(), false).status, set_status::already_exists);
    EXPECT_EQ(sandbox.read_file("usb/spring.set/stale.dat"), "from another machine");

    // The disk fills at each write in turn: the old set stays whole.
    const tree before = read_tree(usb());
    count_mutating_calls();
    for (fail_at = 1; !func_export_formulas_set(usb(), true).ok; calls = 0, ++fail_at)
        EXPECT_EQ(read_tree(usb()), before) << "failure at call " << fail_at;
    func_reset_file_io_ops();
    EXPECT_GT(fail_at, 5);
    EXPECT_FALSE(sandbox.exists("usb/spring.set/stale.dat"));
    // What a failure left aside goes with the next export.
    EXPECT_TRUE(func_export_formulas_set(usb(), true).ok);
    EXPECT_EQ(sandbox.list_folder("usb"), std::vector<std::string>{"spring.set"});
    EXPECT_EQ(read_tree(sandbox.path("usb/spring.set")).size(), 5u);

    sandbox.refuse_writes_under({"usb"});
    EXPECT_FALSE(func_export_configuration_set(usb(), true).ok);
}

TEST_F(SetTest, AFailedImportAtAnyStepLeavesTheWorkingDataWhole)
{
    make_set("autumn", "");
    const tree working = read_tree(sandbox.path("formulas"));
    count_mutating_calls();
    set_result result;
    for (fail_at = 1; !(result = func_import_formulas_set(usb(), "autumn", false)).ok; calls = 0, ++fail_at) {
        EXPECT_EQ(read_tree(sandbox.path("formulas")), working) << "failure at call " << fail_at;
        EXPECT_FALSE(sandbox.exists(".formulas.incoming"));
        EXPECT_TRUE(result.message_slot == 315 || result.message_slot == 314) << result.message_slot;
    }
    func_reset_file_io_ops();
    EXPECT_GT(fail_at, 4);
    EXPECT_EQ(sandbox.read_file("formulas/f-007/steps.dat"), "new steps");

    // The stick is pulled: the set cannot be read.
    fs::remove_all(sandbox.path("usb/autumn.set"));
    EXPECT_EQ(func_import_formulas_set(usb(), "autumn", false).message_slot, 314);
    EXPECT_EQ(sandbox.read_file("formulas/f-007/steps.dat"), "new steps");
}

TEST_F(SetTest, APowerCutAtAnyStepOfAnImportIsPutRightAtStartUp)
{
    make_set("autumn", "");
    const tree old_data = read_tree(sandbox.path("formulas"));
    tree new_data = read_tree(sandbox.path("usb/autumn.set"));
    new_data["autumn.set"] = "";
    int cuts_between_renames = 0;
    count_mutating_calls();
    fs::copy(sandbox.path("formulas"), sandbox.path("pristine"), fs::copy_options::recursive);
    for (cut_at = 1;; ++cut_at) {
        fs::remove_all(sandbox.path("formulas"));
        fs::copy(sandbox.path("pristine"), sandbox.path("formulas"), fs::copy_options::recursive);
        calls = 0;
        try {
            if (func_import_formulas_set(usb(), "autumn", false).ok)
                break;
            ADD_FAILURE() << "the import failed at call " << cut_at;
        } catch (const power_cut&) {
        }
        func_reset_file_io_ops();
        if (!sandbox.exists("formulas") && sandbox.exists(".formulas.previous"))
            ++cuts_between_renames;
        func_recover_interrupted_set_import();
        const tree after = read_tree(sandbox.path("formulas"));
        EXPECT_TRUE(after == old_data || after == new_data) << "cut at call " << cut_at;
        EXPECT_FALSE(sandbox.exists(".formulas.incoming") || sandbox.exists(".formulas.previous"));
        count_mutating_calls();
    }
    func_reset_file_io_ops();
    EXPECT_EQ(cuts_between_renames, 1);
    EXPECT_EQ(read_tree(sandbox.path("formulas")), new_data);
}

TEST_F(SetTest, SetsOfOtherVersionsOrWithDamagedDataAreRefused)
{
    make_set("old", "RIDEVUVE\n5.9.010\n77");
    make_set("garbage", "\x01\x02 no version here\n");
    make_set("unversioned", "");
    make_set("truncated", "RIDEVUVE\n6.1.012\n1");
    sandbox.write_file("usb/truncated.set/formulas.dat", std::string(68 + 5, 'T'));
    const tree working = read_tree(sandbox.path("formulas"));
    const std::pair<const char*, const char*> refusals[] = {{"old", "5.9.010"}, {"garbage", "?? no version here"}};
    for (const auto& [name, version] : refusals) {
        set_result result = func_import_formulas_set(usb(), name, false);
        EXPECT_EQ(result.status, set_status::version_refused) << name;
        EXPECT_EQ(result.detail, version) << name;
    }
    set_result truncated = func_import_formulas_set(usb(), "truncated", false);
    EXPECT_EQ(truncated.status, set_status::failed);
    EXPECT_EQ(truncated.detail, "truncated.set");
    EXPECT_EQ(read_tree(sandbox.path("formulas")), working);

    EXPECT_TRUE(func_import_formulas_set(usb(), "unversioned", false).ok);
    EXPECT_TRUE(func_import_formulas_set(usb(), "old", true).ok);
    EXPECT_TRUE(sandbox.exists("formulas/old.set"));

    sandbox.write_file("usb/short.cfs/default.cfg", std::string(291, 'c'));
    sandbox.write_file("usb/none.cfs/postdry.dat", "P");
    for (const char* name : {"short", "none"})
        EXPECT_EQ(func_import_configuration_set(usb(), name, true).message_slot, 570) << name;
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), std::string(292, 'c'));
}

TEST_F(SetTest, HostileNamesAndLinksAreTakenLiterallyOrLeftOut)
{
    for (const char* name : {"a;touch X", "$(id)", "-rf", ".", "new\nline", "\xff\xfe"})
        make_set(name, "");
    sandbox.write_file("outside/secret", "root:x:0:0");
    sandbox.write_file("outside/f-001/steps.dat", "outside steps");
    fs::create_directory_symlink(sandbox.path("outside"), sandbox.path("usb/evil.set"));
    make_set("links", "");
    fs::remove(sandbox.path("usb/links.set/formulas.dat"));
    fs::create_symlink(sandbox.path("outside/secret"), sandbox.path("usb/links.set/formulas.dat"));
    fs::create_directory_symlink(sandbox.path("outside/f-001"), sandbox.path("usb/links.set/f-001"));
    fs::create_symlink(sandbox.path("outside/secret"), sandbox.path("usb/links.set/f-007/chemicals.dat"));
    sandbox.write_file("usb/links.set/f-1/steps.dat", "not a formula folder");
    sandbox.write_file("usb/links.set/f-0071/steps.dat", "not a formula folder");

    EXPECT_EQ(func_list_formula_sets(usb()), (std::vector<std::string>{"$(id)", "-rf", "a;touch X", "links"}));
    EXPECT_EQ(syserror_lines().size(), 4u) << "the link and the three names no set can have";
    for (const std::string name : {"a;touch X", "$(id)", "-rf"}) {
        EXPECT_TRUE(func_import_formulas_set(usb(), name, false).ok) << name;
        EXPECT_TRUE(sandbox.exists("formulas/" + name + ".set")) << name;
    }
    EXPECT_EQ(func_import_formulas_set(usb(), "evil", false).message_slot, 314);
    ASSERT_TRUE(func_import_formulas_set(usb(), "links", false).ok);
    EXPECT_EQ(read_tree(sandbox.path("formulas")),
              (tree{{"f-007", "/"}, {"f-007/steps.dat", "new steps"}, {"links.set", ""}}));

    // Export and delete do not follow links either.
    fs::create_symlink(sandbox.path("outside/secret"), sandbox.path("formulas/chemicals.dat"));
    ASSERT_TRUE(func_export_formulas_set(usb(), true).ok);
    EXPECT_FALSE(sandbox.exists("usb/links.set/chemicals.dat"));
    fs::create_directory_symlink(sandbox.path("outside"), sandbox.path("usb/links.set/f-002"));
    EXPECT_TRUE(func_delete_formulas_set(usb(), "links").ok);
    EXPECT_TRUE(func_delete_formulas_set(usb(), "evil").ok);
    EXPECT_TRUE(func_delete_formulas_set(usb(), "never_there").ok);
    EXPECT_FALSE(sandbox.exists("usb/links.set") || fs::is_symlink(sandbox.path("usb/evil.set")));
    EXPECT_EQ(read_tree(sandbox.path("outside")),
              (tree{{"secret", "root:x:0:0"}, {"f-001", "/"}, {"f-001/steps.dat", "outside steps"}}));
    EXPECT_TRUE(sandbox.programs_run.empty());

    using names = std::vector<std::string>;
    for (const std::string& name : names{"", "..", "a/b", "tab\there", std::string("nul\0x", 5), "\xff",
                                   std::string(201, 'n'), std::string(TEMPORARY_FILE_PREFIX) + "staged"})
        EXPECT_FALSE(func_set_name_acceptable(name)) << name;
    for (const std::string& name : names{"-rf", "Frühling", std::string(200, 'n')})
        EXPECT_TRUE(func_set_name_acceptable(name)) << name;
    const tree usb_before = read_tree(usb());
    for (const std::string& name : names{"../up", "", std::string(300, 'n')}) {
        EXPECT_EQ(func_rename_formulas_set(usb(), "-rf", name).status, set_status::name_refused);
        EXPECT_EQ(func_copy_formulas_set(usb(), "-rf", name).message_slot, 264);
        EXPECT_EQ(func_rename_system_formulas_set("links", name).status, set_status::name_refused);
    }
    EXPECT_EQ(read_tree(usb()), usb_before);
    EXPECT_TRUE(sandbox.exists("formulas/links.set"));
}

TEST_F(SetTest, CloneRenameAndDeleteWorkInTheSourceFolder)
{
    make_set("a", "RIDEVUVE\n6.1.012\n5");
    sandbox.write_file("usb/a.cfs/default.cfg", std::string(292, 'c'));
    sandbox.write_file("usb/a.cfs/a.cfs", "RIDEVUVE\n6.1.012\n5");
    EXPECT_TRUE(func_copy_formulas_set(usb(), "a", "a[C]").ok);
    tree clone = read_tree(sandbox.path("usb/a[C].set"));
    tree original = read_tree(sandbox.path("usb/a.set"));
    original.erase("a.set");
    EXPECT_EQ(clone, original) << "a clone has no version file";
    EXPECT_EQ(func_rename_formulas_set(usb(), "a", "a[C]").status, set_status::already_exists);

    EXPECT_TRUE(func_rename_formulas_set(usb(), "a", "b").ok);
    EXPECT_EQ(read_tree(sandbox.path("usb/b.set")), original) << "a renamed formula set has no version file";
    EXPECT_TRUE(func_rename_configuration_set(usb(), "a", "b").ok);
    EXPECT_EQ(read_tree(sandbox.path("usb/b.cfs")),
              (tree{{"default.cfg", std::string(292, 'c')}, {"b.cfs", "RIDEVUVE\n6.1.012\n5"}}));
    EXPECT_FALSE(sandbox.exists("usb/a.set") || sandbox.exists("usb/a.cfs"));

    EXPECT_TRUE(func_delete_configuration_set(usb(), "b").ok);
    EXPECT_FALSE(sandbox.exists("usb/b.cfs"));
    sandbox.refuse_writes_under({"usb"});
    EXPECT_FALSE(func_delete_formulas_set(usb(), "b").ok);
    EXPECT_TRUE(sandbox.exists("usb/b.set"));
    func_reset_file_io_ops();

    // The working data's name: the marker is renamed, other markers go.
    sandbox.write_file("formulas/zzz.set", "");
    EXPECT_TRUE(func_rename_system_formulas_set("spring", "summer").ok);
    EXPECT_EQ(sandbox.read_file("formulas/summer.set"), "marker");
    EXPECT_FALSE(sandbox.exists("formulas/spring.set") || sandbox.exists("formulas/zzz.set"));
    EXPECT_TRUE(func_rename_system_configuration_set("", "site").ok);
    EXPECT_EQ(sandbox.read_file("configuration/site.cfs"), "");
}
