// Test entry point. GUI test binaries open the display (Xvfb in CI) only
// when tests actually run, so listing them works without one.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    bool listing = ::testing::GTEST_FLAG(list_tests);
#if LUMEX_GUI_BINARY
    if (!listing && !gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "GUI tests need a display (run them under xvfb-run -a)\n");
        return 1;
    }
#endif
    (void)listing;
    return RUN_ALL_TESTS();
}
