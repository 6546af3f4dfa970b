// Putting another language in force while the console runs.
#pragma once

// Loads language `number` (outside 0 to 10 counts as 0) over the English
// texts. When its file cannot be read, English is loaded instead and the
// operator is told (the error log gets the message too). Then the texts
// bound to screen widgets, the option tables (with a fresh configuration
// copy) and the language's default chemical names follow. True when the
// language asked for is the one in force.
bool func_switch_language(int number);
