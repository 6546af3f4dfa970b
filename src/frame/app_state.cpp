#include "frame/app_state.h"

#include <new>

#include "logs/log_file.h"

display_data* options_display = nullptr;
display_data* preloaded_display = nullptr;
page_info_record* page_info = nullptr;

int in_run_mode = 0;
int in_remote_run_mode = 0;
int resume_formula_number = -1;
int resume_formula_flag = 0;
int formula_ended = 0;
double formula_elapse_time = 0.0;
int in_vez_automatic_mode = 0;
int vez_power_up_mode = 0;
int TIDAL_LOOP = 0;
int VALID_COM_VERSION = 0;
int manual_mode = 0;
GtkWidget* main_application_window = nullptr;
GdkWindow* gdk_window = nullptr;
GdkCursor* blank_cursor = nullptr;

GtkListStore* selection_options_list_store = nullptr;
GtkListStore* configure_list_store = nullptr;
GtkListStore* vez_configure_list_store = nullptr;
GtkListStore* post_dry_list_store = nullptr;
GtkListStore* formula_list_store = nullptr;
GtkListStore* step_list_store = nullptr;
GtkListStore* step_list_store_21 = nullptr;
GtkListStore* chemical_list_store = nullptr;
GtkListStore* chemical_valves_list_store = nullptr;
GtkListStore* log_list_store = nullptr;
GtkTreeStore* error_solutions_tree_store = nullptr;
GtkTreeStore* vez_states_tree_store = nullptr;

namespace {
GtkListStore* new_store_of(int count, GType type)
{
    GType* types = g_new(GType, count);
    for (int i = 0; i < count; ++i)
        types[i] = type;
    GtkListStore* store = gtk_list_store_newv(count, types);
    g_free(types);
    return store;
}
}  // namespace

void func_create_list_stores()
{
    if (formula_list_store)
        return;
    selection_options_list_store = new_store_of(20, G_TYPE_STRING);

    GType configure_types[60];
    for (GType& type : configure_types)
        type = G_TYPE_FLOAT;
    configure_types[33] = G_TYPE_STRING;
    configure_list_store = gtk_list_store_newv(60, configure_types);

    vez_configure_list_store = new_store_of(19, G_TYPE_INT);
    post_dry_list_store = new_store_of(3, G_TYPE_INT);
    formula_list_store =
        gtk_list_store_new(5, G_TYPE_INT, G_TYPE_INT, G_TYPE_STRING, G_TYPE_INT, G_TYPE_INT);

    GType step_types[26];
    for (GType& type : step_types)
        type = G_TYPE_INT;
    step_types[25] = G_TYPE_STRING;
    step_list_store = gtk_list_store_newv(26, step_types);
    GType step21_types[15];
    for (GType& type : step21_types)
        type = G_TYPE_INT;
    step21_types[14] = G_TYPE_STRING;
    step_list_store_21 = gtk_list_store_newv(15, step21_types);

    chemical_list_store = gtk_list_store_new(6, G_TYPE_INT, G_TYPE_INT, G_TYPE_STRING, G_TYPE_INT,
                                             G_TYPE_INT, G_TYPE_INT);
    chemical_valves_list_store = gtk_list_store_new(3, G_TYPE_INT, G_TYPE_STRING, G_TYPE_FLOAT);
    log_list_store = new_store_of(4, G_TYPE_STRING);
    log_transaction_store = gtk_list_store_new(2, G_TYPE_INT, G_TYPE_STRING);
    error_solutions_tree_store =
        gtk_tree_store_new(4, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_INT);
    vez_states_tree_store = gtk_tree_store_new(2, G_TYPE_INT, G_TYPE_STRING);
}

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
