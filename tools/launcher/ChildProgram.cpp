#include "launcher/ChildProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "fw/Readiness.h"
#include "launcher/StopSignals.h"

namespace launcher {
namespace {

constexpr int kExecFailed = 127;

int StatusOf(int waitStatus) {
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return 1;
}

// The stop signals, held back while a program is being started so that none is caught by the
// launcher's handler in the child before the program runs.
sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// What exec would do: a caught signal takes its default action again (ignored ones stay).
void ResetCaughtStopSignals() {
    for (int signal : {SIGTERM, SIGINT}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN &&
            current.sa_handler != SIG_DFL)
            ::signal(signal, SIG_DFL);
    }
}

[[noreturn]] void ExecInChild(const std::filesystem::path& program, int readyWrite,
                              const sigset_t& mask) {
    ResetCaughtStopSignals();
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);
    // Only the write end crosses into the program, under a number the variable names.
    ::fcntl(readyWrite, F_SETFD, 0);
    ::setenv(fw::kReadyFdVariable, std::to_string(readyWrite).c_str(), 1);
    const std::string path = program.string();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    ::execv(path.c_str(), argv);
    ::_exit(kExecFailed);
}

using Clock = std::chrono::steady_clock;
constexpr auto kExitPoll = std::chrono::milliseconds(5);

enum class Heard { Ready, Closed, Nothing };

long long MsLeft(Clock::time_point deadline) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
}

// Reads until the line "ready", the end of the pipe or the deadline.
Heard ReadReady(int fd, Clock::time_point deadline) {
    std::string seen;
    for (;;) {
        const long long left = MsLeft(deadline);
        if (left <= 0)
            return Heard::Nothing;
        pollfd p{fd, POLLIN, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Heard::Nothing;
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Heard::Closed;
        seen.append(buffer, static_cast<size_t>(got));
        if (seen.find("ready\n") != std::string::npos)
            return Heard::Ready;
        if (seen.size() > 256)
            seen.erase(0, seen.size() - 16);
    }
}

// A program that closed the pipe is ending; it is given until the deadline to do so.
bool ExitedBy(pid_t pid, Clock::time_point deadline, int& waitStatus) {
    for (;;) {
        const pid_t ended = ::waitpid(pid, &waitStatus, WNOHANG);
        if (ended == pid)
            return true;
        if (ended < 0 && errno != EINTR)
            return false;
        if (MsLeft(deadline) <= 0)
            return false;
        std::this_thread::sleep_for(kExitPoll);
    }
}

}  // namespace

ChildProgram::~ChildProgram() {
    if (readyFd_ >= 0)
        ::close(readyFd_);
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Reap();
    }
}

StartResult ChildProgram::StartAndWaitReady(const std::filesystem::path& program, int timeoutMs) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return StartResult::NotStarted;
    const sigset_t stops = StopSignals();
    sigset_t mask;
    ::sigprocmask(SIG_BLOCK, &stops, &mask);
    pid_ = ::fork();
    if (pid_ == 0)
        ExecInChild(program, pipeFds[1], mask);
    if (pid_ > 0)
        SetRunningProgram(pid_);
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);  // a stop that came meanwhile goes on now
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return StartResult::NotStarted;
    }
    ::close(pipeFds[1]);
    readyFd_ = pipeFds[0];
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const Heard heard = ReadReady(readyFd_, deadline);
    ::close(readyFd_);
    readyFd_ = -1;
    if (heard == Heard::Ready)
        return StartResult::Ready;
    int status = 0;
    if (heard == Heard::Closed && ExitedBy(pid_, deadline, status)) {
        exitStatus_ = StatusOf(status);
        pid_ = -1;
        SetRunningProgram(-1);
        return StartResult::Exited;
    }
    // Silent past the time-out, or closed the pipe and went on without its first view.
    ::kill(pid_, SIGKILL);
    Reap();
    return StartResult::Silent;
}

int ChildProgram::WaitExit() {
    Reap();
    return exitStatus_;
}

void ChildProgram::Reap() {
    if (pid_ <= 0)
        return;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    exitStatus_ = StatusOf(status);
    pid_ = -1;
    SetRunningProgram(-1);
}

}  // namespace launcher
