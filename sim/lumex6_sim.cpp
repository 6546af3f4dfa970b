// lumex6-sim: a stand-in for the machine controller, for trying the
// console without a washer. It listens on the console's socket, answers
// its display requests and plays a formula from the data root step by
// step: fill, heat, wash with the basket reversing, chemicals, drain and
// extract, at a chosen speed. With --vez it also plays the loading cycle
// of the VEZ variant. It uses the console's own record formats.
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "files/paths.h"
#include "files/record_bytes.h"
#include "formulas/chemicals.h"
#include "formulas/step_list.h"
#include "link/ipc_frame.h"
#include "link/machine_message.h"
#include "link/run_record.h"

// The library's build switches: the simulator stands beside a machine console.
extern const int PC_MODE = 0;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

namespace {
volatile std::sig_atomic_t stopping = 0;
void on_signal(int) { stopping = 1; }

// Status numbers the console shows by name.
enum status {
    WAIT_LEVEL = 0, WASH = 1, EXTRACT = 3, WAIT_TEMPERATURE = 4, DRAINING = 6, CHEMICALS = 8,
    SOAK = 9, PAUSED = 10, WAIT_SIGNAL_CANCEL = 11, COMPLETE = 12, IDLE = 13
};
// Outputs the run screen draws.
constexpr int OUT_COOLDOWN = 1, OUT_STEAM = 13, OUT_HOT = 17, OUT_COLD = 18, OUT_THIRD = 19, OUT_DRAIN_CLOSED = 20,
              OUT_REUSE = 21, OUT_SPRAY_DOWN = 31;
// Output of chemical n (1..15).
constexpr int CHEMICAL_OUTPUT[16] = {0, 4, 6, 5, 3, 7, 50, 51, 52, 41, 48, 45, 53, 42, 40, 44};

struct options {
    std::string root = "/usr/share/lumex6/";
    std::string socket_path = "/run/lumex6/ipc.sock";
    double speed = 1.0;
    int error_code = 0;
    double error_at = -1.0;
    bool vez = false;
};

// The loading cycle played with --vez, in real seconds: each phase a
// state, the screen it needs (0 state, 1 recovery, 2 batch data) and how
// long it lasts; the batch-data phase lasts until the console replaces
// data/vez_batch_data.dat, recovery until its three conditions are met
// one after the other.
struct vez_phase {
    int state, wanted;
    double seconds;
};
constexpr vez_phase VEZ_CYCLE[] = {{0, 0, 2}, {1, 2, -1}, {2, 0, 2}, {3, 0, 2}, {7, 1, 1}, {9, 0, 4}};
constexpr size_t VEZ_PHASES = sizeof VEZ_CYCLE / sizeof VEZ_CYCLE[0];

struct vez_cycle {
    bool started = false;  // by the console's first state request
    size_t phase = 0;
    double time = 0;
    int met = 0;
    bool batch_known = false;
    struct stat batch_at_ask = {};
    int formula = 0;
    int load = 0;  // counts the loads asked for
};

enum phase { PHASE_FILL, PHASE_HEAT, PHASE_WASH, PHASE_DRAIN, PHASE_DONE };

struct machine {
    bool running = false, remote = false, paused = false, halted_for_error = false, error_sent = false;
    int formula = 0;
    std::string formula_name;
    std::vector<step_record> steps;
    std::vector<std::vector<chemical_record>> chemicals;
    size_t step = 0;
    phase now = PHASE_FILL;
    double step_left = 0, run_time = 0, phase_time = 0, idle_after = 0;
    double level = 0, temperature = 70;
    int rotation = 0;
    unsigned char outputs[192] = {};
    int status = IDLE;
    int request = 0;  // the display request that is on
    int manual_speed = 0, manual_level = 0, manual_temperature = 0;
    vez_cycle vez;
};

bool parse(int argc, char** argv, options& opts)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--root" && has_value) {
            opts.root = argv[++i];
            if (opts.root.back() != '/')
                opts.root += '/';
        } else if (arg == "--socket" && has_value) {
            opts.socket_path = argv[++i];
        } else if (arg == "--speed" && has_value) {
            opts.speed = std::strtod(argv[++i], nullptr);
            if (!(opts.speed > 0 && opts.speed <= 3600))
                return false;
        } else if (arg == "--vez") {
            opts.vez = true;
        } else if (arg == "--error" && has_value) {
            if (std::sscanf(argv[++i], "%d@%lf", &opts.error_code, &opts.error_at) != 2 || opts.error_at < 0)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

std::vector<unsigned char> read_file(const std::string& path, size_t limit)
{
    std::vector<unsigned char> bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[4096];
        size_t got;
        while (bytes.size() < limit && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(file);
    }
    return bytes;
}

int step_total(const machine& m)
{
    long long total = 0;
    for (const step_record& s : m.steps)
        total += std::clamp(s.items[STEP_TIME], 0, 24 * 3600);
    return static_cast<int>(total);
}

int formula_left(const machine& m)
{
    long long left = m.running ? static_cast<long long>(std::ceil(m.step_left)) : 0;
    for (size_t i = m.step + 1; i < m.steps.size(); ++i)
        left += std::clamp(m.steps[i].items[STEP_TIME], 0, 24 * 3600);
    return static_cast<int>(left);
}

double desired_level(const step_record& s)
{
    const int level = s.items[STEP_LEVEL];
    if (level > 100)
        return std::min(level, 10000) / 100.0;
    return std::clamp(level, 0, 3) == 0 ? 8.0 : 7.0 + std::clamp(level, 0, 3);
}

bool is_extract(const step_record& s)
{
    return s.items[STEP_TYPE] == STEP_STAGED_EXTRACT || s.items[STEP_TYPE] == STEP_STANDARD_EXTRACT;
}

void start_step(machine& m)
{
    m.phase_time = 0;
    std::fill(std::begin(m.outputs), std::end(m.outputs), 0);
    if (m.step >= m.steps.size() || m.steps[m.step].items[STEP_TYPE] == STEP_END_FORMULA) {
        m.now = PHASE_DONE;
        m.status = COMPLETE;
        m.step_left = 0;
        m.rotation = 0;
        return;
    }
    const step_record& s = m.steps[m.step];
    m.step_left = std::clamp(s.items[STEP_TIME], 0, 24 * 3600);
    m.now = is_extract(s) ? PHASE_WASH : PHASE_FILL;
}

bool load_formula(machine& m, const options& opts, int formula)
{
    if (formula < 1 || formula > 999)
        return false;
    char folder[32];
    std::snprintf(folder, sizeof folder, "formulas/f-%03d/", formula);
    const std::vector<unsigned char> bytes = read_file(opts.root + folder + "steps.dat", STEP_RECORD_SIZE * 99);
    m.steps.clear();
    m.chemicals.clear();
    for (size_t at = 0; at + STEP_RECORD_SIZE <= bytes.size(); at += STEP_RECORD_SIZE) {
        step_record s;
        func_decode_step_record(bytes.data() + at, s);
        m.steps.push_back(s);
        char name[32];
        std::snprintf(name, sizeof name, "s-%03d_chems.dat", std::clamp(s.number, 0, 999));
        const std::vector<unsigned char> chem =
            read_file(opts.root + folder + name, CHEMICAL_RECORD_SIZE * CHEMICAL_COUNT);
        std::vector<chemical_record> list;
        for (size_t c = 0; c + CHEMICAL_RECORD_SIZE <= chem.size(); c += CHEMICAL_RECORD_SIZE) {
            chemical_record record;
            func_decode_chemical_record(chem.data() + c, record);
            list.push_back(record);
        }
        m.chemicals.push_back(list);
    }
    if (m.steps.empty())
        return false;
    m.formula = formula;
    m.running = true;
    m.paused = m.halted_for_error = m.error_sent = false;
    m.run_time = 0;
    m.idle_after = 0;
    m.step = 0;
    m.manual_speed = m.manual_level = m.manual_temperature = 0;
    start_step(m);
    std::printf("lumex6-sim: running formula %d, %zu steps\n", formula, m.steps.size());
    std::fflush(stdout);
    return true;
}

void set(machine& m, int output, bool on) { m.outputs[output] = on ? 1 : 0; }

// One slice of simulated time.
void advance(machine& m, double dt)
{
    if (!m.running)
        return;
    if (m.now == PHASE_DONE) {
        m.idle_after += dt;
        return;
    }
    if (m.paused || m.halted_for_error)
        return;
    m.run_time += dt;
    m.phase_time += dt;
    const step_record& s = m.steps[m.step];
    const double want_level = desired_level(s) + m.manual_level;
    const double want_temperature = s.items[STEP_TEMPERATURE] + m.manual_temperature;
    const int on_time = std::max(s.items[STEP_ON_TIME], 1), off_time = std::max(s.items[STEP_OFF_TIME], 0);
    switch (m.now) {
    case PHASE_FILL:
        m.status = WAIT_LEVEL;
        set(m, OUT_DRAIN_CLOSED, true);
        set(m, OUT_HOT, s.items[STEP_HOT] != 0);
        set(m, OUT_COLD, s.items[STEP_COLD] != 0 || (!s.items[STEP_HOT] && !s.items[STEP_THIRD_WATER]));
        set(m, OUT_THIRD, s.items[STEP_THIRD_WATER] != 0);
        m.level += 0.5 * dt;
        if (m.level >= want_level) {
            m.level = want_level;
            set(m, OUT_HOT, false), set(m, OUT_COLD, false), set(m, OUT_THIRD, false);
            m.now = want_temperature > m.temperature + 0.5 ? PHASE_HEAT : PHASE_WASH;
            m.phase_time = 0;
        }
        break;
    case PHASE_HEAT:
        m.status = WAIT_TEMPERATURE;
        set(m, OUT_STEAM, true);
        m.temperature += 1.0 * dt;
        if (m.temperature >= want_temperature) {
            set(m, OUT_STEAM, false);
            m.now = PHASE_WASH;
            m.phase_time = 0;
        }
        break;
    case PHASE_WASH: {
        m.step_left = std::max(0.0, m.step_left - dt);
        if (is_extract(s)) {
            m.status = EXTRACT;
            set(m, OUT_DRAIN_CLOSED, false);
            m.level = std::max(0.0, m.level - 0.2 * dt);
            m.rotation = 2;
        } else {
            m.status = s.items[STEP_TYPE] == STEP_SOAK_WASH ? SOAK : WASH;
            // On one way, rest, on the other way (or the same for a one-way wash), rest.
            const double cycle = 2.0 * (on_time + off_time);
            const double at = std::fmod(m.phase_time, cycle);
            const bool reverse = s.items[STEP_TYPE] == STEP_TWO_WAY_WASH && at >= on_time + off_time;
            const double in_half = reverse ? at - on_time - off_time : at;
            m.rotation = m.status == SOAK || in_half >= on_time ? 0 : (reverse ? 1 : 2);
            // Cooling towards a lower setting.
            if (want_temperature > 0 && m.temperature > want_temperature + 1) {
                set(m, OUT_COOLDOWN, true);
                m.temperature -= 0.2 * dt;
            } else {
                set(m, OUT_COOLDOWN, false);
            }
        }
        bool injecting = false;
        for (const chemical_record& c : m.chemicals[m.step]) {
            const bool on = c.active && c.number >= 1 && c.number <= 15 &&
                            m.phase_time < std::clamp(c.duration, 0, 3600);
            set(m, CHEMICAL_OUTPUT[std::clamp(c.number, 0, 15)], on);
            injecting = injecting || on;
        }
        if (injecting && m.status == WASH)
            m.status = CHEMICALS;
        if (m.step_left <= 0) {
            for (int n = 1; n <= 15; ++n)
                set(m, CHEMICAL_OUTPUT[n], false);
            m.now = PHASE_DRAIN;
            m.phase_time = 0;
        }
        break;
    }
    case PHASE_DRAIN:
        m.status = DRAINING;
        m.rotation = 0;
        set(m, OUT_COOLDOWN, false);
        set(m, OUT_DRAIN_CLOSED, false);
        set(m, OUT_REUSE, s.items[STEP_REUSE_DRAIN] != 0);
        m.level = std::max(0.0, m.level - 1.0 * dt);
        if (m.level <= 0) {
            ++m.step;
            start_step(m);
        }
        break;
    case PHASE_DONE: break;
    }
    // Water cools slowly on its own.
    m.temperature = std::max(60.0, m.temperature - 0.002 * dt);
}

std::string batch_path(const options& opts) { return opts.root + "data/vez_batch_data.dat"; }

// The batch data counts once its file is another one than when asked
// for (the console replaces it whole, so it gets a new inode).
bool batch_replaced(vez_cycle& v, const options& opts)
{
    struct stat now = {};
    if (stat(batch_path(opts).c_str(), &now) != 0)
        return false;
    if (v.batch_known && now.st_ino == v.batch_at_ask.st_ino && now.st_mtim.tv_sec == v.batch_at_ask.st_mtim.tv_sec &&
        now.st_mtim.tv_nsec == v.batch_at_ask.st_mtim.tv_nsec)
        return false;
    const std::vector<unsigned char> bytes = read_file(batch_path(opts), 64);
    if (bytes.size() == 36 && bytes[0] == 1)
        v.formula = func_get_int32_le(&bytes[4]);
    return true;
}

void advance_vez(machine& m, const options& opts, double seconds)
{
    vez_cycle& v = m.vez;
    if (!opts.vez || !v.started)
        return;
    v.time += seconds;
    const vez_phase& now = VEZ_CYCLE[v.phase];
    bool done = false;
    if (now.wanted == 2) {
        done = batch_replaced(v, opts);
    } else if (now.wanted == 1) {
        v.met = std::min(3, static_cast<int>(v.time / now.seconds));
        done = v.time >= 4 * now.seconds;
    } else {
        done = v.time >= now.seconds;
    }
    if (!done)
        return;
    v.phase = (v.phase + 1) % VEZ_PHASES;
    v.time = 0;
    v.met = 0;
    if (VEZ_CYCLE[v.phase].wanted == 2) {
        v.load = (v.load + 1) % 256;
        v.batch_known = stat(batch_path(opts).c_str(), &v.batch_at_ask) == 0;
    }
    std::printf("lumex6-sim: VEZ state %d\n", VEZ_CYCLE[v.phase].state);
    std::fflush(stdout);
}

std::vector<unsigned char> vez_state_bytes(const machine& m)
{
    std::vector<unsigned char> state(8, 0);
    if (m.vez.started) {
        state[0] = static_cast<unsigned char>(VEZ_CYCLE[m.vez.phase].state);
        state[1] = static_cast<unsigned char>(VEZ_CYCLE[m.vez.phase].wanted);
        state[2] = static_cast<unsigned char>(m.vez.load);
        func_put_int32_le(&state[4], m.vez.formula);
    } else {
        state[0] = 1;
        func_put_int32_le(&state[4], m.formula);
    }
    return state;
}

std::vector<unsigned char> run_record_bytes(const machine& m)
{
    const bool has_step = m.running && m.step < m.steps.size();
    const step_record* s = has_step ? &m.steps[m.step] : nullptr;
    run_record r;
    r.formula = m.running ? m.formula : std::max(m.formula, 1);
    r.step = s ? s->number : (m.steps.empty() ? 1 : m.steps.back().number);
    r.formula_total = step_total(m);
    r.formula_left = formula_left(m);
    r.step_total = s ? std::clamp(s->items[STEP_TIME], 0, 24 * 3600) : 0;
    r.step_left = static_cast<int>(std::ceil(m.step_left));
    r.temperature_desired = s ? s->items[STEP_TEMPERATURE] + m.manual_temperature : 0;
    r.temperature_actual = static_cast<int>(m.temperature);
    r.level_desired = s ? static_cast<int>((desired_level(*s) + m.manual_level) * 100) : 0;
    r.level_actual = static_cast<int>(m.level * 100);
    r.rotation = m.rotation;
    r.speed = s && m.rotation ? std::clamp(s->items[STEP_RPM] + m.manual_speed, 0, 1200) : 0;
    r.status = m.paused ? PAUSED : (m.halted_for_error ? WAIT_SIGNAL_CANCEL : m.status);
    std::memcpy(r.outputs, m.outputs, sizeof m.outputs);
    std::vector<unsigned char> bytes(IPC_RUN_RECORD_SIZE);
    func_encode_run_record(r, bytes.data());
    return bytes;
}

std::vector<unsigned char> remote_run_record(const machine& m)
{
    std::vector<unsigned char> r = run_record_bytes(m);
    r.resize(IPC_REMOTE_RUN_RECORD_SIZE, 0);
    r[237] = static_cast<unsigned char>(m.steps.size());
    func_put_text_field(&r[IPC_REMOTE_NAME_OFFSET], IPC_REMOTE_NAME_SIZE, m.formula_name);
    if (m.step < m.steps.size())
        func_put_text_field(&r[IPC_REMOTE_STEP_NAME_OFFSET], IPC_REMOTE_NAME_SIZE, m.steps[m.step].name);
    return r;
}

struct console_link {
    int listener = -1, client = -1;
    ipc_frame_decoder* decoder = nullptr;
};

void send_frame(console_link& l, uint8_t kind, const std::vector<unsigned char>& payload)
{
    if (l.client < 0)
        return;
    const std::vector<unsigned char> frame = func_encode_ipc_frame(kind, payload.data(), payload.size());
    size_t at = 0;
    while (at < frame.size()) {
        const ssize_t sent = send(l.client, frame.data() + at, frame.size() - at, MSG_NOSIGNAL);
        if (sent <= 0) {
            if (sent < 0 && errno == EINTR)
                continue;
            close(l.client);
            l.client = -1;
            return;
        }
        at += static_cast<size_t>(sent);
    }
}

void send_message(console_link& l, int dialog, const std::string& text, int error_code = -1)
{
    machine_message_record message;
    message.dialog_kind = dialog;
    message.text = text;
    message.error_code = error_code;
    send_frame(l, IPC_KIND_MACHINE_MESSAGE, func_encode_machine_message(message));
}

// What the controller answers to the request that is on.
void answer(console_link& l, machine& m, unsigned tick)
{
    switch (m.request) {
    case 1:
        if (m.running)
            send_frame(l, m.remote ? IPC_KIND_REMOTE_RUN : IPC_KIND_RUN, m.remote ? remote_run_record(m) : run_record_bytes(m));
        else if (m.formula) {
            // Stopped or finished: the console returns home on Idle.
            std::vector<unsigned char> r = run_record_bytes(m);
            r[44] = IDLE;
            send_frame(l, IPC_KIND_RUN, r);
        }
        break;
    case 2: {
        std::vector<unsigned char> inputs(IPC_INPUTS_SIZE, 0);
        inputs[0] = 1;                       // door closed
        inputs[1] = (tick / 10) % 2;         // a pulse the operator can watch
        inputs[2] = m.rotation != 0;         // basket turning
        inputs[3] = m.level > 0.5;           // water above the pressure switch
        send_frame(l, IPC_KIND_INPUTS, inputs);
        break;
    }
    case 3: send_frame(l, IPC_KIND_OUTPUTS, std::vector<unsigned char>(m.outputs, m.outputs + IPC_OUTPUTS_SIZE)); break;
    case 4: {
        std::vector<unsigned char> analogs(IPC_ANALOGS_SIZE, 0);
        func_put_int32_le(&analogs[0], static_cast<int>(m.temperature * 10));
        func_put_int32_le(&analogs[4], static_cast<int>(m.level * 100));
        func_put_int32_le(&analogs[8], static_cast<int>(2300 + 40 * std::sin(tick / 12.0)));  // mains volts x10
        func_put_int32_le(&analogs[12], static_cast<int>(tick % 1000));
        send_frame(l, IPC_KIND_ANALOGS, analogs);
        break;
    }
    case 9:
        send_frame(l, IPC_KIND_SPRAY_DOWN, {m.outputs[OUT_DRAIN_CLOSED], m.outputs[OUT_REUSE], m.outputs[OUT_SPRAY_DOWN]});
        break;
    case 12:
    case 15:
        // In the cycle every VEZ screen hears which screen it needs.
        if (m.request == 12 || m.vez.started)
            send_frame(l, IPC_KIND_VEZ_STATE, vez_state_bytes(m));
        break;
    case 13:
        if (m.vez.started) {
            const int met = m.vez.met;
            send_frame(l, IPC_KIND_VEZ_RECOVERY,
                       {static_cast<unsigned char>(met > 0), static_cast<unsigned char>(met > 1),
                        static_cast<unsigned char>(met > 2)});
            send_frame(l, IPC_KIND_VEZ_STATE, vez_state_bytes(m));
        } else {
            send_frame(l, IPC_KIND_VEZ_RECOVERY, {1, static_cast<unsigned char>((tick / 25) % 2), 1});
        }
        break;
    // The lofter (F4) is out of service in the cycle, to be seen greyed.
    case 14: send_frame(l, IPC_KIND_VEZ_MANUAL, {1, 1, 1, static_cast<unsigned char>(!m.vez.started), 1, 1}); break;
    default: break;
    }
}

// The spray-down screen's toggles: option 0 opens (starts), 1 closes (stops).
void spray_down_button(machine& m, int group, int option)
{
    const bool open = option == 0;
    if (group == 7)
        m.outputs[OUT_DRAIN_CLOSED] = open ? 0 : 1;
    else if (group == 15)
        m.outputs[OUT_REUSE] = open ? 1 : 0;
    else if (group == 14)
        m.outputs[OUT_SPRAY_DOWN] = open ? 1 : 0;
}

void manual_button(machine& m, int group, int option)
{
    if (m.request == 9) {
        spray_down_button(m, group, option);
        return;
    }
    switch (group) {
    case 2:
        if (option == 0)
            m.step_left += 60;
        else if (option == 1)
            m.step_left = std::max(0.0, m.step_left - 60);
        else if (option == 2)
            m.paused = !m.paused;
        break;
    case 3:
        if (option >= 0 && option <= 2)
            m.outputs[OUT_HOT + option] ^= 1;
        break;
    case 7:
        if (option == 0)
            m.outputs[OUT_DRAIN_CLOSED] = 0;
        else if (option == 1)
            m.outputs[OUT_REUSE] ^= 1;
        break;
    case 4:
        if (option == 0)
            m.outputs[OUT_STEAM] ^= 1;
        else if (option == 1)
            m.outputs[OUT_COOLDOWN] ^= 1;
        break;
    case 8: m.manual_level += option == 0 ? 1 : (option == 1 ? -1 : 0); break;
    case 1: m.manual_temperature += option == 0 ? 1 : (option == 1 ? -1 : 0); break;
    case 5: m.manual_speed += option == 0 ? 10 : (option == 1 ? -10 : 0); break;
    default: break;
    }
}

void stop_run(machine& m)
{
    m.running = false;
    m.paused = m.halted_for_error = false;
    m.rotation = 0;
    m.status = IDLE;
    std::fill(std::begin(m.outputs), std::end(m.outputs), 0);
    std::printf("lumex6-sim: formula %d stopped\n", m.formula);
    std::fflush(stdout);
}

void on_frame(console_link& l, machine& m, const options& opts, uint8_t kind, const unsigned char* p, size_t size)
{
    if (kind == IPC_KIND_COMMAND && size == 6) {
        if (p[2])
            m.request = p[1];
        else if (m.request == p[1])
            m.request = 0;
        if (p[2] && p[1] == 12 && opts.vez)
            m.vez.started = true;
    } else if (kind == IPC_KIND_REMOTE_FORMULA && size == 28) {
        const int formula = func_get_int32_le(p);
        if (load_formula(m, opts, formula)) {
            m.remote = true;
            char name[32];
            std::snprintf(name, sizeof name, "Remote F-%03d", formula);
            m.formula_name = name;
        } else {
            send_message(l, 1, "Formula " + std::to_string(formula) + " cannot be run");
        }
    } else if (kind == IPC_KIND_SEND && size == 6) {
        switch (p[1]) {
        case IPC_SEND_SELECTED_FORMULA: {
            const int formula = p[3] | (p[4] << 8);
            m.remote = false;
            if (!load_formula(m, opts, formula))
                send_message(l, 1, "Formula " + std::to_string(formula) + " cannot be run");
            break;
        }
        case IPC_SEND_MANUAL_STOP:
            if (p[2] == 20 && m.running)
                stop_run(m);
            break;
        case IPC_SEND_SIGNAL_CANCEL: m.halted_for_error = false; break;
        case IPC_SEND_RESUME_FORMULA:
        case IPC_SEND_THREE_WIRES:
            if (p[2] == 20 && m.running)
                stop_run(m);
            break;
        case IPC_SEND_MANUAL_BUTTON: manual_button(m, p[2], p[3]); break;
        case IPC_SEND_SELECTED_OUTPUT:
            // The diagnostics screen's output buttons switch one output.
            if (p[3] < IPC_OUTPUTS_SIZE)
                m.outputs[p[3]] ^= 1;
            break;
        case IPC_SEND_SPEED_UP: m.manual_speed += 10; break;
        case IPC_SEND_SPEED_DOWN: m.manual_speed -= 10; break;
        default: break;
        }
    }
}

int open_listener(const std::string& path)
{
    sockaddr_un address = {};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        std::fprintf(stderr, "lumex6-sim: socket path too long\n");
        return -1;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
        unlink(path.c_str());  // left by an earlier run
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 2) != 0) {
        std::fprintf(stderr, "lumex6-sim: cannot listen on %s: %s\n", path.c_str(), std::strerror(errno));
        if (fd >= 0)
            close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

int main(int argc, char** argv)
{
    options opts;
    if (!parse(argc, argv, opts)) {
        std::fprintf(stderr,
                     "Usage: lumex6-sim [--root DIR] [--socket PATH] [--speed N] [--error CODE@SECONDS] [--vez]\n"
                     "Plays the machine controller for the Lumex 6 console.\n");
        return 2;
    }
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    console_link l;
    l.listener = open_listener(opts.socket_path);
    if (l.listener < 0)
        return 1;
    machine m;
    ipc_frame_decoder decoder(
        [&](uint8_t kind, const unsigned char* payload, size_t size) { on_frame(l, m, opts, kind, payload, size); },
        nullptr);
    std::printf("lumex6-sim: listening on %s\n", opts.socket_path.c_str());
    std::fflush(stdout);

    using clock = std::chrono::steady_clock;
    auto last = clock::now();
    auto next_answer = last;
    unsigned tick = 0;
    while (!stopping) {
        pollfd watched[2] = {{l.listener, POLLIN, 0}, {l.client, POLLIN, 0}};
        poll(watched, l.client >= 0 ? 2 : 1, 100);
        if (watched[0].revents & POLLIN) {
            const int client = accept4(l.listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                if (l.client >= 0)
                    close(l.client);  // the console started again
                l.client = client;
                decoder.reset();
            }
        } else if (l.client >= 0 && (watched[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            unsigned char buffer[4096];
            const ssize_t got = recv(l.client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                close(l.client);
                l.client = -1;
            } else {
                decoder.feed(buffer, static_cast<size_t>(got));
            }
        }
        const auto now = clock::now();
        advance(m, std::chrono::duration<double>(now - last).count() * opts.speed);
        advance_vez(m, opts, std::chrono::duration<double>(now - last).count());
        last = now;
        if (m.running && !m.error_sent && opts.error_at >= 0 && m.run_time >= opts.error_at) {
            m.error_sent = true;
            m.halted_for_error = true;
            send_message(l, 4, "Error " + std::to_string(opts.error_code), opts.error_code);
        }
        // A finished formula rests a little, then the machine is idle.
        if (m.running && m.now == PHASE_DONE && m.idle_after >= 3 * opts.speed) {
            m.idle_after = 0;
            stop_run(m);
        }
        if (now >= next_answer) {
            next_answer = now + std::chrono::milliseconds(100);
            answer(l, m, ++tick);
        }
    }
    if (l.client >= 0)
        close(l.client);
    close(l.listener);
    unlink(opts.socket_path.c_str());
    std::printf("lumex6-sim: ended\n");
    return 0;
}
