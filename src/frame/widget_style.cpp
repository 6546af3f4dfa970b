#include "frame/widget_style.h"

#include <sys/stat.h>

#include <map>
#include <string>

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
const char* const NORMAL_PICTURE = "lumex-normal-picture";
const char* const FADED_PICTURE = "lumex-faded-picture";
constexpr double FADED_OPACITY = 0.35;

GdkPixbuf* faded_copy(GdkPixbuf* picture)
{
    GdkPixbuf* faded = gdk_pixbuf_add_alpha(picture, FALSE, 0, 0, 0);
    const int width = gdk_pixbuf_get_width(faded), height = gdk_pixbuf_get_height(faded);
    const int stride = gdk_pixbuf_get_rowstride(faded);
    guchar* pixels = gdk_pixbuf_get_pixels(faded);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            guchar* alpha = pixels + y * stride + x * 4 + 3;
            *alpha = static_cast<guchar>(*alpha * FADED_OPACITY);
        }
    return faded;
}

// Shows the faded or the normal picture as the image's state asks.
void picture_state_changed(GtkWidget* image, GtkStateType, gpointer)
{
    if (gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_PIXBUF)
        return;
    GdkPixbuf* shown = gtk_image_get_pixbuf(GTK_IMAGE(image));
    auto* normal = static_cast<GdkPixbuf*>(g_object_get_data(G_OBJECT(image), NORMAL_PICTURE));
    auto* faded = static_cast<GdkPixbuf*>(g_object_get_data(G_OBJECT(image), FADED_PICTURE));
    // A picture set since: it is the normal one now.
    if (shown != normal && shown != faded) {
        normal = shown;
        // Made once per picture, which images showing it share.
        faded = static_cast<GdkPixbuf*>(g_object_get_data(G_OBJECT(normal), FADED_PICTURE));
        if (!faded) {
            faded = faded_copy(normal);
            g_object_set_data_full(G_OBJECT(normal), FADED_PICTURE, faded, g_object_unref);
        }
        g_object_set_data_full(G_OBJECT(image), NORMAL_PICTURE, g_object_ref(normal), g_object_unref);
        g_object_set_data_full(G_OBJECT(image), FADED_PICTURE, g_object_ref(faded), g_object_unref);
    }
    GdkPixbuf* wanted = gtk_widget_get_state(image) == GTK_STATE_INSENSITIVE ? faded : normal;
    if (wanted != shown)
        gtk_image_set_from_pixbuf(GTK_IMAGE(image), wanted);
}

bool parse_color(const char* name, GdkColor* color) { return name && gdk_color_parse(name, color); }

// Pictures already decoded, by file: a page of rows shows the same few
// pictures again and again. A file changed since is read again; large
// pictures (start screens) are not kept.
constexpr int KEPT_PICTURE_PIXELS = 128 * 128;
struct decoded_picture {
    struct stat file {};
    GdkPixbuf* pixbuf = nullptr;
};

bool same_file(const struct stat& a, const struct stat& b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// A new reference to the file's picture, or null when it cannot be read.
GdkPixbuf* load_picture(const char* path)
{
    static std::map<std::string, decoded_picture> decoded;
    struct stat file {};
    if (stat(path, &file) != 0)
        return nullptr;
    auto found = decoded.find(path);
    if (found != decoded.end() && same_file(found->second.file, file))
        return GDK_PIXBUF(g_object_ref(found->second.pixbuf));
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path, nullptr);
    if (!pixbuf || gdk_pixbuf_get_width(pixbuf) * gdk_pixbuf_get_height(pixbuf) > KEPT_PICTURE_PIXELS)
        return pixbuf;
    decoded_picture& kept = decoded[path];
    if (kept.pixbuf)
        g_object_unref(kept.pixbuf);
    kept.file = file;
    kept.pixbuf = GDK_PIXBUF(g_object_ref(pixbuf));
    return pixbuf;
}
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
    GdkPixbuf* pixbuf = load_picture(path);
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
    func_fade_when_insensitive(image);
    picture_state_changed(image, GTK_STATE_NORMAL, nullptr);
}

void func_set_image_icon(GtkWidget* image, const char* path)
{
    if (!image || !path || !GTK_IS_IMAGE(image))
        return;
    GdkPixbuf* pixbuf = load_picture(path);
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

void func_fade_when_insensitive(GtkWidget* image)
{
    if (!image || !GTK_IS_IMAGE(image) || g_object_get_data(G_OBJECT(image), "lumex-fades"))
        return;
    g_object_set_data(G_OBJECT(image), "lumex-fades", GINT_TO_POINTER(1));
    g_signal_connect(image, "state-changed", G_CALLBACK(picture_state_changed), nullptr);
    picture_state_changed(image, GTK_STATE_NORMAL, nullptr);
}

void func_fade_pictures_when_insensitive(GtkWidget* root)
{
    if (!root)
        return;
    if (GTK_IS_IMAGE(root)) {
        for (GtkWidget* parent = gtk_widget_get_parent(root); parent; parent = gtk_widget_get_parent(parent))
            if (GTK_IS_BUTTON(parent)) {
                func_fade_when_insensitive(root);
                break;
            }
        return;
    }
    if (GTK_IS_CONTAINER(root)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(root));
        for (GList* child = children; child; child = child->next)
            func_fade_pictures_when_insensitive(GTK_WIDGET(child->data));
        g_list_free(children);
    }
    // A button's own picture is not among its children until shown.
    if (GTK_IS_BUTTON(root))
        func_fade_when_insensitive(gtk_button_get_image(GTK_BUTTON(root)));
}

GdkPixbuf* func_get_button_picture(GtkWidget* button)
{
    GtkWidget* image = button && GTK_IS_BUTTON(button) ? gtk_button_get_image(GTK_BUTTON(button)) : nullptr;
    if (!image || !GTK_IS_IMAGE(image) || gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_PIXBUF)
        return nullptr;
    auto* normal = static_cast<GdkPixbuf*>(g_object_get_data(G_OBJECT(image), NORMAL_PICTURE));
    return normal ? normal : gtk_image_get_pixbuf(GTK_IMAGE(image));
}
