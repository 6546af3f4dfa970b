// Every text colour the code sets against the background it is drawn
// on: at least 4.5:1, so that it reads at the machine. (The theme's own
// colours are checked on every screen by the every-screen walk.)
#include <gtest/gtest.h>

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

TEST(palette, every_text_colour_reads_on_its_background)
{
    // Pairs a screen shows only in some state: a pressed row, an error
    // (every dialog kind is checked by the every-screen walk).
    const struct {
        std::string text, background, what;
    } pairs[] = {
        {LUMEX_SELECTED_TEXT, LUMEX_BUTTON_BACKGROUND, "selected row"},
        {LUMEX_SELECTED_TEXT, LUMEX_BUTTON_PRESSED_BACKGROUND, "pressed row"},
        {LUMEX_NUMBER_TEXT, LUMEX_BUTTON_BACKGROUND, "row number"},
        {LUMEX_NUMBER_TEXT, LUMEX_BAR_BACKGROUND, "page counter"},
        {LUMEX_PLAIN_TEXT, LUMEX_BAR_BACKGROUND, "message bar"},
        {LUMEX_ERROR_TEXT, LUMEX_ERROR_BACKGROUND, "error message"},
        {LUMEX_ACTIVE_ENTRY_TEXT, LUMEX_ACTIVE_ENTRY_BACKGROUND, "active field"},
        {LUMEX_ALARM_TEXT, LUMEX_WINDOW_BACKGROUND, "alarm title"},
        {LUMEX_ALARM_TITLE_TEXT, LUMEX_ALARM_TITLE_BACKGROUND, "alarm title bar"},
    };
    for (const auto& each : pairs)
        EXPECT_GE(contrast(each.text, each.background), 4.5) << each.what << ": " << each.text << " on "
                                                             << each.background;
}
}  // namespace
