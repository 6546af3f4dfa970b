// Pictures are decoded once per file: a file replaced since is read again,
// and one that cannot be read leaves the picture shown.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <string>

#include "frame/widget_style.h"
#include "support/sandbox.h"

namespace {
void save_picture(const std::string& path, int size)
{
    GdkPixbuf* picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, size, size);
    gdk_pixbuf_fill(picture, 0x336699ff);
    ASSERT_TRUE(gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr));
    g_object_unref(picture);
}

int shown_width(GtkWidget* image) { return gdk_pixbuf_get_width(gtk_image_get_pixbuf(GTK_IMAGE(image))); }
}  // namespace

TEST(widget_style_gui_test, a_replaced_picture_file_is_read_again_and_an_unreadable_one_changes_nothing)
{
    sandbox_root sandbox(false);
    const std::string path = sandbox.path("icon.png");
    save_picture(path, 2);
    GtkWidget* image = GTK_WIDGET(g_object_ref_sink(gtk_image_new()));
    GtkWidget* button = GTK_WIDGET(g_object_ref_sink(gtk_button_new_with_label("row")));
    func_set_image_icon(image, path.c_str());
    func_set_button_icon(button, path.c_str(), ICON_LEFT);
    EXPECT_EQ(2, shown_width(image));
    EXPECT_EQ(gtk_image_get_pixbuf(GTK_IMAGE(image)), func_get_button_picture(button));  // decoded once

    save_picture(path + ".new", 3);
    ASSERT_EQ(0, rename((path + ".new").c_str(), path.c_str()));
    func_set_image_icon(image, path.c_str());
    EXPECT_EQ(3, shown_width(image));

    sandbox.write_file("icon.png", "not a picture");
    func_set_image_icon(image, path.c_str());
    func_set_button_icon(button, sandbox.path("missing.png").c_str(), ICON_LEFT);
    EXPECT_EQ(3, shown_width(image));
    EXPECT_EQ(2, gdk_pixbuf_get_width(func_get_button_picture(button)));
    g_object_unref(button);
    g_object_unref(image);
}
