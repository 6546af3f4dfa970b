#include "entry/data_entry_opener.h"

namespace {
data_entry_opener current_opener = nullptr;
}

void func_set_data_entry_opener(data_entry_opener opener) { current_opener = opener; }

bool func_open_data_entry(GtkWidget* caller, int item_code)
{
    if (!current_opener)
        return false;
    current_opener(caller, item_code);
    return true;
}
