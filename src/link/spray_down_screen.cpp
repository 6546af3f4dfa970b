#include "link/spray_down_screen.h"

#include <cstring>
#include <string>

#include "configuration/configuration_record.h"
#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "link/io_diagnostics.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"

namespace {
constexpr int SLOT_DRAIN = 579, SLOT_SPRAY_DOWN = 580, SLOT_SEWER = 581, SLOT_REUSE = 582, SLOT_LINK_LOST = 962;
constexpr int SLOT_OPEN = 985, SLOT_CLOSE = 986, SLOT_START = 987, SLOT_STOP = 988;
constexpr int GROUP_SEWER = 7, GROUP_SPRAY = 14, GROUP_REUSE = 15;

// The two toggles of each group: "open"/"start" first.
struct spray_group {
    int group;
    GtkWidget* on = nullptr;
    GtkWidget* off = nullptr;
    GtkWidget* picture = nullptr;
};
spray_group sewer{GROUP_SEWER}, reuse{GROUP_REUSE}, spray{GROUP_SPRAY};
bool built = false;
int spray_down_dirty_needs_refresh = 0;
unsigned char previous_record[3] = {};
bool have_record = false;

void set_group(spray_group& group, bool on)
{
    if (group.on)
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(group.on), on);
    if (group.off)
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(group.off), !on);
}

spray_group* group_of(int number)
{
    for (spray_group* group : {&sewer, &reuse, &spray})
        if (group->group == number)
            return group;
    return nullptr;
}

void picture(spray_group& group, const char* file)
{
    func_set_image_icon(group.picture, (func_image_dir() + file).c_str());
}

void spray_down_reply(const unsigned char* payload, size_t) { func_update_spray_down_status(payload); }

void show_spray_down()
{
    if (!built || !func_begin_screen_show(SCREEN_SPRAY_DOWN, SLOT_SPRAY_DOWN))
        return;
    set_group(sewer, true);
    set_group(reuse, false);
    set_group(spray, false);
    picture(sewer, func_sewer_picture(true));
    picture(reuse, func_reuse_picture(false));
    picture(spray, func_spray_picture(false));
    const bool has_reuse = current_machine_configuration && current_machine_configuration->items[11] != 0.0f;
    gtk_widget_set_sensitive(reuse.on, has_reuse);
    gtk_widget_set_sensitive(reuse.off, has_reuse);
    func_end_screen_show(SCREEN_SPRAY_DOWN);
    func_show_message(5, p[SLOT_SPRAY_DOWN]);
    if (!func_ipc_link_up())
        func_show_message(1, p[SLOT_LINK_LOST]);
    spray_down_dirty_needs_refresh = 1;
    func_start_screen_display_request();
}
}  // namespace

void func_register_spray_down_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_SPRAY_DOWN, "spray_down", "lumex_spray_down_screen.ui", "win_spray_down", 640,
                             340, func_load_spray_down_screen, show_spray_down, nullptr);
    screen.display_request = func_update_spray_down_display;
    screen.request_code = REQUEST_CODE_SPRAY_DOWN;
    func_register_screen(screen);
    func_register_ipc_reply(IPC_KIND_SPRAY_DOWN, REQUEST_CODE_SPRAY_DOWN, spray_down_reply);
}

void func_load_spray_down_screen(const ui_file& ui, display_data& record)
{
    struct {
        spray_group& group;
        const char *on, *off, *picture;
    } const parts[] = {{sewer, "btn_drain_sewer_open", "btn_drain_sewer_close", "img_drain_sewer"},
                       {reuse, "btn_drain_reuse_open", "btn_drain_reuse_close", "img_drain_reuse"},
                       {spray, "btn_spray_down_start", "btn_spray_down_stop", "img_spray_down"}};
    for (const auto& part : parts) {
        part.group.on = func_lookup_widget(ui, part.on);
        part.group.off = func_lookup_widget(ui, part.off);
        part.group.picture = func_lookup_widget(ui, part.picture);
        for (GtkWidget* toggle : {part.group.on, part.group.off})
            func_connect_released(toggle, G_CALLBACK(func_set_spray_down_btn_selection),
                                  GINT_TO_POINTER(part.group.group));
    }
    const std::pair<const char*, int> texts[] = {{"lbl_drain", SLOT_DRAIN}, {"lbl_spray_down", SLOT_SPRAY_DOWN},
                                                 {"lbl_drain_sewer", SLOT_SEWER}, {"lbl_drain_reuse", SLOT_REUSE}};
    for (const auto& text : texts)
        func_bind_text(func_lookup_widget(ui, text.first), text.second);
    for (spray_group* group : {&sewer, &reuse})
        func_bind_text(group->on, SLOT_OPEN), func_bind_text(group->off, SLOT_CLOSE);
    func_bind_text(spray.on, SLOT_START);
    func_bind_text(spray.off, SLOT_STOP);
    record.btn_cancel = func_lookup_widget(ui, "btn_cancel");
    func_connect_released(record.btn_cancel, G_CALLBACK(func_unload_spray_down_screen), nullptr);
    built = true;
}

void func_show_spray_down_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_SPRAY_DOWN); }

void func_unload_spray_down_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_INPUT_OUTPUT); }

void func_set_spray_down_btn_selection(GtkWidget* widget, gpointer data)
{
    spray_group* group = group_of(GPOINTER_TO_INT(data));
    if (!built || !group || !widget)
        return;
    const bool on = widget == group->on;
    set_group(*group, on);
    // The controller switches it; its next record shows what it did.
    if (!func_ipc_send_btn_pressed(group->group, on ? 0 : 1))
        func_show_message(1, p[SLOT_LINK_LOST]);
    spray_down_dirty_needs_refresh = 1;
}

void func_update_spray_down_status(const unsigned char record[3])
{
    if (!spray_down_dirty_needs_refresh && have_record && std::memcmp(record, previous_record, 3) == 0)
        return;
    if (built && func_current_screen_code() == SCREEN_SPRAY_DOWN) {
        const spray_down_view view = func_spray_down_view(record);
        set_group(sewer, view.sewer_open);
        set_group(reuse, view.reuse_open);
        set_group(spray, view.spray_on);
        picture(sewer, func_sewer_picture(view.sewer_open));
        picture(reuse, func_reuse_picture(view.reuse_open));
        picture(spray, func_spray_picture(view.spray_on));
    }
    std::memcpy(previous_record, record, 3);
    have_record = true;
    spray_down_dirty_needs_refresh = 0;
}
