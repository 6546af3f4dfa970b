#include "frame/widget_style.h"

GtkWidget* func_find_label(GtkWidget* widget)
{
    if (!widget)
        return nullptr;
    if (GTK_IS_LABEL(widget))
        return widget;
    if (GTK_IS_BIN(widget))
        return func_find_label(gtk_bin_get_child(GTK_BIN(widget)));
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        GtkWidget* found = nullptr;
        for (GList* child = children; child && !found; child = child->next)
            found = func_find_label(GTK_WIDGET(child->data));
        g_list_free(children);
        return found;
    }
    return nullptr;
}

namespace {
bool parse_color(const char* name, GdkColor* color) { return name && gdk_color_parse(name, color); }
}  // namespace

void func_set_widget_font_and_color(GtkWidget* widget, const char* font, const char* text_color,
                                    const char* background_color, GtkWidget* background_widget)
{
    if (!widget)
        return;
    GtkWidget* target = widget;
    if (G_OBJECT_TYPE(widget) == GTK_TYPE_BUTTON || GTK_IS_TOGGLE_BUTTON(widget)) {
        target = func_find_label(widget);
        if (!target)
            return;
    }
    if (font) {
        PangoFontDescription* description = pango_font_description_from_string(font);
        gtk_widget_modify_font(target, description);
        pango_font_description_free(description);
    }
    GdkColor color;
    if (parse_color(text_color, &color)) {
        if (GTK_IS_ENTRY(target))
            gtk_widget_modify_text(target, GTK_STATE_NORMAL, &color);
        else
            gtk_widget_modify_fg(target, GTK_STATE_NORMAL, &color);
    }
    if (parse_color(background_color, &color)) {
        if (background_widget)
            gtk_widget_modify_bg(background_widget, GTK_STATE_NORMAL, &color);
        else if (GTK_IS_ENTRY(target))
            gtk_widget_modify_base(target, GTK_STATE_NORMAL, &color);
        else
            gtk_widget_modify_bg(target, GTK_STATE_NORMAL, &color);
    }
}

void func_set_button_icon(GtkWidget* button, const char* path, int position)
{
    if (!button || !path || !GTK_IS_BUTTON(button))
        return;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path, nullptr);
    if (!pixbuf)
        return;
    GtkWidget* image = gtk_button_get_image(GTK_BUTTON(button));
    if (image && GTK_IS_IMAGE(image)) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(image), pixbuf);
    } else {
        image = gtk_image_new_from_pixbuf(pixbuf);
        gtk_button_set_image(GTK_BUTTON(button), image);
    }
    g_object_unref(pixbuf);
    static const GtkPositionType positions[] = {GTK_POS_LEFT, GTK_POS_RIGHT, GTK_POS_TOP, GTK_POS_BOTTOM};
    if (position >= 0 && position <= 3)
        gtk_button_set_image_position(GTK_BUTTON(button), positions[position]);
    // Buttons show their picture whatever the theme's gtk-button-images says.
    gtk_widget_show(image);
}

void func_set_image_icon(GtkWidget* image, const char* path)
{
    if (!image || !path || !GTK_IS_IMAGE(image))
        return;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path, nullptr);
    if (!pixbuf)
        return;
    gtk_image_set_from_pixbuf(GTK_IMAGE(image), pixbuf);
    g_object_unref(pixbuf);
}

void func_set_image_animation(GtkWidget* image, const char* path)
{
    if (!image || !path || !GTK_IS_IMAGE(image))
        return;
    GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_file(path, nullptr);
    if (!animation)
        return;
    gtk_image_set_from_animation(GTK_IMAGE(image), animation);
    g_object_unref(animation);
}

void func_set_widget_label(GtkWidget* widget, const std::string& text)
{
    if (!widget)
        return;
    if (GTK_IS_BUTTON(widget))
        gtk_button_set_label(GTK_BUTTON(widget), text.c_str());
    else if (GTK_IS_LABEL(widget))
        gtk_label_set_text(GTK_LABEL(widget), text.c_str());
}
