// Helpers for tests that drive real windows (under Xvfb in CI).
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

// Runs the main loop for about `milliseconds`, handling what is pending.
void func_test_run_loop(int milliseconds);
// Saves what a window shows as <build>/screenshots/<variant>/<name>.png.
// Returns the path, "" when nothing could be captured.
std::string func_test_save_screenshot(GtkWidget* window, const std::string& name);
// First widget named `name` below (or equal to) root.
GtkWidget* func_test_find_widget(GtkWidget* root, const std::string& name);
// Every widget below root whose name starts with prefix, in tree order.
std::vector<GtkWidget*> func_test_find_widgets(GtkWidget* root, const std::string& prefix);
// Labels of the row buttons whose names start with prefix, in row order.
std::vector<std::string> func_test_row_labels(GtkWidget* root, const std::string& prefix);
// Text of a label, or of the first label inside a button.
std::string func_test_label_text(GtkWidget* widget);
// The last top-level window of that name (only a visible one unless told
// otherwise), or nullptr.
GtkWidget* func_test_find_window(const std::string& name, bool visible_only = true);
// Emits "released" on a button as a finger would.
void func_test_release(GtkWidget* button);
// Text colour a label is drawn with in the normal state, "#rrggbb".
std::string func_test_text_color(GtkWidget* label);
// Background colour of a widget in the normal state, "#rrggbb".
std::string func_test_background_color(GtkWidget* widget);
// "#rrggbb" of a colour name.
std::string func_test_color(const char* name);

// --- what an operator sees -------------------------------------------------------

// Every widget at or below root that is drawn: visible itself and in
// every parent up to root.
std::vector<GtkWidget*> func_test_shown_widgets(GtkWidget* root);
// "name (type)" of each of them, sorted, to compare two showings.
std::vector<std::string> func_test_shown_names(GtkWidget* root);
// Each shown label whose text is wider or taller than the space its
// widget was given: "name 'text' 120x20 in 100x20".
std::vector<std::string> func_test_texts_that_do_not_fit(GtkWidget* root);
// Each shown, sensitive label whose colour has less than 4.5:1 contrast
// with the background it is drawn on, and each label of a button that
// cannot be used that is not clearly dimmer than a usable one.
std::vector<std::string> func_test_unreadable_texts(GtkWidget* root);
// Each shown, sensitive button lower than min_height pixels.
std::vector<std::string> func_test_small_buttons(GtkWidget* root, int min_height);
// WCAG contrast ratio of two colours.
double func_test_contrast(const GdkColor& a, const GdkColor& b);
