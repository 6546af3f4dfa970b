// The colours of the console's texts and backgrounds, named by what they
// mean. Every colour the code sets comes from here (and the theme file),
// so that each text/background pair can be checked for contrast.
#pragma once

// Backgrounds of the theme (lumex.gtkrc).
#define LUMEX_WINDOW_BACKGROUND "#22303f"
#define LUMEX_BUTTON_BACKGROUND "#3b4d63"
#define LUMEX_BUTTON_PRESSED_BACKGROUND "#1b2836"
#define LUMEX_PANEL_BACKGROUND "#2c3e52"
#define LUMEX_BAR_BACKGROUND "#52647b"

// A selected or pressed row's text.
#define LUMEX_SELECTED_TEXT "green"
// Row numbers and page counters.
#define LUMEX_NUMBER_TEXT "yellow"
#define LUMEX_PLAIN_TEXT "white"
// The active field of the data entry dialog: text on background.
#define LUMEX_ACTIVE_ENTRY_TEXT "black"
#define LUMEX_ACTIVE_ENTRY_BACKGROUND "orange"
// Messages: errors white on red; dialogs by kind.
#define LUMEX_ERROR_TEXT "white"
#define LUMEX_ERROR_BACKGROUND "red"
#define LUMEX_WARNING_BACKGROUND "#f95f0b"
#define LUMEX_QUESTION_BACKGROUND "#194e84"
