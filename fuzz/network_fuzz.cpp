// The system's interfaces file as anything may have left it: eth0's
// settings read, checked and turned back into the file's text.
#include "fuzz_support.h"
#include "settings/network_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_start_input();
    fuzz_write_system("etc/network/interfaces", fuzz_bytes(data, size));
    network_settings settings;
    func_read_network_settings(settings);
    func_network_is_dhcp();
    func_is_ipv4_address(settings.address);
    func_is_ipv4_netmask(settings.netmask);
    func_is_no_gateway(settings.gateway);
    func_check_static_settings(settings);
    func_get_interfaces_text(settings);
    return 0;
}
