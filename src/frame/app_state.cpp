#include "frame/app_state.h"

#include <new>

#include "logs/log_file.h"

display_data* options_display = nullptr;
display_data* preloaded_display = nullptr;
page_info_record* page_info = nullptr;

GtkWidget* main_application_window = nullptr;
GdkWindow* gdk_window = nullptr;
GdkCursor* blank_cursor = nullptr;

void func_reset_page_info()
{
    if (!page_info)
        return;
    for (int code = 0; code < SCREEN_RECORD_COUNT; ++code)
        page_info[code] = page_info_record();
}

int func_allocate_shared_records()
{
    if (!page_info) {
        page_info = new (std::nothrow) page_info_record[SCREEN_RECORD_COUNT];
        if (!page_info) {
            func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for page info structure", 0);
            return 0;
        }
    }
    if (!options_display) {
        options_display = new (std::nothrow) display_data();
        if (!options_display) {
            func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for options display structure", 0);
            return 0;
        }
        // No screen is shown until the first show function runs.
        options_display->screen_code = -1;
    }
    if (!preloaded_display) {
        preloaded_display = new (std::nothrow) display_data[SCREEN_RECORD_COUNT];
        if (!preloaded_display) {
            func_write_log(LOG_SYSERROR, "Main: Can't allocate memory for preloading display structure", 0);
            return 0;
        }
    }
    func_reset_page_info();
    return 1;
}

int func_current_screen_code() { return options_display ? options_display->screen_code : -1; }
