// The simulated main board as a program: creates a pty, prints its path (and links it where
// asked), answers the instrument and streams readings ten times a second.
//   boardsim [--link PATH] [--current1 FA] [--current2 FA] [--noise FA] [--no-stream]
//            [--date YYYY-MM-DD[THH:MM[:SS]]]
// Its clock starts at the host's local time unless a date is given.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "boardsim/PtyBoardSim.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string link;
    bool stream = true;
    boardsim::ChannelModel ch1;
    boardsim::ChannelModel ch2;
    std::optional<fw::LocalTime> date;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--link" && hasValue) {
            link = argv[++i];
        } else if (a == "--current1" && hasValue) {
            ch1.currentFa = std::atof(argv[++i]);
        } else if (a == "--current2" && hasValue) {
            ch2.currentFa = std::atof(argv[++i]);
        } else if (a == "--noise" && hasValue) {
            ch1.noiseFa = ch2.noiseFa = std::atof(argv[++i]);
        } else if (a == "--no-stream") {
            stream = false;
        } else if (a == "--date" && hasValue && (date = boardsim::ParseBoardDate(argv[i + 1]))) {
            ++i;
        } else {
            std::fprintf(stderr,
                         "usage: boardsim [--link PATH] [--current1 FA] [--current2 FA] "
                         "[--noise FA] [--no-stream] [--date YYYY-MM-DD[THH:MM[:SS]]]\n");
            return 2;
        }
    }
    boardsim::PtyBoardSim sim;
    sim.Board().SetChannel(0, ch1);
    sim.Board().SetChannel(1, ch2);
    if (date)
        sim.Board().SetClock(*date);
    if (!sim.Start(stream)) {
        std::fprintf(stderr, "boardsim: cannot create a pty: %s\n", std::strerror(errno));
        return 1;
    }
    if (!link.empty()) {
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(sim.DevicePath(), link, ec);
        if (ec)
            std::fprintf(stderr, "boardsim: cannot link %s: %s\n", link.c_str(),
                         ec.message().c_str());
    }
    std::printf("boardsim: main board on %s\n", sim.DevicePath().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!gStop)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sim.Stop();
    return 0;
}
