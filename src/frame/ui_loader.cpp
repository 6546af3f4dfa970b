#include "frame/ui_loader.h"

#include "files/paths.h"
#include "frame/widget_style.h"
#include "logs/log_file.h"

ui_file func_load_interface_file(const char* file_name)
{
    ui_file ui;
    ui.name = file_name;
    const std::string path = func_image_dir() + file_name;
    GtkBuilder* builder = gtk_builder_new();
    GError* error = nullptr;
    if (!gtk_builder_add_from_file(builder, path.c_str(), &error)) {
        std::string message = std::string("Can't build interface file ") + path + ": " +
                              (error ? error->message : "unknown error");
        func_log_system_error("func_load_interface_file", message);
        g_critical("%s", message.c_str());
        g_clear_error(&error);
        g_object_unref(builder);
        return ui;
    }
    GSList* objects = gtk_builder_get_objects(builder);
    for (GSList* item = objects; item; item = item->next) {
        if (GTK_IS_WIDGET(item->data)) {
            const gchar* id = gtk_buildable_get_name(GTK_BUILDABLE(item->data));
            if (id)
                gtk_widget_set_name(GTK_WIDGET(item->data), id);
        }
    }
    for (GSList* item = objects; item; item = item->next)
        if (GTK_IS_WINDOW(item->data))
            func_fade_pictures_when_insensitive(GTK_WIDGET(item->data));
    g_slist_free(objects);
    ui.builder = builder;
    return ui;
}

GtkWidget* func_lookup_widget(const ui_file& ui, const char* id)
{
    GObject* object = ui.builder ? gtk_builder_get_object(ui.builder, id) : nullptr;
    if (!object || !GTK_IS_WIDGET(object)) {
        std::string message = "Widget " + std::string(id) + " not found in " + ui.name;
        func_log_system_error("func_lookup_widget", message);
        g_critical("%s", message.c_str());
        return nullptr;
    }
    return GTK_WIDGET(object);
}

bool func_widget_name_is(GtkWidget* widget, const char* name)
{
    if (!widget || !name)
        return false;
    const gchar* own = gtk_widget_get_name(widget);
    return own && g_ascii_strcasecmp(own, name) == 0;
}
