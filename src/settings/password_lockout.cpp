#include "settings/password_lockout.h"

#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "frame/dialogs.h"
#include "language/language.h"
#include "settings/passwords.h"

namespace {
constexpr int SLOT_WRONG_PASSWORD = 209;

// The way the open prompt guards.
lockout_continuation pending = nullptr;

const password_record* guarding_password(int item_code)
{
    switch (item_code) {
    case 45: return program_password;
    case 21: return manual_password;
    default: return configure_password;
    }
}

void prompt_saved(const item_save& save)
{
    func_process_password_prompt(save.caller, save.code, save.fields.empty() ? std::string() : save.fields[0]);
}
}  // namespace

void func_check_lockout_password(GtkWidget* widget, int item_code, lockout_continuation go_on)
{
    const password_record* password = guarding_password(item_code);
    if (password && password->enabled) {
        pending = go_on;
        func_show_data_entry_dialog(widget, GINT_TO_POINTER(item_code));
        return;
    }
    if (go_on)
        go_on(widget);
}

void func_process_password_prompt(GtkWidget* caller, int item_code, const std::string& typed)
{
    const password_record* password = guarding_password(item_code);
    if (password && password->enabled && g_ascii_strcasecmp(password->password.c_str(), typed.c_str()) != 0) {
        func_show_dialog(1, p[SLOT_WRONG_PASSWORD], 1, nullptr);
        return;
    }
    lockout_continuation go_on = pending;
    pending = nullptr;
    if (go_on)
        go_on(caller);
}

void func_register_password_prompts()
{
    for (int code : {21, 44, 45, 46})
        func_register_item_action(code, prompt_saved);
}
