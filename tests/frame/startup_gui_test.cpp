// The first start of a freshly installed console, splash to home.
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "frame/startup.h"
#include "language/language.h"
#include "support/console_fixture.h"
#include "support/core_data_fixture.h"

namespace {
class startup_gui_test : public console_gui_test {};

TEST_F(startup_gui_test, a_first_start_creates_the_default_files_and_ends_on_the_home_screen)
{
    int argc = 1;
    char program[] = "lumex6-test";
    char* arguments[] = {program, nullptr};
    char** argv = arguments;
    ASSERT_EQ(0, func_start_up(&argc, &argv));
    ASSERT_NE(nullptr, splash_window);
    func_test_run_loop(300);
    func_test_save_screenshot(splash_window, "splash_customer");
    EXPECT_NE(SCREEN_HOME, func_current_screen_code());

    func_test_run_loop(3200);  // the first timer swaps in the second picture
    ASSERT_NE(nullptr, splash_window);
    func_test_save_screenshot(splash_window, "splash_misc");

    func_test_run_loop(3300);  // the second timer brings up home
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_EQ(nullptr, splash_window);
    EXPECT_TRUE(gtk_widget_get_visible(home_window()));
    func_test_save_screenshot(home_window(), "home_first_start");

    // (Their contents: configuration_record_test and version_files_test.)
    for (const char* made : {"configuration/default.cfg", "configuration/default.cfs", "ztqbgui.ver"})
        EXPECT_TRUE(sandbox.exists(made)) << made;
    const auto lines = read_log_texts(sandbox.read_file("log/03-2018-syserror.log"));
    EXPECT_NE(lines.end(),
              std::find(lines.begin(), lines.end(), "No connection to ipc server, attempting to restore connection!"));
    EXPECT_EQ("02:05 PM", func_test_label_text(home_widget("lbl_time"))) << "the console's clock";
}

TEST_F(startup_gui_test, the_set_marker_gets_the_version_and_an_unknown_language_starts_english)
{
    sandbox.write_file("formulas/spring.set", "");
    write_configuration({{1, 11.0f}});
    prepare_console();
    EXPECT_EQ("RIDEVUVE\n6.1.012\n" + std::to_string(getpid()), sandbox.read_file("formulas/spring.set"));
    EXPECT_EQ(0.0f, current_machine_configuration->items[1]) << "the record holds English";
    EXPECT_EQ("YES", p[27]);
}

TEST_F(startup_gui_test, leftovers_of_an_interrupted_save_are_removed_and_a_save_in_progress_is_not)
{
    sandbox.write_file("configuration/._lumex_tmp_99_0", "half a record");
    sandbox.write_file("formulas/f-001/._lumex_tmp_99_1", "half a step");
    sandbox.write_file("formulas/f-002/._lumex_tmp_99_2", "half a step");
    // Written before this start (a power cut): swept.
    const struct timeval earlier[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(0, utimes(sandbox.path("formulas/f-001/._lumex_tmp_99_1").c_str(), earlier));
    prepare_console();
    EXPECT_FALSE(sandbox.exists("configuration/._lumex_tmp_99_0"));
    // Formula folders are swept once home is drawn; a temporary written
    // since the start belongs to a save still running and stays.
    EXPECT_TRUE(sandbox.exists("formulas/f-001/._lumex_tmp_99_1"));
    sandbox.write_file("formulas/f-002/._lumex_tmp_99_2", "a save in progress");
    func_timer_splash_2(nullptr);
    func_test_run_loop(300);
    EXPECT_FALSE(sandbox.exists("formulas/f-001/._lumex_tmp_99_1"));
    EXPECT_TRUE(sandbox.exists("formulas/f-002/._lumex_tmp_99_2"));
}

// The family the toolkit draws a font description with.
std::string drawn_family(const char* description)
{
    PangoFontDescription* wanted = pango_font_description_from_string(description);
    PangoContext* context = gdk_pango_context_get();
    PangoFont* font = pango_context_load_font(context, wanted);
    std::string family;
    if (font) {
        PangoFontDescription* got = pango_font_describe(font);
        family = pango_font_description_get_family(got);
        pango_font_description_free(got);
        g_object_unref(font);
    }
    g_object_unref(context);
    pango_font_description_free(wanted);
    return family;
}

TEST_F(startup_gui_test, every_font_the_console_names_is_one_its_packages_install)
{
    prepare_console();
    EXPECT_EQ("Liberation Sans", drawn_family("Arial bold 14"));
    EXPECT_EQ("Liberation Sans Narrow", drawn_family("Tahoma Narrow 12"));
    EXPECT_EQ("DejaVu Sans", drawn_family("Tahoma bold 16"));
    // The toolkit's font of this variant.
    gchar* toolkit_font = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-font-name", &toolkit_font, nullptr);
    const std::string family = drawn_family(toolkit_font);
    g_free(toolkit_font);
    EXPECT_TRUE(family == "Liberation Sans" || family == "Liberation Sans Narrow") << family;
}
}  // namespace
