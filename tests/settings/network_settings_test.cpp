// The interfaces file: read from any text, written whole and exactly,
// refused settings never written, the interface restarted by two runs.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "files/shell_runner.h"
#include "settings/network_settings.h"
#include "support/core_data_fixture.h"

namespace {
class network_settings_test : public core_data_test {
protected:
    std::string path() const { return sandbox.system_root() + "etc/network/interfaces"; }
    void write(const std::string& text) const { std::ofstream(path(), std::ios::binary) << text; }
    std::string in_file() const { return func_read_whole_file(path()); }
    network_settings read()
    {
        network_settings settings;
        last_read = func_read_network_settings(settings);
        return settings;
    }
    int last_read = -1;
};

TEST_F(network_settings_test, eth0_stanza_is_read_from_any_text)
{
    write("auto lo\niface lo inet loopback\n# static addresses are planned " + std::string(200, '-') +
          "\nauto eth0\niface eth0 inet static\n  address 10.1.2.3\n\tnetmask 255.255.0.0\ngateway 10.1.0.1");
    network_settings settings = read();
    EXPECT_EQ(last_read, 1);
    EXPECT_FALSE(settings.dhcp);
    EXPECT_EQ(settings.address + " " + settings.netmask + " " + settings.gateway, "10.1.2.3 255.255.0.0 10.1.0.1");

    // Another interface's static stanza is not eth0's.
    write("iface wlan0 inet static\naddress 1.2.3.4\niface eth0 inet dhcp\n");
    EXPECT_EQ(func_network_is_dhcp(), 1);
    EXPECT_EQ(read().address, "");
    write(std::string("\0\xff garbage static\n", 18));
    EXPECT_TRUE(read().dhcp);

    // Unreadable: DHCP, and said.
    std::filesystem::remove(path());
    EXPECT_TRUE(read().dhcp);
    EXPECT_EQ(last_read, 0);
    ASSERT_EQ(syserror_lines().size(), 1u);
    EXPECT_EQ(syserror_lines()[0].rfind("func_network_is_dhcp : can't read " + path(), 0), 0u);
}

TEST_F(network_settings_test, settings_are_written_exactly_refused_ones_not_at_all_and_a_failed_restart_is_said)
{
    network_settings wanted;
    wanted.dhcp = false;
    wanted.address = "192.168.1.20";
    wanted.netmask = "255.255.255.0";
    wanted.gateway = "192.168.1.1";
    ASSERT_EQ(func_write_network_settings(wanted), NETWORK_WRITTEN);
    EXPECT_EQ(in_file(), "auto lo\niface lo inet loopback\nauto eth0\niface eth0 inet static\n"
                         "address 192.168.1.20\nnetmask 255.255.255.0\ngateway 192.168.1.1\n");
    wanted.gateway = "0.0.0.0";
    ASSERT_EQ(func_write_network_settings(wanted), NETWORK_WRITTEN);
    EXPECT_EQ(in_file().find("gateway"), std::string::npos);
    ASSERT_EQ(func_write_network_settings(network_settings()), NETWORK_WRITTEN);
    EXPECT_EQ(in_file(), "auto lo\niface lo inet loopback\nauto eth0\niface eth0 inet dhcp\n");

    const std::string before = in_file();
    for (const char* address : {"1.2.3.4\naddress 6.6.6.6", "0.0.0.0", "300.1.1.1"}) {
        wanted.address = address;
        EXPECT_EQ(func_write_network_settings(wanted), NETWORK_REFUSED) << address;
    }
    wanted.address = "10.0.0.2";
    wanted.netmask = "255.0.255.0";
    EXPECT_EQ(func_write_network_settings(wanted), NETWORK_REFUSED);
    EXPECT_EQ(in_file(), before);
    EXPECT_TRUE(temporary_files("../../../system/etc/network").empty());

    // The restart's argument vectors are checked from the settings screen.
    func_set_program_runner([](const std::vector<std::string>&) { return 3; });
    EXPECT_EQ(func_bring_network_up(), 0);
    EXPECT_EQ(syserror_lines(), std::vector<std::string>{"func_set_ip_data : ifup eth0 failed (status 3)"});
}
}  // namespace
