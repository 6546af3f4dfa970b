// The floor of the start-up benchmark: a GTK 2 program that opens one
// 800x480 window with a label and ends once it is drawn and idle.
#include <gtk/gtk.h>

namespace {
gboolean quit(gpointer)
{
    gtk_main_quit();
    return FALSE;
}
}  // namespace

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 480);
    gtk_container_add(GTK_CONTAINER(window), gtk_label_new("Lumex 6"));
    gtk_widget_show_all(window);
    // Below the drawing's priority: runs once the window is drawn.
    g_idle_add_full(G_PRIORITY_LOW, quit, nullptr, nullptr);
    gtk_main();
    return 0;
}
