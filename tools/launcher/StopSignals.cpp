#include "launcher/StopSignals.h"

#include <signal.h>

#include <csignal>

namespace launcher {
namespace {

// Touched by the handler: plain integers a handler may read and write.
volatile std::sig_atomic_t gStopSignal = 0;
volatile std::sig_atomic_t gRunningProgram = -1;

extern "C" void OnStopSignal(int signal) {
    gStopSignal = signal;
    const pid_t program = static_cast<pid_t>(gRunningProgram);
    if (program > 0)
        ::kill(program, signal);
}

}  // namespace

void InstallStopForwarding() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the waits see EINTR and look at the request.
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

int StopRequested() {
    return static_cast<int>(gStopSignal);
}

void SetRunningProgram(pid_t pid) {
    gRunningProgram = static_cast<std::sig_atomic_t>(pid);
    const int signal = StopRequested();
    if (pid > 0 && signal != 0)
        ::kill(pid, signal);
}

void ForgetStopRequest() {
    gStopSignal = 0;
}

}  // namespace launcher
