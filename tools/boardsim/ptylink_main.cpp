// Two ptys joined back to back, so the instrument can open one as its remote port while a
// terminal program (picocom, screen, pyserial) opens the other.
//   ptylink INSTRUMENT_LINK OPERATOR_LINK
#include <poll.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "boardsim/Pty.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

void Relay(int from, int to) {
    char buffer[512];
    ssize_t n = ::read(from, buffer, sizeof buffer);
    for (ssize_t done = 0; n > 0 && done < n;) {
        ssize_t w = ::write(to, buffer + done, n - done);
        if (w <= 0)
            return;
        done += w;
    }
}

bool Link(const std::string& target, const char* link) {
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(target, link, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ptylink INSTRUMENT_LINK OPERATOR_LINK\n");
        return 2;
    }
    boardsim::Pty a;
    boardsim::Pty b;
    if (!a.Open() || !b.Open() || !Link(a.slavePath, argv[1]) || !Link(b.slavePath, argv[2])) {
        std::fprintf(stderr, "ptylink: cannot create the pty pair\n");
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!gStop) {
        pollfd fds[2] = {{a.master, POLLIN, 0}, {b.master, POLLIN, 0}};
        if (::poll(fds, 2, 200) <= 0)
            continue;
        if (fds[0].revents & POLLIN)
            Relay(a.master, b.master);
        if (fds[1].revents & POLLIN)
            Relay(b.master, a.master);
    }
    return 0;
}
