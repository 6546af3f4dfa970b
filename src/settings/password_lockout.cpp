#include "settings/password_lockout.h"

#include "entry/data_entry_opener.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/ui_loader.h"
#include "language/language.h"
#include "settings/passwords.h"

namespace {
void go_on(GtkWidget* widget, int item_code)
{
    if (item_code == 46)
        func_unload_home_screen_4_configuration(widget, nullptr);
    else
        func_unload_home_screen(widget, nullptr);
}

const password_record* guarding_password(int item_code)
{
    return item_code == 45 ? program_password : configure_password;
}
}  // namespace

void func_screen_lockout_password_check(GtkWidget* widget, gpointer data)
{
    const int item_code = GPOINTER_TO_INT(data);
    const bool file = func_widget_name_is(widget, "btn_file");
    const bool configuration = func_widget_name_is(widget, "btn_configuration");
    const bool formula = func_widget_name_is(widget, "btn_formula");
    if (!file && !configuration && !formula)
        return;
    const password_record* password = formula ? program_password : configure_password;
    if (password && password->enabled) {
        // Without the prompt the guarded screen stays closed.
        if (!func_open_data_entry(widget, item_code))
            func_show_dialog(1, p[209], 1, nullptr);
        return;
    }
    go_on(widget, configuration ? 46 : item_code);
}

void func_process_password_prompt(GtkWidget* caller, int item_code, const std::string& typed)
{
    const password_record* password = guarding_password(item_code);
    if (password && password->enabled && g_ascii_strcasecmp(password->password.c_str(), typed.c_str()) != 0) {
        func_show_dialog(1, p[209], 1, nullptr);
        return;
    }
    go_on(caller, item_code);
}
