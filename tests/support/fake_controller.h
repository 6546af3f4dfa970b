// A controller that listens at the console's socket in the sandbox and
// does only what the test tells it: take the console's connection, send
// bytes, read what the console sends.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class fake_controller {
public:
    explicit fake_controller(const std::string& system_root);
    ~fake_controller();
    fake_controller(const fake_controller&) = delete;
    fake_controller& operator=(const fake_controller&) = delete;

    bool listening() const { return listening_; }
    // Lets the console connect and takes its connection (reads wait 1 s at most).
    bool accept_console();
    void hang_up();
    bool send(const std::vector<unsigned char>& bytes) const;
    std::vector<unsigned char> receive(size_t size) const;
    // The payload of the console's next single send of this code, skipping other frames.
    std::vector<unsigned char> next_send(int code) const;

private:
    int listener_ = -1, peer_ = -1;
    bool listening_ = false;
};
