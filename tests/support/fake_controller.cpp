#include "support/fake_controller.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "files/paths.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"

fake_controller::fake_controller(const std::string& system_root)
{
    std::filesystem::create_directories(system_root + "run/lumex6");
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    func_ipc_socket_path().copy(address.sun_path, sizeof address.sun_path - 1);
    listening_ = bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 1) == 0;
}

fake_controller::~fake_controller()
{
    hang_up();
    if (listener_ >= 0)
        close(listener_);
}

bool fake_controller::accept_console()
{
    func_restore_ipc_connection(nullptr);
    peer_ = listening_ && func_ipc_link_up() ? accept(listener_, nullptr, nullptr) : -1;
    const timeval wait = {1, 0};
    return peer_ >= 0 && setsockopt(peer_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) == 0;
}

void fake_controller::hang_up()
{
    if (peer_ >= 0)
        close(peer_);
    peer_ = -1;
}

bool fake_controller::send(const std::vector<unsigned char>& bytes) const
{
    return write(peer_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<unsigned char> fake_controller::receive(size_t size) const
{
    std::vector<unsigned char> bytes(size);
    const ssize_t got = recv(peer_, bytes.data(), size, MSG_WAITALL);
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return bytes;
}

std::vector<unsigned char> fake_controller::next_send(int code) const
{
    for (std::vector<unsigned char> head = receive(3); head.size() == 3; head = receive(3)) {
        const size_t size = head[1] | head[2] << 8;
        const std::vector<unsigned char> payload = receive(size);
        if (payload.size() != size)
            break;
        if (head[0] == IPC_KIND_SEND && size > 1 && payload[1] == code)
            return payload;
    }
    return {};
}
