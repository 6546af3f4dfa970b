#include "frame/clock.h"

#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "language/units.h"

// The clock labels: the home screen keeps lbl_time and lbl_date in its
// record's second-list slots; the run screen registers its own label.
GtkWidget* run_screen_date_time_label = nullptr;

int func_update_clock(void*)
{
    const int screen = func_current_screen_code();
    if (screen == SCREEN_HOME && preloaded_display) {
        GtkWidget* time_label = preloaded_display[SCREEN_HOME].btn_page_up1;
        GtkWidget* date_label = preloaded_display[SCREEN_HOME].btn_page_down1;
        if (time_label && GTK_IS_LABEL(time_label))
            gtk_label_set_text(GTK_LABEL(time_label), func_get_time(0).c_str());
        if (date_label && GTK_IS_LABEL(date_label))
            gtk_label_set_text(GTK_LABEL(date_label), func_get_date(0).c_str());
    } else if (screen == SCREEN_RUN && run_screen_date_time_label) {
        std::string text = func_get_date(0) + " - " + func_get_time(0);
        gtk_label_set_text(GTK_LABEL(run_screen_date_time_label), text.c_str());
    }
    return 1;
}
