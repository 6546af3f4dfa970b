#include "support/controller_gui_fixture.h"

#include <signal.h>
#include <sys/wait.h>

#include "frame/app_state.h"
#include "link/ipc_frame.h"
#include "support/simulator_support.h"

void controller_gui_test::TearDown()
{
    func_reset_ipc_socket();
    stop_simulator();
    console_gui_test::TearDown();
}

void controller_gui_test::feed(uint8_t kind, const std::vector<unsigned char>& payload)
{
    const std::vector<unsigned char> frame = func_encode_ipc_frame(kind, payload.data(), payload.size());
    func_receive_ipc_bytes(frame.data(), frame.size());
    func_test_run_loop(20);
}

void controller_gui_test::start_simulator(int speed, const std::vector<std::string>& options)
{
    simulator = func_test_spawn_simulator(sandbox.root(), speed, options);
    ASSERT_GT(simulator, 0);
    run_until([] { return func_ipc_link_up(); }, 3);
    ASSERT_TRUE(func_ipc_link_up());
}

void controller_gui_test::stop_simulator()
{
    if (simulator <= 0)
        return;
    kill(simulator, SIGKILL);
    waitpid(simulator, nullptr, 0);
    simulator = -1;
}

GtkWidget* controller_gui_test::screen_widget(int code, const std::string& name)
{
    return func_test_find_widget(preloaded_display[code].window, name);
}

std::string controller_gui_test::screen_text(int code, const std::string& name)
{
    return func_test_label_text(screen_widget(code, name));
}

void controller_gui_test::press(GtkWidget* button)
{
    ASSERT_NE(nullptr, button);
    func_test_release(button);
    func_test_run_loop(30);
}
