#include "configuration/configuration_record.h"

#include <cstring>
#include <new>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "language/language.h"
#include "logs/log_file.h"

GtkListStore* configure_list_store = nullptr;
int TIDAL_LOOP = 0;

namespace {
const char* const DEFAULT_CONFIGURATION_FILE = "default.cfg";
const char* const DEFAULT_CONFIGURATION_SET_FILE = "default.cfs";
constexpr int DEFAULT_NAME_SLOT = 395;

// The record's name field holds at most this many bytes of text.
constexpr size_t NAME_TEXT_MAX = CONFIGURATION_NAME_SIZE - 1;

void set_name(machine_configuration& record, const std::string& name)
{
    std::memset(record.machine_name, 0, sizeof record.machine_name);
    std::string cut = func_cut_text_utf8(name.substr(0, name.find('\0')), NAME_TEXT_MAX);
    std::memcpy(record.machine_name, cut.data(), cut.size());
}

// Default items without touching the language array, so the record can
// be set up during static initialisation.
void fill_unnamed_defaults(machine_configuration& record)
{
    std::memset(record.machine_name, 0, sizeof record.machine_name);
    for (float& item : record.items)
        item = 0.0f;
    record.items[8] = 300.0f;
    record.items[26] = 800.0f;
    record.items[27] = 900.0f;
    record.items[28] = 1000.0f;
}

machine_configuration* new_unnamed_defaults()
{
    auto* record = new machine_configuration();
    fill_unnamed_defaults(*record);
    return record;
}

std::string name_of(const machine_configuration& record)
{
    return std::string(record.machine_name, strnlen(record.machine_name, CONFIGURATION_NAME_SIZE));
}

// The store's item columns may be float or double; write through the
// column's own type.
void set_number_column(GtkTreeIter* iter, int column, double value)
{
    GValue number = G_VALUE_INIT;
    GType type = gtk_tree_model_get_column_type(GTK_TREE_MODEL(configure_list_store), column);
    g_value_init(&number, type);
    if (type == G_TYPE_FLOAT)
        g_value_set_float(&number, static_cast<float>(value));
    else if (type == G_TYPE_DOUBLE)
        g_value_set_double(&number, value);
    else if (type == G_TYPE_INT)
        g_value_set_int(&number, func_truncate_to_int(value, 0));
    gtk_list_store_set_value(configure_list_store, iter, column, &number);
    g_value_unset(&number);
}

float get_number_column(GtkTreeIter* iter, int column)
{
    GValue stored = G_VALUE_INIT;
    gtk_tree_model_get_value(GTK_TREE_MODEL(configure_list_store), iter, column, &stored);
    float value = 0.0f;
    if (G_VALUE_HOLDS_FLOAT(&stored))
        value = g_value_get_float(&stored);
    else if (G_VALUE_HOLDS_DOUBLE(&stored))
        value = static_cast<float>(g_value_get_double(&stored));
    else if (G_VALUE_HOLDS_INT(&stored))
        value = static_cast<float>(g_value_get_int(&stored));
    g_value_unset(&stored);
    return value;
}

void write_row(GtkTreeIter* iter, const machine_configuration& record)
{
    for (int i = 0; i < CONFIGURATION_ITEM_COUNT; ++i) {
        if (i == CONFIGURATION_NAME_ITEM)
            gtk_list_store_set(configure_list_store, iter, i, name_of(record).c_str(), -1);
        else
            set_number_column(iter, i, record.items[i]);
    }
}

void read_row(GtkTreeIter* iter, machine_configuration& record)
{
    for (int i = 0; i < CONFIGURATION_ITEM_COUNT; ++i)
        record.items[i] = (i == CONFIGURATION_NAME_ITEM) ? 0.0f : get_number_column(iter, i);
    gchar* name = nullptr;
    gtk_tree_model_get(GTK_TREE_MODEL(configure_list_store), iter, CONFIGURATION_NAME_ITEM, &name,
                       -1);
    set_name(record, name ? name : "");
    g_free(name);
}

bool first_row(GtkTreeIter* iter)
{
    return configure_list_store &&
           gtk_tree_model_get_iter_first(GTK_TREE_MODEL(configure_list_store), iter);
}

// The store's one row becomes record.
void put_only_row(const machine_configuration& record)
{
    GtkTreeIter iter;
    gtk_list_store_clear(configure_list_store);
    gtk_list_store_append(configure_list_store, &iter);
    write_row(&iter, record);
}

std::string configuration_file_path()
{
    std::string name = func_get_configuration_filename();
    return func_configuration_dir() + (name.empty() ? DEFAULT_CONFIGURATION_FILE : name);
}
}  // namespace

machine_configuration* current_machine_configuration = new_unnamed_defaults();

void func_encode_configuration(const machine_configuration& record, unsigned char* bytes)
{
    func_put_text_field(bytes, CONFIGURATION_NAME_SIZE, name_of(record));
    for (int i = 0; i < CONFIGURATION_ITEM_COUNT; ++i) {
        float value = (i == CONFIGURATION_NAME_ITEM) ? 0.0f : record.items[i];
        func_put_float32_le(bytes + CONFIGURATION_NAME_SIZE + 4 * i, value);
    }
}

void func_decode_configuration(const unsigned char* bytes, machine_configuration& record)
{
    set_name(record, func_get_utf8_text_field(bytes, CONFIGURATION_NAME_SIZE));
    for (int i = 0; i < CONFIGURATION_ITEM_COUNT; ++i)
        record.items[i] = func_get_float32_le(bytes + CONFIGURATION_NAME_SIZE + 4 * i);
    record.items[CONFIGURATION_NAME_ITEM] = 0.0f;
}

void func_set_default_configuration(machine_configuration& record)
{
    fill_unnamed_defaults(record);
    set_name(record, p[DEFAULT_NAME_SLOT]);
}

std::string func_get_configuration_filename()
{
    const std::string folder = func_configuration_dir();
    func_create_directory(folder);
    // Temporaries of the atomic writer and folders are never the record.
    return func_find_first_entry_containing(folder, ".cfg", false);
}

int func_load_configuration_from_file()
{
    func_create_configuration_store();
    std::string name = func_get_configuration_filename();
    std::string path;
    if (!name.empty()) {
        path = func_configuration_dir() + name;
    } else {
        path = func_configuration_dir() + DEFAULT_CONFIGURATION_FILE;
        func_write_file_atomic(func_configuration_dir() + DEFAULT_CONFIGURATION_SET_FILE, "", 0);
    }

    // One byte past the record tells a longer file.
    unsigned char bytes[CONFIGURATION_RECORD_SIZE + 1];
    const long got = func_read_file_start(path, bytes, sizeof bytes);
    if (got < 0) {
        machine_configuration defaults;
        func_set_default_configuration(defaults);
        put_only_row(defaults);
        if (!func_save_configuration_to_file())
            func_refresh_current_configuration();
        TIDAL_LOOP = 0;
        return 0;
    }

    const bool whole = got >= static_cast<long>(CONFIGURATION_RECORD_SIZE);
    const bool longer = got > static_cast<long>(CONFIGURATION_RECORD_SIZE);
    if (!whole) {
        func_write_log(LOG_SYSERROR,
                       "func_load_machine : Can't read machine configuration record from file " +
                           path + " . \n",
                       0);
        // The screen and the rest of the console work with the defaults;
        // the damaged file stays until the operator saves over it.
        machine_configuration defaults;
        func_set_default_configuration(defaults);
        put_only_row(defaults);
        TIDAL_LOOP = 0;
        func_refresh_current_configuration();
        return 0;
    }
    if (longer)
        func_write_log(LOG_SYSERROR,
                       "func_load_machine : " + path + " is longer than one record; its first " +
                           std::to_string(CONFIGURATION_RECORD_SIZE) + " bytes are used.",
                       0);

    machine_configuration record;
    func_decode_configuration(bytes, record);
    const std::vector<int> repaired = func_repair_configuration(record);
    if (!repaired.empty()) {
        std::string items;
        for (int item : repaired)
            items += (items.empty() ? "" : ", ") + std::to_string(item);
        func_write_log(LOG_SYSERROR,
                       "func_load_machine : items " + items + " of " + path +
                           " are not values they can hold; their defaults are used.",
                       0);
    }
    put_only_row(record);
    TIDAL_LOOP = func_truncate_to_int(record.items[25], 0);
    func_refresh_current_configuration();
    return 1;
}

int func_save_configuration_to_file()
{
    GtkTreeIter iter;
    if (!first_row(&iter)) {
        // An empty store means the file could not be read; writing an
        // empty file would destroy what may still be recovered from it.
        func_write_log(LOG_SYSERROR,
                       "func_save_machine : no configuration loaded, file " + configuration_file_path() + " kept.", 0);
        return 0;
    }
    machine_configuration record;
    read_row(&iter, record);
    return func_save_configuration(record);
}

int func_save_configuration(const machine_configuration& record)
{
    func_create_configuration_store();
    const std::string path = configuration_file_path();
    unsigned char bytes[CONFIGURATION_RECORD_SIZE];
    func_encode_configuration(record, bytes);
    if (!func_write_file_atomic(path, bytes, sizeof bytes)) {
        func_write_log(LOG_SYSERROR,
                       "func_save_machine :can't create/open file " + path + " not found.", 0);
        return 0;
    }
    // The store and the copy the console reads follow only a record that
    // is on disk.
    put_only_row(record);
    TIDAL_LOOP = func_truncate_to_int(record.items[25], 0);
    func_refresh_current_configuration();
    return 1;
}

machine_configuration* func_get_configuration_from_liststore()
{
    auto* record = new (std::nothrow) machine_configuration();
    if (!record) {
        func_write_log(LOG_SYSERROR,
                       "func_get_configuration_from_liststore : Error Allocating Buffer Machine", 0);
        return nullptr;
    }
    GtkTreeIter iter;
    if (first_row(&iter))
        read_row(&iter, *record);
    else
        func_set_default_configuration(*record);
    return record;
}

void func_update_configuration_liststore_test(machine_configuration* record)
{
    if (!record) {
        func_write_log(LOG_SYSERROR,
                       "func_put_configuration_into_liststore : Error Allocating Buffer Machine", 0);
        return;
    }
    GtkTreeIter iter;
    if (first_row(&iter))
        func_save_configuration(*record);
    delete record;
}

void func_sort_liststore(GtkListStore* store, int column, GtkSortType order)
{
    if (!store)
        return;
    gtk_tree_sortable_set_sort_column_id(GTK_TREE_SORTABLE(store), column, order);
}

void func_refresh_current_configuration()
{
    machine_configuration* fresh = func_get_configuration_from_liststore();
    if (!fresh)
        return;  // keep the previous record rather than leave none
    delete current_machine_configuration;
    current_machine_configuration = fresh;
}

void func_create_configuration_store()
{
    if (configure_list_store)
        return;
    GType types[CONFIGURATION_ITEM_COUNT];
    for (GType& type : types)
        type = G_TYPE_FLOAT;
    types[CONFIGURATION_NAME_ITEM] = G_TYPE_STRING;
    configure_list_store = gtk_list_store_newv(CONFIGURATION_ITEM_COUNT, types);
}

bool func_metric_units()
{
    return current_machine_configuration && func_truncate_to_int(current_machine_configuration->items[0], 0) == 1;
}

int func_get_language_number()
{
    if (!current_machine_configuration)
        return 0;
    const float language = current_machine_configuration->items[1];
    return (language >= 0.0f && language <= 10.0f) ? func_truncate_to_int(language, 0) : 0;
}
