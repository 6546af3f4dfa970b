#include "formulas/post_dry.h"

#include "configuration/configuration_record.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/record_file.h"
#include "logs/log_file.h"

GtkListStore* post_dry_list_store = nullptr;

namespace {
constexpr record_format POST_DRY_FILE = {POST_DRY_RECORD_SIZE, POST_DRY_LIST_MAX, "post-dry entries"};

GtkTreeModel* model() { return GTK_TREE_MODEL(post_dry_list_store); }

bool find_row(int formula, GtkTreeIter* iter)
{
    if (!post_dry_list_store || !gtk_tree_model_get_iter_first(model(), iter))
        return false;
    do {
        gint number = 0;
        gtk_tree_model_get(model(), iter, 0, &number, -1);
        if (number == formula)
            return true;
    } while (gtk_tree_model_iter_next(model(), iter));
    return false;
}

void write_row(GtkTreeIter* iter, const post_dry_record& record)
{
    gtk_list_store_set(post_dry_list_store, iter, 0, record.formula, 1, record.drycode, 2, record.destination, -1);
}
}  // namespace

void func_create_post_dry_store()
{
    if (!post_dry_list_store)
        post_dry_list_store = gtk_list_store_new(3, G_TYPE_INT, G_TYPE_INT, G_TYPE_INT);
}

void func_encode_post_dry_record(const post_dry_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.formula);
    func_put_int32_le(bytes + 4, record.drycode);
    func_put_int32_le(bytes + 8, record.destination);
}

void func_decode_post_dry_record(const unsigned char* bytes, post_dry_record& record)
{
    record.formula = func_get_int32_le(bytes);
    record.drycode = func_get_int32_le(bytes + 4);
    record.destination = func_get_int32_le(bytes + 8);
}

std::string func_get_post_dry_list_path() { return func_configuration_dir() + "postdry.dat"; }

int func_load_post_dry_list_from_file()
{
    func_create_post_dry_store();
    gtk_list_store_clear(post_dry_list_store);
    func_create_directory(func_configuration_dir());
    const std::string path = func_get_post_dry_list_path();
    std::vector<post_dry_record> records;
    if (!func_read_records(path, POST_DRY_FILE, "func_load_post_dry_list", func_decode_post_dry_record, records)) {
        func_write_log(LOG_SYSERROR, "func_load_post_dry_list : Can't open file " + path + ".", 0);
        return 0;
    }
    for (const post_dry_record& record : records) {
        GtkTreeIter iter;
        gtk_list_store_append(post_dry_list_store, &iter);
        write_row(&iter, record);
    }
    return 1;
}

int func_save_post_dry_list_to_file()
{
    const std::string path = func_get_post_dry_list_path();
    if (!func_create_directory(func_configuration_dir()) ||
        !func_write_records(path, POST_DRY_FILE, func_get_post_dry_list_from_liststore(),
                            func_encode_post_dry_record)) {
        func_write_log(LOG_SYSERROR, "func_save_post_dry_list : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

std::vector<post_dry_record> func_get_post_dry_list_from_liststore()
{
    std::vector<post_dry_record> records;
    func_create_post_dry_store();
    func_sort_liststore(post_dry_list_store, 0, GTK_SORT_ASCENDING);
    GtkTreeIter iter;
    if (gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            post_dry_record record;
            gtk_tree_model_get(model(), &iter, 0, &record.formula, 1, &record.drycode, 2, &record.destination, -1);
            records.push_back(record);
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    return records;
}

int func_find_formula_number_post_dry(int formula)
{
    const std::vector<post_dry_record> records = func_get_post_dry_list_from_liststore();
    for (size_t position = 0; position < records.size(); ++position)
        if (records[position].formula == formula)
            return static_cast<int>(position);
    return -1;
}

void func_update_post_dry_rows(const std::vector<post_dry_record>& records)
{
    for (const post_dry_record& record : records) {
        GtkTreeIter iter;
        if (find_row(record.formula, &iter))
            write_row(&iter, record);
    }
}

bool func_append_post_dry_row(int formula)
{
    GtkTreeIter iter;
    func_create_post_dry_store();
    if (find_row(formula, &iter) || func_get_post_dry_count() >= POST_DRY_LIST_MAX)
        return false;
    gtk_list_store_append(post_dry_list_store, &iter);
    write_row(&iter, {formula, 0, 0});
    return true;
}

bool func_remove_post_dry_row(int formula)
{
    GtkTreeIter iter;
    if (!find_row(formula, &iter))
        return false;
    gtk_list_store_remove(post_dry_list_store, &iter);
    return true;
}

int func_get_post_dry_count() { return post_dry_list_store ? gtk_tree_model_iter_n_children(model(), nullptr) : 0; }
