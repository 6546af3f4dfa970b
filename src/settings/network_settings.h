// The console's Ethernet interface (eth0) in the system's interfaces file
// (etc/network/interfaces under the system root): read, checked, written
// whole, and the interface taken down and brought up again. The pause
// between the two belongs to the caller, so nothing here blocks.
#pragma once
#include <string>

struct network_settings {
    bool dhcp = true;
    std::string address;
    std::string netmask;
    std::string gateway;  // "0.0.0.0" (or nothing in the file): none
};

// Four decimal numbers 0 to 255 joined by dots, without signs, blanks or
// leading zeros ("192.168.1.20").
bool func_is_ipv4_address(const std::string& text);
// An address whose bits are ones followed by zeros ("255.255.255.0").
bool func_is_ipv4_netmask(const std::string& text);
// The gateway text that stands for no gateway.
bool func_is_no_gateway(const std::string& text);
// A static setting that can be written: an address, a netmask and a
// gateway (or "0.0.0.0" for none).
bool func_check_static_settings(const network_settings& settings);

std::string func_get_interfaces_file_path();
// Reads eth0's settings. 1 when the file was read; 0 when it could not
// be (logged), and the interface is then taken as configured by DHCP.
int func_read_network_settings(network_settings& settings);
// 1 when eth0 is configured by DHCP (also when the file cannot be read).
int func_network_is_dhcp();

// The whole file for these settings.
std::string func_get_interfaces_text(const network_settings& settings);

enum network_write {
    NETWORK_WRITTEN,
    NETWORK_REFUSED,     // an address, netmask or gateway is not one; nothing written
    NETWORK_NOT_WRITTEN  // the file could not be replaced (logged); the old one stays
};
network_write func_write_network_settings(const network_settings& settings);

// "ifdown eth0" and "ifup eth0": 1 when the program succeeded, else 0 (logged).
int func_take_network_down();
int func_bring_network_up();
