#include "settings/network_settings.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "logs/log_file.h"

namespace {
const char* const INTERFACE = "eth0";
// Far more than any interfaces file; a larger one is not this system's.
constexpr std::streamsize MOST_FILE_BYTES = 64 * 1024;

// The address as one number, when it is one.
bool parse_ipv4(const std::string& text, uint32_t& value)
{
    value = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.')
                return false;
            ++at;
        }
        const size_t start = at;
        unsigned number = 0;
        while (at < text.size() && at - start < 4 && text[at] >= '0' && text[at] <= '9')
            number = number * 10 + static_cast<unsigned>(text[at++] - '0');
        const size_t digits = at - start;
        if (digits == 0 || digits > 3 || number > 255 || (digits > 1 && text[start] == '0'))
            return false;
        value = (value << 8) | number;
    }
    return at == text.size();
}

std::vector<std::string> words_of(const std::string& line)
{
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

int run_checked(const char* who, const std::vector<std::string>& argv)
{
    const int status = func_run_program(argv);
    if (status == 0)
        return 1;
    func_log_system_error(who, argv[0] + " " + argv[1] + " failed (status " + std::to_string(status) + ")");
    return 0;
}
}  // namespace

bool func_is_ipv4_address(const std::string& text)
{
    uint32_t value;
    return parse_ipv4(text, value);
}

bool func_is_ipv4_netmask(const std::string& text)
{
    uint32_t value;
    if (!parse_ipv4(text, value))
        return false;
    // Ones then zeros: the inverted mask plus one is a power of two.
    const uint32_t host = ~value;
    return (host & (host + 1)) == 0;
}

bool func_is_no_gateway(const std::string& text) { return text == "0.0.0.0"; }

bool func_check_static_settings(const network_settings& settings)
{
    // 0.0.0.0 is no address and no mask, only "no gateway".
    return func_is_ipv4_address(settings.address) && settings.address != "0.0.0.0" &&
           func_is_ipv4_netmask(settings.netmask) && settings.netmask != "0.0.0.0" &&
           func_is_ipv4_address(settings.gateway);
}

std::string func_get_interfaces_file_path() { return func_system_path("etc/network/interfaces"); }

int func_read_network_settings(network_settings& settings)
{
    settings = network_settings();
    const std::string path = func_get_interfaces_file_path();
    std::ifstream in(path, std::ios::binary);
    std::string content;
    if (in) {
        content.resize(static_cast<size_t>(MOST_FILE_BYTES) + 1);
        in.read(&content[0], MOST_FILE_BYTES + 1);
        content.resize(static_cast<size_t>(in.gcount()));
    }
    if (!in && !in.eof()) {
        func_log_system_error("func_network_is_dhcp", "can't read " + path + ": " + strerror(errno));
        return 0;
    }
    if (content.size() > static_cast<size_t>(MOST_FILE_BYTES)) {
        func_log_system_error("func_network_is_dhcp", path + " is too large to be read");
        return 0;
    }
    // Only eth0's stanza counts; any other stanza or option line ends it.
    bool in_stanza = false;
    std::istringstream lines(content);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> words = words_of(line);
        if (words.empty())
            continue;
        if (words[0] == "iface") {
            in_stanza = words.size() >= 4 && words[1] == INTERFACE && words[2] == "inet";
            if (in_stanza)
                settings.dhcp = words[3] != "static";
        } else if (words[0] == "auto" || words[0] == "mapping" || words[0] == "source" ||
                   words[0].compare(0, 6, "allow-") == 0) {
            in_stanza = false;
        } else if (in_stanza && words.size() >= 2) {
            if (words[0] == "address")
                settings.address = words[1];
            else if (words[0] == "netmask")
                settings.netmask = words[1];
            else if (words[0] == "gateway")
                settings.gateway = words[1];
        }
    }
    return 1;
}

int func_network_is_dhcp()
{
    network_settings settings;
    func_read_network_settings(settings);
    return settings.dhcp ? 1 : 0;
}

std::string func_get_interfaces_text(const network_settings& settings)
{
    std::string text = "auto lo\niface lo inet loopback\nauto eth0\n";
    if (settings.dhcp)
        return text + "iface eth0 inet dhcp\n";
    text += "iface eth0 inet static\naddress " + settings.address + "\nnetmask " + settings.netmask + "\n";
    if (!func_is_no_gateway(settings.gateway) && !settings.gateway.empty())
        text += "gateway " + settings.gateway + "\n";
    return text;
}

network_write func_write_network_settings(const network_settings& settings)
{
    if (!settings.dhcp && !func_check_static_settings(settings))
        return NETWORK_REFUSED;
    const std::string path = func_get_interfaces_file_path();
    if (!func_write_file_atomic(path, func_get_interfaces_text(settings))) {
        func_log_system_error("func_set_ip_data", "can't write " + path);
        return NETWORK_NOT_WRITTEN;
    }
    return NETWORK_WRITTEN;
}

int func_take_network_down() { return run_checked("func_set_ip_data", {"ifdown", INTERFACE}); }

int func_bring_network_up() { return run_checked("func_set_ip_data", {"ifup", INTERFACE}); }
