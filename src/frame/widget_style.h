// Fonts, colours and pictures of widgets.
#pragma once
#include <gtk/gtk.h>

#include <string>

// The first label in a widget (itself, or inside a button or box).
GtkWidget* func_find_label(GtkWidget* widget);

// For a plain button the label inside it is styled; otherwise the widget.
// Any argument may be null to leave that aspect alone.
void func_set_widget_font_and_color(GtkWidget* widget, const char* font, const char* text_color,
                                    const char* background_color, GtkWidget* background_widget);

// Positions of a button's picture.
enum { ICON_LEFT = 0, ICON_RIGHT = 1, ICON_TOP = 2, ICON_BOTTOM = 3 };
// Puts the picture on the button; a picture that does not load changes nothing.
void func_set_button_icon(GtkWidget* button, const char* path, int position);
void func_set_image_icon(GtkWidget* image, const char* path);
void func_set_image_animation(GtkWidget* image, const char* path);

// Sets the text of a button (through the button, so that a picture set
// later keeps it) or of a label.
void func_set_widget_label(GtkWidget* widget, const std::string& text);

// The picture of an insensitive button is drawn faded, so that what
// cannot be used looks so; the picture shown is kept when it changes.
void func_fade_when_insensitive(GtkWidget* image);
// The picture a button shows when it can be used (its faded form aside);
// null when it has none.
GdkPixbuf* func_get_button_picture(GtkWidget* button);
// The same for every picture inside the buttons below root.
void func_fade_pictures_when_insensitive(GtkWidget* root);
