#include "frame/screen_table.h"

#include <algorithm>
#include <map>

#include "frame/app_state.h"
#include "frame/screens.h"
#include "language/language.h"
#include "logs/log_file.h"

namespace {
std::map<int, screen_description> descriptions;
std::vector<int> registration_order;
// Keyed by screen and request code: a screen that switches its request
// leaves the earlier one to tick its last by itself.
std::map<std::pair<int, int>, guint> request_timers;

bool timer_alive(guint id) { return id && g_main_context_find_source_by_id(nullptr, id); }
}  // namespace

screen_description func_describe_screen(int code, const char* name, const char* interface_file,
                                        const char* window_id, int list_width, int list_height,
                                        void (*load)(const ui_file&, display_data&), void (*show)(),
                                        void (*reload)())
{
    screen_description description;
    description.code = code;
    description.name = name;
    description.interface_file = interface_file;
    description.window_id = window_id;
    description.list_width = list_width;
    description.list_height = list_height;
    description.load = load;
    description.show = show;
    description.reload = reload;
    return description;
}

void func_register_screen(const screen_description& description)
{
    if (!descriptions.count(description.code))
        registration_order.push_back(description.code);
    descriptions[description.code] = description;
}

void func_unregister_screen(int code)
{
    descriptions.erase(code);
    registration_order.erase(std::remove(registration_order.begin(), registration_order.end(), code),
                             registration_order.end());
}

const screen_description* func_get_screen(int code)
{
    auto found = descriptions.find(code);
    return found == descriptions.end() ? nullptr : &found->second;
}

std::vector<int> func_registered_screens() { return registration_order; }

void func_load_screen(int code)
{
    auto found = descriptions.find(code);
    if (found == descriptions.end() || !found->second.interface_file || code < 0 || code >= SCREEN_RECORD_COUNT)
        return;
    const screen_description& description = found->second;
    display_data& record = preloaded_display[code];
    ui_file ui = func_load_screen_record(record, code, description.interface_file, description.window_id,
                                         description.list_width, description.list_height);
    for (size_t slot = 0; slot < description.buttons.size() && slot < SCREEN_BUTTON_COUNT; ++slot)
        record.buttons[slot] = func_lookup_widget(ui, description.buttons[slot]);
    if (description.load)
        description.load(ui, record);
}

bool func_show_screen(int code)
{
    const screen_description* next = func_get_screen(code);
    if (!next || !next->show) {
        func_log_system_error("func_show_screen", "No screen " + std::to_string(code) + " in this build");
        return false;
    }
    // Screens are built the first time they are shown: start-up only
    // pays for home.
    if (code >= 0 && code < SCREEN_RECORD_COUNT && preloaded_display && !preloaded_display[code].window)
        func_load_screen(code);
    const int shown = func_current_screen_code();
    if (shown >= 0 && shown < SCREEN_RECORD_COUNT && preloaded_display && preloaded_display[shown].window &&
        preloaded_display[shown].window != preloaded_display[code].window)
        gtk_widget_hide(preloaded_display[shown].window);
    next->show();
    return true;
}

const screen_description* func_find_screen_by_home_button(const char* button)
{
    for (int code : registration_order) {
        const screen_description& description = descriptions[code];
        for (const char* way : {description.home_button, description.home_button2})
            if (way && button && g_ascii_strcasecmp(way, button) == 0)
                return &description;
    }
    return nullptr;
}

const screen_description* func_find_screen_by_home_menu_row(int row)
{
    for (int code : registration_order)
        if (descriptions[code].home_menu_row == row)
            return &descriptions[code];
    return nullptr;
}

void func_end_screen_log_transaction()
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    std::string heading = shown && shown->log_heading ? shown->log_heading() : p[184] + " ";
    func_end_log_transaction(heading, shown && shown->code == SCREEN_RUN ? LOG_PRODUCTION : LOG_CHANGE);
}

void func_add_item_change_line(GtkWidget* caller, const std::string& old_text, const std::string& new_text)
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    const std::string label = shown && shown->item_label ? shown->item_label(caller) : std::string();
    if (!label.empty())
        func_add_log_transaction("------>  [" + label + "] : " + old_text + " --> " + new_text, 0);
}

void func_start_screen_display_request()
{
    const int code = func_current_screen_code();
    const screen_description* shown = func_get_screen(code);
    if (!shown || !shown->display_request)
        return;
    guint& timer = request_timers[{code, shown->request_code}];
    if (timer_alive(timer))
        g_source_remove(timer);
    timer = g_timeout_add(500, shown->display_request, nullptr);
}

bool func_display_request_wanted(int request_code)
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    return shown && shown->request_code == request_code;
}

guint func_screen_display_request_timer(int code)
{
    const screen_description* screen = func_get_screen(code);
    if (!screen)
        return 0;
    auto found = request_timers.find({code, screen->request_code});
    return found != request_timers.end() && timer_alive(found->second) ? found->second : 0;
}

void func_switch_screen_display_request(int code, GSourceFunc request, int request_code)
{
    auto found = descriptions.find(code);
    if (found == descriptions.end())
        return;
    screen_description& screen = found->second;
    if (screen.display_request == request && screen.request_code == request_code &&
        func_screen_display_request_timer(code))
        return;
    screen.display_request = request;
    screen.request_code = request_code;
    if (func_current_screen_code() == code)
        func_start_screen_display_request();
}
