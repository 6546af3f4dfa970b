// Every text colour the theme and the code use against the background it
// is drawn on: at least 4.5:1, so that it reads at the machine.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "frame/palette.h"
#include "support/gui_support.h"

namespace {
double contrast(const std::string& a, const std::string& b)
{
    GdkColor first, second;
    EXPECT_TRUE(gdk_color_parse(a.c_str(), &first) && gdk_color_parse(b.c_str(), &second)) << a << " " << b;
    return func_test_contrast(first, second);
}

// style name -> "fg[NORMAL]" -> "#rrggbb", from the theme file.
std::map<std::string, std::map<std::string, std::string>> theme_colours()
{
    std::ifstream in(std::string(LUMEX_STAGE_DIR) + "/image/lumex.gtkrc");
    std::map<std::string, std::map<std::string, std::string>> styles;
    const std::regex style_line("^style \"([^\"]+)\"");
    const std::regex colour_line("^\\s*((fg|bg)\\[[A-Z]+\\])\\s*=\\s*\"(#[0-9a-fA-F]{6})\"");
    std::string line, style;
    std::smatch found;
    while (std::getline(in, line)) {
        if (std::regex_search(line, found, style_line))
            style = found[1];
        else if (std::regex_search(line, found, colour_line))
            styles[style][found[1]] = found[3];
    }
    return styles;
}

TEST(palette, every_text_colour_reads_on_its_background)
{
    auto styles = theme_colours();
    ASSERT_FALSE(styles["lumex-button"].empty());
    const std::string window = styles["lumex-window"]["bg[NORMAL]"];
    struct pair {
        std::string text, background, what;
    };
    std::vector<pair> pairs = {
        {LUMEX_SELECTED_TEXT, LUMEX_BUTTON_BACKGROUND, "selected row"},
        {LUMEX_SELECTED_TEXT, LUMEX_BUTTON_PRESSED_BACKGROUND, "pressed row"},
        {LUMEX_NUMBER_TEXT, LUMEX_BUTTON_BACKGROUND, "row number"},
        {LUMEX_NUMBER_TEXT, LUMEX_BAR_BACKGROUND, "page counter"},
        {LUMEX_PLAIN_TEXT, LUMEX_BAR_BACKGROUND, "message bar"},
        {LUMEX_ERROR_TEXT, LUMEX_ERROR_BACKGROUND, "error message"},
        {LUMEX_ACTIVE_ENTRY_TEXT, LUMEX_ACTIVE_ENTRY_BACKGROUND, "active field"},
        {LUMEX_ALARM_TEXT, LUMEX_WINDOW_BACKGROUND, "alarm title"},
        {LUMEX_ALARM_TITLE_TEXT, LUMEX_ALARM_TITLE_BACKGROUND, "alarm title bar"},
        {LUMEX_PLAIN_TEXT, LUMEX_WARNING_BACKGROUND, "error and warning dialogs"},
        {LUMEX_PLAIN_TEXT, LUMEX_QUESTION_BACKGROUND, "question dialogs"},
        {LUMEX_PLAIN_TEXT, LUMEX_WAIT_BACKGROUND, "wait dialog"},
    };
    // The theme: buttons in each state they can be read in, labels on
    // the window and the panels.
    for (const char* state : {"NORMAL", "PRELIGHT", "ACTIVE"})
        pairs.push_back({styles["lumex-button"][std::string("fg[") + state + "]"],
                         styles["lumex-button"][std::string("bg[") + state + "]"], std::string("button ") + state});
    for (const char* style : {"lumex-label", "lumex-title", "lumex-version", "lumex-help"})
        pairs.push_back({styles[style]["fg[NORMAL]"], window, style});
    pairs.push_back({styles["lumex-help"]["fg[NORMAL]"], styles["lumex-help"]["bg[NORMAL]"], "help line"});
    pairs.push_back({styles["lumex-label"]["fg[NORMAL]"], styles["lumex-panel"]["bg[NORMAL]"], "label on a panel"});
    for (const pair& each : pairs) {
        ASSERT_EQ(7u, each.text.size()) << each.what;
        ASSERT_EQ(7u, each.background.size()) << each.what;
        EXPECT_GE(contrast(each.text, each.background), 4.5) << each.what << ": " << each.text << " on "
                                                             << each.background;
    }
    // What cannot be used is clearly dimmer than what can.
    EXPECT_LT(contrast(styles["lumex-button"]["fg[INSENSITIVE]"], styles["lumex-button"]["bg[INSENSITIVE]"]),
              contrast(styles["lumex-button"]["fg[NORMAL]"], styles["lumex-button"]["bg[NORMAL]"]) / 2);
}
}  // namespace
