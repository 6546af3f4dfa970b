// The screen table: every screen describes itself once, keyed by its
// screen code, and every way from one screen to another goes through
// func_show_screen. The composition root (startup.cpp) registers the
// screens; nothing else needs to know which screens exist.
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

struct list_page;

struct screen_description {
    int code = -1;
    // Short name for messages and screenshots ("formulas").
    const char* name = "";
    // Its interface file in image/, its window, the size of its list, and
    // the screen buttons its record keeps, in order: the frame builds it
    // from these at start-up.
    const char* interface_file = nullptr;
    const char* window_id = nullptr;
    int list_width = 0, list_height = 0;
    std::vector<const char*> buttons;
    // Then fetches the screen's own widgets and connects its handlers.
    void (*load)(const ui_file& ui, display_data& record) = nullptr;
    // Makes the screen the one shown and fills it from the files.
    void (*show)() = nullptr;
    // Reads the screen's files again and redraws it, keeping what the
    // visit has queued for the change log (after a save that failed).
    void (*reload)() = nullptr;
    // Heading of the change-log lines written when the screen is left
    // ("" writes none); null: the generic heading.
    std::string (*log_heading)() = nullptr;
    // The 500 ms display request while the screen is shown (it ends itself
    // on its first tick after the screen is left) and its request code.
    GSourceFunc display_request = nullptr;
    int request_code = -1;
    // Option row of the screen's item (the selection dialog's options).
    int (*option_row)(int item) = nullptr;
    // The name of the item a value button stands for, in change-log
    // lines; null (or "") when the screen logs no value changes.
    std::string (*item_label)(GtkWidget* caller) = nullptr;
    // The selection dialog on this screen: the options offered for the
    // caller (empty: a direct toggle) and what a choice does.
    std::vector<std::string> (*selection_options)(GtkWidget* caller, int data) = nullptr;
    void (*selection_chosen)(GtkWidget* option, GtkWidget* caller) = nullptr;
    // Options offered but not available in this build are shown insensitive.
    bool (*option_available)(GtkWidget* caller, int index) = nullptr;
    // The paged list of the screen, when it has one, and the second list
    // of a screen with two; rows per page when the screen pages something
    // else (0: the list's rows).
    list_page* list = nullptr;
    list_page* list1 = nullptr;
    int rows_per_page = 0;
    // Value-editing screens: the value buttons of the page, by row.
    GtkWidget** value_buttons = nullptr;
    // Ways in from the home screen: the button that opens it, the row of
    // the configuration menu, and the lockout item (44 file, 45 formula,
    // 46 configuration) whose password guards the way (0: none).
    const char* home_button = nullptr;
    // A second way in from home (the run screen: Run and remote Run).
    const char* home_button2 = nullptr;
    int home_menu_row = -1;
    int password_item = 0;
};

// A description with what every screen has; the caller adds the rest.
screen_description func_describe_screen(int code, const char* name, const char* interface_file,
                                        const char* window_id, int list_width, int list_height,
                                        void (*load)(const ui_file&, display_data&), void (*show)(),
                                        void (*reload)());
// Adds or replaces the description of its code.
void func_register_screen(const screen_description& description);
// Forgets the screen of that code.
void func_unregister_screen(int code);
// The description of a code, null when no such screen is registered.
const screen_description* func_get_screen(int code);
// Codes of every registered screen, in the order they were registered.
std::vector<int> func_registered_screens();
// Builds one registered screen (again); func_show_screen builds a screen
// not built yet.
void func_load_screen(int code);

// Leaves the shown screen (its window is hidden) and shows screen `code`.
// False, after a syserror.log line, when no such screen is registered.
bool func_show_screen(int code);
// The screen registered with that home button / configuration menu row,
// or null.
const screen_description* func_find_screen_by_home_button(const char* button);
const screen_description* func_find_screen_by_home_menu_row(int row);

// Writes the change-log lines queued while the shown screen was used
// under its heading, and empties the queue.
void func_end_screen_log_transaction();

// Queues "------>  [<item>] : <old> --> <new>" for a value of the shown
// screen that the screen names; nothing on other screens.
void func_add_item_change_line(GtkWidget* caller, const std::string& old_text, const std::string& new_text);

// Starts the shown screen's display request; a request of an earlier
// visit that has not ticked its last yet is stopped first.
void func_start_screen_display_request();
// True while the screen shown is one whose display request has this code.
bool func_display_request_wanted(int request_code);
// The id of the screen's display request timer while it runs, else 0.
guint func_screen_display_request_timer(int code);
// A screen that asks for other data by mode changes its request (and
// starts it when the screen is shown); the request it had ends itself on
// its next tick, as on leaving the screen.
void func_switch_screen_display_request(int code, GSourceFunc request, int request_code);
