// What the frame shares between screens: the screen codes, the screen
// records and the paging records. Allocated once at start-up; every
// subsystem keeps its own stores and flags.
#pragma once
#include <gtk/gtk.h>

// Screen codes.
enum screen_code {
    SCREEN_HOME = 0,
    SCREEN_CONFIGURATION = 1,
    SCREEN_FORMULAS = 2,
    SCREEN_STEPS = 3,
    SCREEN_SELECTED_STEP = 4,
    SCREEN_CHEMICALS = 5,
    SCREEN_FILE = 6,
    SCREEN_ERROR_INFO = 9,
    SCREEN_INPUT_OUTPUT = 10,
    SCREEN_LOGS = 11,
    SCREEN_SYSTEM_SETTINGS = 12,
    SCREEN_CHEMICAL_VALVES = 13,
    SCREEN_SPRAY_DOWN = 14,
    SCREEN_VEZ_CONFIGURATION = 15,
    SCREEN_POST_DRY = 16,
    SCREEN_VEZ_STATE = 17,
    SCREEN_VEZ_RECOVERY = 18,
    SCREEN_VEZ_MANUAL = 19,
    SCREEN_VEZ_BATCH_DATA = 20,
    SCREEN_RUN = 22,
};
// Records are indexed by screen code.
constexpr int SCREEN_RECORD_COUNT = SCREEN_RUN + 1;
constexpr int SCREEN_BUTTON_COUNT = 14;
constexpr int SCREEN_LABEL_COUNT = 14;

// Screen descriptor: what a screen shows and where its shared widgets are.
struct display_data {
    int screen_code = 0;
    GtkWidget* window = nullptr;
    int list_width = 0, list_height = 0;
    // The list, its title, page counter, page buttons and message bar.
    GtkWidget *evb_options_list = nullptr, *tbl_options_list = nullptr, *vwp_options_list = nullptr;
    GtkWidget *lbl_active_item = nullptr, *evb_active_item = nullptr;
    GtkWidget *evb_page_info = nullptr, *lbl_page_info = nullptr;
    GtkWidget *btn_page_up = nullptr, *btn_page_down = nullptr, *btn_page_left = nullptr, *btn_page_right = nullptr;
    GtkWidget *lbl_message_bar = nullptr, *evb_message_bar = nullptr;
    GtkWidget *btn_save = nullptr, *btn_cancel = nullptr;
    // The second list of the file screen; other screens keep their own
    // widgets here (home: img_socket_status in evb_options_list1, lbl_time
    // in btn_page_up1, lbl_date in btn_page_down1).
    int list_width1 = 0, list_height1 = 0;
    GtkWidget *lbl_page_info1 = nullptr, *evb_page_info1 = nullptr;
    GtkWidget *evb_options_list1 = nullptr, *tbl_options_list1 = nullptr, *vwp_options_list1 = nullptr;
    GtkWidget *btn_page_up1 = nullptr, *btn_page_down1 = nullptr;
    GtkWidget* buttons[SCREEN_BUTTON_COUNT] = {};
    GtkWidget* labels[SCREEN_LABEL_COUNT] = {};
};

// One list's paging state.
struct page_list_info {
    char selected_text[52] = {};
    int selected_number = -1;
    // The row pressed last and the row drawn active, each with its page.
    int pressed_row = -1, pressed_page = 0;
    int active_row = -1, active_page = 0;
    int total_items = 0, rows_per_page = 0;
    int pages = 1, current_page = 1;
    // Items first_item to end_item - 1 are on the page, in rows_shown rows.
    int first_item = 0, end_item = 0, rows_shown = 0;
    int reload = 0;
};

// Paging record of one screen: its main list and the file screen's second list.
struct page_info_record {
    page_list_info list;
    page_list_info list1;
};

extern display_data* options_display;
extern display_data* preloaded_display;  // SCREEN_RECORD_COUNT records
extern page_info_record* page_info;      // SCREEN_RECORD_COUNT records

extern GtkWidget* main_application_window;
extern GdkWindow* gdk_window;
extern GdkCursor* blank_cursor;

// Allocates page_info, options_display and preloaded_display once and
// resets every page record to "no selection, page 1 of 1". Returns 1, or
// 0 after logging when memory runs out.
int func_allocate_shared_records();
// Puts every page record back to its initial values (tests, start-up).
void func_reset_page_info();

// The visible screen's code, or -1 before any screen is shown.
int func_current_screen_code();
