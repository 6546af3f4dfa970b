#include "formulas/formula_list.h"

#include <dirent.h>
#include <glib.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "frame/app_state.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

namespace {
constexpr int frm_table_size = sizeof frm_lookup_table / sizeof frm_lookup_table[0];

GtkTreeModel* model() { return GTK_TREE_MODEL(formula_list_store); }

formula_record read_row(GtkTreeIter* iter)
{
    formula_record record;
    gint number = 0, active = 0, steps = 0, time = 0;
    gchar* name = nullptr;
    gtk_tree_model_get(model(), iter, FORMULA_COLUMN_NUMBER, &number, FORMULA_COLUMN_ACTIVE,
                       &active, FORMULA_COLUMN_NAME, &name, FORMULA_COLUMN_STEP_COUNT, &steps,
                       FORMULA_COLUMN_TOTAL_TIME, &time, -1);
    record.number = number;
    record.active = active;
    record.name = name ? name : "";
    record.step_count = steps;
    record.total_time = time;
    g_free(name);
    return record;
}

void write_row(GtkTreeIter* iter, const formula_record& record)
{
    gtk_list_store_set(formula_list_store, iter, FORMULA_COLUMN_NUMBER, record.number,
                       FORMULA_COLUMN_ACTIVE, record.active, FORMULA_COLUMN_NAME,
                       record.name.c_str(), FORMULA_COLUMN_STEP_COUNT, record.step_count,
                       FORMULA_COLUMN_TOTAL_TIME, record.total_time, -1);
}

bool find_row(int number, GtkTreeIter* iter)
{
    if (!formula_list_store || !gtk_tree_model_get_iter_first(model(), iter))
        return false;
    do {
        gint row_number = 0;
        gtk_tree_model_get(model(), iter, FORMULA_COLUMN_NUMBER, &row_number, -1);
        if (row_number == number)
            return true;
    } while (gtk_tree_model_iter_next(model(), iter));
    return false;
}

page_list_info* page_list(int screen)
{
    if (!page_info || screen < 0 || screen >= SCREEN_RECORD_COUNT)
        return nullptr;
    return &page_info[screen].list;
}

// The item's row while the formulas screen is shown, -1 elsewhere.
int shown_formula_item_row(int item)
{
    return func_current_screen_code() == SCREEN_FORMULAS ? func_get_formula_item_row(item) : -1;
}
}  // namespace

void func_encode_formula_record(const formula_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.number);
    func_put_text_field(bytes + 4, FORMULA_NAME_SIZE, record.name);
    func_put_int32_le(bytes + 56, record.active);
    func_put_int32_le(bytes + 60, record.step_count);
    func_put_int32_le(bytes + 64, record.total_time);
}

void func_decode_formula_record(const unsigned char* bytes, formula_record& record)
{
    record.number = func_get_int32_le(bytes);
    // An imported file may hold anything; keep only the valid UTF-8 start
    // and never more than the field's 51 bytes of text.
    std::string name = func_get_text_field(bytes + 4, FORMULA_NAME_SIZE - 1);
    const gchar* end = nullptr;
    g_utf8_validate(name.c_str(), static_cast<gssize>(name.size()), &end);
    record.name = name.substr(0, static_cast<size_t>(end - name.c_str()));
    record.active = func_get_int32_le(bytes + 56);
    record.step_count = func_get_int32_le(bytes + 60);
    record.total_time = func_get_int32_le(bytes + 64);
}

std::string func_get_formula_list_path() { return func_formulas_dir() + "formulas.dat"; }

std::string func_get_formula_folder(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "f-%03d/", number);
    return func_formulas_dir() + name;
}

int func_load_formula_list_from_file()
{
    if (!formula_list_store)
        func_create_list_stores();
    gtk_list_store_clear(formula_list_store);
    func_create_directory(func_formulas_dir());
    const std::string path = func_get_formula_list_path();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        func_write_log(LOG_SYSERROR, "func_load_formula_list : Can't open file " + path + ".", 0);
        return 0;
    }
    unsigned char bytes[FORMULA_RECORD_SIZE];
    int loaded = 0;
    while (in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        if (loaded == FORMULA_LIST_MAX) {
            // No screen or snapshot copes with more; say so once.
            func_write_log(LOG_SYSERROR,
                           "func_load_formula_list : more than 999 formulas in " + path +
                               ", only the first 999 are used.",
                           0);
            break;
        }
        formula_record record;
        func_decode_formula_record(bytes, record);
        GtkTreeIter iter;
        gtk_list_store_append(formula_list_store, &iter);
        write_row(&iter, record);
        ++loaded;
    }
    return 1;
}

int func_save_formula_list_to_file()
{
    func_create_directory(func_formulas_dir());
    const std::string path = func_get_formula_list_path();
    std::string bytes;
    GtkTreeIter iter;
    if (formula_list_store && gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            unsigned char record_bytes[FORMULA_RECORD_SIZE];
            func_encode_formula_record(read_row(&iter), record_bytes);
            bytes.append(reinterpret_cast<const char*>(record_bytes), sizeof record_bytes);
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    if (!func_write_file_atomic(path, bytes)) {
        func_write_log(LOG_SYSERROR, "func_save_formula_list : Can't open file " + path + ".", 0);
        return 0;
    }
    if (page_list_info* shown = page_list(func_current_screen_code()))
        shown->reload = 0;
    return 1;
}

formula_snapshot* func_get_formula_list_from_liststore()
{
    auto* snapshot = new (std::nothrow) formula_snapshot();
    if (!snapshot) {
        func_write_log(
            LOG_SYSERROR,
            "func_get_formula_list_from_liststore : Error Allocating Buffer for Formula List", 0);
        return nullptr;
    }
    if (!formula_list_store)
        func_create_list_stores();
    func_sort_liststore(formula_list_store, FORMULA_COLUMN_NUMBER, GTK_SORT_ASCENDING);
    const bool active_only = func_current_screen_code() == SCREEN_HOME;
    GtkTreeIter iter;
    if (gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            formula_record record = read_row(&iter);
            if (!active_only || record.active == 1)
                snapshot->records.push_back(std::move(record));
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    for (int screen : {SCREEN_FORMULAS, SCREEN_HOME})
        if (page_list_info* list = page_list(screen))
            list->total_items = snapshot->count();
    return snapshot;
}

int func_find_formula_number(int number)
{
    formula_snapshot* snapshot = func_get_formula_list_from_liststore();
    if (!snapshot)
        return -1;
    const bool all_count = func_current_screen_code() == SCREEN_FORMULAS;
    int position = -1;
    for (int i = 0; i < snapshot->count(); ++i) {
        const formula_record& record = snapshot->records[i];
        if (record.number == number && (record.active || all_count)) {
            position = i;
            break;
        }
    }
    delete snapshot;
    return position;
}

formula_record* func_get_selected_formula_from_liststore_test(int number)
{
    GtkTreeIter iter;
    if (!find_row(number, &iter)) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "func_get_selected_formula_from_liststore : No data for requested formula - "
                      "%03d",
                      number);
        func_write_log(LOG_SYSERROR, text, 0);
        return nullptr;
    }
    auto* record = new (std::nothrow) formula_record(read_row(&iter));
    if (!record)
        func_write_log(
            LOG_SYSERROR,
            "func_get_selected_formula_from_liststore : Error Allocating Buffer for formula", 0);
    return record;
}

void func_set_selected_formula_to_liststore_test(formula_record* record)
{
    if (!record) {
        func_write_log(LOG_SYSERROR,
                       "func_update_selected_formula_into_liststore : Error formula buffer is NULL",
                       0);
        return;
    }
    page_list_info* formulas = page_list(SCREEN_FORMULAS);
    if (formulas && formulas->pressed_row != -1) {
        GtkTreeIter iter;
        if (find_row(record->number, &iter)) {
            write_row(&iter, *record);
            func_save_formula_list_to_file();
        }
    }
    delete record;
}

void func_update_formula_list_liststore_test(formula_snapshot* snapshot)
{
    if (!snapshot) {
        func_write_log(LOG_SYSERROR,
                       "func_update_formula_list_liststore : Error formula list buffer is NULL", 0);
        return;
    }
    for (const formula_record& record : snapshot->records) {
        GtkTreeIter iter;
        if (!find_row(record.number, &iter))
            continue;
        gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, record.number,
                           FORMULA_COLUMN_ACTIVE, record.active, FORMULA_COLUMN_NAME,
                           record.name.c_str(), -1);
    }
    func_save_formula_list_to_file();
    delete snapshot;
}

void func_delete_formula_steps(int number)
{
    if (number < 0)
        return;
    std::string folder = func_get_formula_folder(number);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    closedir(dir);
    func_delete_directory_files(folder);
    folder.pop_back();  // rmdir wants the name without the final "/"
    std::remove(folder.c_str());
    func_sync_after_write();
}

int func_get_formula_item_row(int item) { return item == 1 ? 0 : -1; }

std::string func_lookup_formula_name(int value, int item)
{
    int row = shown_formula_item_row(item);
    if (row >= 0)
        return func_option_text(frm_lookup_table, frm_table_size, FRM_LOOKUP_WIDTH, row, value);
    char text[32];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

int func_lookup_formula_index(const std::string& text, int item)
{
    int row = shown_formula_item_row(item);
    if (row < 0)
        return -1;
    return func_option_index(frm_lookup_table, frm_table_size, FRM_LOOKUP_WIDTH, row, text);
}
