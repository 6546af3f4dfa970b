// The colours of the console's texts and backgrounds, named by what they
// mean. Every colour the code sets comes from here (the theme file sets
// the rest), and every text/background pair reaches a contrast of 4.5:1.
#pragma once

// Backgrounds of the theme (lumex.gtkrc).
#define LUMEX_WINDOW_BACKGROUND "#22303f"
#define LUMEX_BUTTON_BACKGROUND "#3b4d63"
#define LUMEX_BUTTON_PRESSED_BACKGROUND "#1b2836"
#define LUMEX_PANEL_BACKGROUND "#2c3e52"
// The message bar and the page counters.
#define LUMEX_BAR_BACKGROUND "#52647b"

// Green: a selected or pressed row's text.
#define LUMEX_SELECTED_TEXT "#7cfc00"
// Yellow: row numbers, page counters, help lines.
#define LUMEX_NUMBER_TEXT "#ffff00"
#define LUMEX_PLAIN_TEXT "#ffffff"
// Orange: the active field of the data entry dialog (dark text on it).
#define LUMEX_ACTIVE_ENTRY_TEXT "#000000"
#define LUMEX_ACTIVE_ENTRY_BACKGROUND "#ffa500"
// Red: an error in a message bar (white on red), an error title.
#define LUMEX_ERROR_TEXT "#ffffff"
#define LUMEX_ERROR_BACKGROUND "#c81e1e"
#define LUMEX_ALARM_TEXT "#ff7b7b"
#define LUMEX_ALARM_TITLE_TEXT "#f6e70c"
#define LUMEX_ALARM_TITLE_BACKGROUND "#a31515"
// Dialogs: errors and warnings orange, questions and information blue,
// the wait dialog black; their text white.
#define LUMEX_WARNING_BACKGROUND "#b4470c"
#define LUMEX_QUESTION_BACKGROUND "#194e84"
#define LUMEX_WAIT_BACKGROUND "#000000"
