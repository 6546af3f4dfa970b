// Compiled English texts of every option row and label table. The
// language loader overwrites most entries from the slots of the loaded
// file; func_reset_option_tables brings back these texts.
#include "language/option_tables.h"

#include <cstdio>
#include <initializer_list>

std::string cfg_lookup_table[112];
std::string vez_lookup_table[32];
std::string vez_batch_lookup_table[8];
std::string vez_power_up_lookup_table[8];
std::string frm_lookup_table[8];
std::string stp_lookup_table[120];
std::string chm_lookup_table[16];
std::string manual_btn_lookup_table[40];
std::string machine_error_table[40];
std::string machine_status_table[18];
std::string vez_warning_table[6];
std::string config_selections_label_value[64];
std::string vez_selections_label_value[19];
std::string post_dry_selections_label_value[3];
std::string step_item_selections_label_value[24];
std::string a2d_selections_header[12];
std::string a2d_selections_value[48];
std::string d2a_selections_value[24];
std::string input_label[64];
std::string output_label[128];

namespace {

template <size_t N>
void clear_table(std::string (&table)[N])
{
    for (auto& text : table)
        text.clear();
}

// Writes texts from entry `first` on; texts past the table are dropped.
template <size_t N>
void put_texts(std::string (&table)[N], size_t first, std::initializer_list<const char*> texts)
{
    size_t index = first;
    for (const char* text : texts) {
        if (index >= N)
            return;
        table[index++] = text;
    }
}

template <size_t N>
void put_row(std::string (&table)[N], int width, int row, std::initializer_list<const char*> texts)
{
    put_texts(table, static_cast<size_t>(row) * static_cast<size_t>(width), texts);
}

void reset_configuration_tables()
{
    clear_table(cfg_lookup_table);
    const int w = CFG_LOOKUP_WIDTH;
    put_row(cfg_lookup_table, w, 0, {"Fahrenheit", "Celcius"});
    put_row(cfg_lookup_table, w, 1, {"English"});
    put_row(cfg_lookup_table, w, 2, {"Model A VEZ", "Model B VEZ", "Model C VEZ"});
    put_row(cfg_lookup_table, w, 3,
            {"B:30/E:30 Secs", "B:45/E:45 Secs", "B:60/E:60 Secs", "B:75/E:75 Secs", "B:90/E:90 Secs",
             "B:90/E:120 Secs", "B:30/E:60 Secs"});
    put_row(cfg_lookup_table, w, 4, {"No Steam", "05 Minutes", "10 Minutes", "50 Minutes"});
    put_row(cfg_lookup_table, w, 5, {"No Cooldown", "05 Minutes", "10 Minutes", "20 Minutes"});
    put_row(cfg_lookup_table, w, 6, {"G's", "RPMs"});
    put_row(cfg_lookup_table, w, 7, {"NO", "YES"});
    put_row(cfg_lookup_table, w, 8, {"No Tilt", "Air Tilt", "Hydraulic Tilt"});
    put_row(cfg_lookup_table, w, 9, {"Port 3", "Port 1"});

    clear_table(config_selections_label_value);
    put_texts(config_selections_label_value, 0,
              {"Temp Unit",       "Language",        "Type",           "Speed Unit",     "Lofter",
               "---",             "Drain Code",      "Steam Error",    "Fill Error Time", "Cooldown Error",
               "Extra Water",     "Reuse Drain",     "Overhead Tank",  "Flow Meters",    "Tilt Type",
               "RPM Control",     "Recirculation",   "---",            "Loadtrim",       "Temp Probe",
               "Electronic Lvl",  "---",             "Variable Spd",   "---",            "---",
               "Tidal Loop",      "Water Lvl 1",     "Water Lvl 2",    "Water Lvl 3",    "Wet-Down",
               "Bath Lvl Offset", "Chemical Valves", "Drain Washout",  "Machine Name",   "Simulator",
               "Counts Per 100",  "Offset Valve Time", "Jog Speed",    "Tank Temp",      "# Prog Outputs",
               "Netrova",         "Netrova Address", "Formula",        "Work Order",     "Goods Code",
               "Customer Code",   "Employee Code",   "Weight",         "Pieces",         "Lot #",
               "Group",           "Recirc Pls/Unit", "Speed Control",  "Prompt Weight",  "Tank Rate",
               "Recirc Rate",     "Generic 1",       "Generic 2",      "Generic 3",      "Generic 4"});
}

void reset_vez_tables()
{
    clear_table(vez_lookup_table);
    const int w = VEZ_LOOKUP_WIDTH;
    put_row(vez_lookup_table, w, 0, {"Configuration", "Configure VEZ", "Program Post Dry"});
    put_row(vez_lookup_table, w, 1,
            {"00 = Brenvik Series C or Later", "11 = Calvon System", "24 = Brenvik Series A and Earlier",
             "30 = Brenvik Series B and Earlier", "96 = 9600 kb/s", "97 = 19200 kb/s", "98 = 38400 kb/s",
             "99 = 57600 kb/s"});
    put_row(vez_lookup_table, w, 2, {"NO", "YES"});

    clear_table(vez_batch_lookup_table);
    put_row(vez_batch_lookup_table, VEZ_BATCH_LOOKUP_WIDTH, 0, {"Loading", "Discharging"});
    put_row(vez_batch_lookup_table, VEZ_BATCH_LOOKUP_WIDTH, 1, {"NO", "YES"});

    // Choice 0 starts the automatic loading cycle, any other stays manual.
    clear_table(vez_power_up_lookup_table);
    put_row(vez_power_up_lookup_table, VEZ_POWER_UP_LOOKUP_WIDTH, 0, {"Automatic Mode", "Manual Mode"});

    clear_table(vez_warning_table);
    put_texts(vez_warning_table, 0,
              {"Machine in Recovered Mode", "Load Position", "Bifold Door Closed", "Chute Up and Locked"});

    clear_table(vez_selections_label_value);
    put_texts(vez_selections_label_value, 0,
              {"Brenvik Address", "CW Discharge", "CCW Discharge", "Dwell Discharge", "# Sequences", "End Time",
               "Post Dry", "Lofter Delay", "Lofter Flush", "Zuvive Load", "Zuvive Disch", "Reserved_1",
               "Reserved_2", "Reserved_3", "Reserved_4", "Reserved_5", "Reserved_6"});
}

void reset_formula_tables()
{
    clear_table(frm_lookup_table);
    put_row(frm_lookup_table, FRM_LOOKUP_WIDTH, 0, {"OFF", "ON"});

    clear_table(stp_lookup_table);
    const int w = STP_LOOKUP_WIDTH;
    put_row(stp_lookup_table, w, 0,
            {"End Formula", "1-Way Wash", "2-Way Wash", "Soak Wash", "Staged Extract", "Standard Extract"});
    put_row(stp_lookup_table, w, 1, {"OFF", "ON", "Raise Fill Temp"});
    // "~" is a hidden choice: value 2 of Cold is never offered.
    put_row(stp_lookup_table, w, 2, {"OFF", "ON", "~", "Lower Fill Temp"});
    put_row(stp_lookup_table, w, 3, {"OFF", "ON", "Raise Fill Temp", "Lower Fill Temp"});
    put_row(stp_lookup_table, w, 4, {"Level 1", "Level 2", " Level 3", "User Defined"});
    put_row(stp_lookup_table, w, 5,
            {"No Steam", "After,Runs", "Stops", "After,Stops", "Early,After,Runs", "Early,Stops",
             "Early,After,Stops"});
    put_row(stp_lookup_table, w, 6, {"Normal", "Low", "Alt Normal", "Alt Low"});
    put_row(stp_lookup_table, w, 7,
            {"Standard", "Two-Way Wash", "Do Not Drain", "Stop w/Fill", "Stop w/Drain", "Stop w/Fill+Drain",
             "Aquamin"});
    put_row(stp_lookup_table, w, 8, {"To Sewer", "Reuse Tank"});
    put_row(stp_lookup_table, w, 9,
            {"Stop", "Reversing", "Rotating", "Tumble", "Stop+Signal", "Reversing+Signal", "Rotating+Signal",
             "Tumble+Signal"});
    put_row(stp_lookup_table, w, 10, {"NO", "YES"});
    put_row(stp_lookup_table, w, 11, {"Add Before", "Add After", "Add to End", "<< CANCEL >>"});
    put_row(stp_lookup_table, w, 12, {"Paste Before", "Paste After", "Paste to End", "<< CANCEL >>"});

    clear_table(step_item_selections_label_value);
    put_texts(step_item_selections_label_value, 0,
              {"Type", "Time", "Temp", "Hot", "Cold", "3rd Water", "Level", "Steam", "Chemical", "RPM",
               "Drain Type", "Re-Use Drain", "How to End", "On Time", "Off Time", "Start Liquor", "End Liquor",
               "Fill From Tank", "Recirculate Water", "Reserved 1", "Reserved 2", "Reserved 3", "Reserved 4",
               "Reserved 5"});

    clear_table(chm_lookup_table);
    put_row(chm_lookup_table, CHM_LOOKUP_WIDTH, 0, {"With Fill", "Level OK", "Level+Temp"});
    put_row(chm_lookup_table, CHM_LOOKUP_WIDTH, 1, {"OFF", "ON"});
    put_row(chm_lookup_table, CHM_LOOKUP_WIDTH, 2, {"NO", "YES"});

    clear_table(post_dry_selections_label_value);
    put_texts(post_dry_selections_label_value, 0, {"Formula", "DryCode", "Destination"});
}

void reset_run_tables()
{
    clear_table(manual_btn_lookup_table);
    const int w = MANUAL_BTN_LOOKUP_WIDTH;
    put_row(manual_btn_lookup_table, w, 0, {"Add +1 Min", "Decrease -1 Min", "[PAUSE] Step", "<<CANCEL>>"});
    put_row(manual_btn_lookup_table, w, 1, {"HOT Water", "COLD Water", "3rd Water", "<<CANCEL>>>"});
    put_row(manual_btn_lookup_table, w, 2, {"Drain to Sewer", "Drain to Reuse", "<<CANCEL>>>"});
    put_row(manual_btn_lookup_table, w, 3, {"Steam", "Cooldown", "<<CANCEL>>"});
    put_row(manual_btn_lookup_table, w, 4, {"Increase +1 in/cm", "Decrease -1 in/cm", "<<CANCEL>>>"});
    put_row(manual_btn_lookup_table, w, 5, {"Increase +1 Degrees", "Decrease -1 Degrees", "<<CANCEL>>>"});
    put_row(manual_btn_lookup_table, w, 6, {"Increase RPM", "Decrease RPM", "<<CANCEL>>"});

    clear_table(machine_error_table);
    put_texts(machine_error_table, 0,
              {"No Errors",          "Door Open",           "Level Transducer Fault", "Fill Error",
               "Drain Error",        "Steam Error",         "Cooldown Error",         "Out of Balance",
               "Inverter Fault",     "Door Lock Fault",     "Temperature Probe Fault", "Over Temperature",
               "Brake Fault",        "Emergency Stop",      "Three Wire Fault",       "Motor Overload",
               "Low Air Pressure",   "Excursion Fault",     "Basket Not Rotating",    "Bearing Seal Fault",
               "External Fault",     "Tank Fill Error",     "Tank Drain Error",       "Tank Level Fault",
               "Chemical Supply Fault", "Flow Meter Fault", "Speed Sensor Fault",     "Brake Pads Worn",
               "Controller Link Lost", "Load Position Fault", "Bifold Door Fault",    "Chute Fault",
               "Lofter Fault",       "Tilt Fault",          "Hydraulic Pump Fault",   "Zuvive Fault",
               "Loading Time Out",   "Discharge Time Out",  "Recovery Required",      "Unknown Error"});

    clear_table(machine_status_table);
    put_texts(machine_status_table, 0,
              {"Wait for Level", "Normal Wash", "Drain Distribution", "Extract", "Wait for Temperature",
               "Cooldown", "Draining", "Coasting", "Chemical Injection", "Soaking", "Step Paused",
               "Wait for Signal Cancel", "Formula Complete", "Idle", "Door Unlocking", "Wet-Down",
               "Recirculating", "Tank Filling"});
}

void reset_diagnostic_tables()
{
    clear_table(a2d_selections_header);
    put_texts(a2d_selections_header, 0, {"Function", "Bd/Channel", "Counts", "Actual", "Desired", "Units"});

    clear_table(a2d_selections_value);
    for (int channel = 0; channel < 8; ++channel) {
        char board[16];
        std::snprintf(board, sizeof board, "0x21/%d", channel);
        put_texts(a2d_selections_value, static_cast<size_t>(channel) * 6, {"N/A", board, "----", "-", "-", "-"});
    }
    put_texts(a2d_selections_value, 18, {"Level", "0x21/3", "----", "---", "---", "In"});
    put_texts(a2d_selections_value, 24, {"Inverter", "0x/21/4", "----", "---", "---", "mVolts"});
    put_texts(a2d_selections_value, 30, {"Probe 1", "0x21/5", "----", "---", "---", "F"});

    clear_table(d2a_selections_value);
    for (int channel = 0; channel < 4; ++channel) {
        char board[16];
        std::snprintf(board, sizeof board, "0x31/%d", channel);
        put_texts(d2a_selections_value, static_cast<size_t>(channel) * 6,
                  {"N/A", board, "----", "----", "----", "-"});
    }
    put_texts(d2a_selections_value, 0, {"Wash Motor", "0x31/0", "----", "----", "----", "RPM"});

    clear_table(input_label);
    put_texts(input_label, 0,
              {"Tank Full",      "Door Closed",    "Inv Input",     "Posifind",      "Wash Pos",
               "Load Pos",       "Timer Stop",     "Basket Rot",    "Excursion",     "Front Not Dwn",
               "Brake Pads",     "Brake Off",      "Dr Open Des",   "Speed Lmt Des", "Coarse Balance",
               "Three Wire",     "---",            "---",           "---",           "---",
               "Clean Control",  "Brng Seal Dfltd", "---",          "Extrnl Fault",  "---",
               "---",            "---",            "---",           "Signal Cancel", "Fresh Meter",
               "Sewer Meter",    "Tank Meter",     "El/Up Lock",    "Rear Down",     "El/Dwn Lock",
               "Manual Des",     "Disch Allow",    "Load Allow",    "Load End",      "El/Eye Block",
               "Front Down",     "Door Open",      "Zuvive Load",   "Rear Up",       "Front Up",
               "Zuvive Load End", "Zuvive Disch",  "---",           "Form 0",        "Form 1",
               "Form 2",         "Form 3",         "Form 4",        "Form 5",        "Weight 0",
               "Weight 1",       "Weight 2",       "Weight 3",      "Weight 4",      "Weight 5",
               "Weight 6",       "Weight 7",       "---",           "---"});

    clear_table(output_label);
    put_texts(output_label, 0,
              {"Recirc Pump",    "Cooldwn Valve",  "Flush Valve",    "Chem 4",         "Chem 1",
               "Chem 3",         "Chem 2",         "Chem 5",         "Tank->Mach",     "Alt Accl/Dccl",
               "Door Unlock",    "CW Wash",        "CCW Wash ",      "Steam Valve",    "Buzz signal",
               "3 Wire Relay",   "Brake Release",  "Hot Water",      "Cold Water",     "3rd Water",
               "Drain Solenoid", "Reuse drain",    "Mach->Mach",     "Mach->Tank",     "Push Down",
               "Xfer Ctrl 1",    "Xfer Ctrl Not 1", "Xfer Ctrl 2",   "Xfer Ctrl Not 2", "Clean Buzz",
               "Wash Clutch",    "Spray Down",     "Fresh->Mach",    "Tank->Sewer",    "Fresh->Tank",
               "Flow Stop",      "Door Lock",      "Steam Tank",     "---",            "3 Wire Pulse",
               "Chem 14 ",       "Chem 9",         "Chem 13",        "Chem Flush",     "Chem 15",
               "Chem 11",        "Chem Save",      "Dr Unlck Plse",  "Chem 10",        "Dr Lock Plse",
               "Chem 6",         "Chem 7",         "Chem 8",         "Chem 12",        "Auto Recirc",
               "Drain Motor",    "Low Ext",        "High Ext",       "Drain Saver",    "Move->Load",
               "Load Trim",      "Move->Wsh/Ld",   "---",            "Move->Wash",     "Lofter Blow",
               "El/Up Lock Rel", "El/Dwn Lock Rel", "Load Des",      "Lofter Flush",   "Disch End",
               "Lofter Mv Up",   "Lofter Mv Dwn"});
    for (int bit = 0; bit < 24; ++bit) {
        char text[16];
        std::snprintf(text, sizeof text, "cbit %02d", bit);
        output_label[72 + bit] = text;
    }
    for (int code = 0; code < 4; ++code) {
        output_label[96 + code] = "Drycode " + std::to_string(code);
        output_label[100 + code] = "Dest " + std::to_string(code);
    }
    put_texts(output_label, 104,
              {"Hyd Pump",       "Open Door",      "Close Door",     "Disch Des",      "Load/Unload End",
               "Tilt Up",        "Tilt Down",      "Tilt Front",     "Speed Limited",  "Deflate Door",
               "Start Load",     "Start Disch",    "Tilt Door Ltch", "Door Latch",     "Seq Load Allow",
               "Seq Load Des",   "---",            "---",            "Flag Down",      "Seq Ld/Unld End",
               "Seq Disch Des",  "Seq Disch Allow", "Seq Flag Dwn Disch", "---"});
}

// The tables hold their English texts before any code runs.
struct table_initialiser {
    table_initialiser() { func_reset_option_tables(); }
} initialise_tables;

const std::string empty_text;

}  // namespace

void func_reset_option_tables()
{
    reset_configuration_tables();
    reset_vez_tables();
    reset_formula_tables();
    reset_run_tables();
    reset_diagnostic_tables();
}

const std::string& func_option_text(const std::string* table, int table_size, int width, int row, int index)
{
    if (!table || table_size <= 0 || width <= 0 || row < 0 || index < 0 || index >= width)
        return empty_text;
    // Row and index are bounded, but row * width could still overflow int.
    long long position = static_cast<long long>(row) * width + index;
    if (position >= table_size)
        return empty_text;
    // A row ends at its first empty text; nothing after it is a choice.
    long long row_start = position - index;
    for (long long before = row_start; before < position; ++before)
        if (table[before].empty())
            return empty_text;
    return table[position];
}

int func_option_index(const std::string* table, int table_size, int width, int row, const std::string& text)
{
    for (int index = 0; index < width; ++index) {
        const std::string& entry = func_option_text(table, table_size, width, row, index);
        if (entry == text)
            return entry.empty() ? -1 : index;
        if (entry.empty())
            return -1;
    }
    return -1;
}

std::string func_option_text_or_number(const std::string* table, int table_size, int width, int row, int value)
{
    if (row >= 0)
        return func_option_text(table, table_size, width, row, value);
    char text[32];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

int func_option_index_in_row(const std::string* table, int table_size, int width, int row, const std::string& text)
{
    return row < 0 ? -1 : func_option_index(table, table_size, width, row, text);
}
