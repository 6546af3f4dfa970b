// Texts that screens put on their widgets once, when they are built, kept
// bound to their language slots so that a language switch reaches them.
#pragma once
#include <gtk/gtk.h>

// Sets the button's or label's text from the slot now (when the slot
// holds one) and again at every func_refresh_bound_texts, until the
// widget is destroyed. Binding a widget again moves it to the new slot.
void func_bind_text(GtkWidget* widget, int slot);
// Puts every bound widget's slot text back on it; a slot that is empty
// in the loaded language gives back the text the widget was built with.
void func_refresh_bound_texts();
