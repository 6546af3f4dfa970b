// A console on its home screen that talks to a controller: records fed
// straight into the link, or the controller simulator on the sandbox.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/ipc_link.h"
#include "support/console_fixture.h"
#include "support/simulator_support.h"

class controller_gui_test : public console_gui_test {
protected:
    void TearDown() override;

    // One frame of this kind, as if the controller had sent it.
    static void feed(uint8_t kind, const std::vector<unsigned char>& payload);
    // Starts the simulator and waits for the link.
    void start_simulator(int speed, const std::vector<std::string>& options = {});
    void stop_simulator();
    static GtkWidget* screen_widget(int code, const std::string& name);
    static std::string screen_text(int code, const std::string& name);
    // Releases a button and lets the screen follow.
    static void press(GtkWidget* button);
    // Runs the main loop (the restore timer included) until done(); whether it is.
    template <typename Done>
    static bool run_until(Done done, double seconds)
    {
        for (int turn = 0; turn < seconds * 50 && !done(); ++turn) {
            func_restore_ipc_connection(nullptr);
            func_test_run_loop(20);
        }
        return done();
    }

    pid_t simulator = -1;
};
