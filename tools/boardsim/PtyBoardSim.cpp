#include "boardsim/PtyBoardSim.h"

#include <fcntl.h>
#include <poll.h>

#include <cerrno>
#include <chrono>

namespace boardsim {

PtyBoardSim::PtyBoardSim() : board_([this](const std::vector<uint8_t>& f) { Write(f); }) {}

PtyBoardSim::~PtyBoardSim() {
    Stop();
}

bool PtyBoardSim::Start(bool stream) {
    if (!pty_.Open() || pipe2(stopPipe_, O_CLOEXEC) != 0)
        return false;
    running_ = true;
    reader_ = std::thread([this] { ReadLoop(); });
    if (stream)
        streamer_ = std::thread([this] { StreamLoop(); });
    return true;
}

void PtyBoardSim::Stop() {
    if (!running_.exchange(false))
        return;
    uint8_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(stopPipe_[1], &one, 1);
    if (reader_.joinable())
        reader_.join();
    if (streamer_.joinable())
        streamer_.join();
    pty_.Close();
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
}

void PtyBoardSim::Write(const std::vector<uint8_t>& frame) {
    std::lock_guard<std::mutex> lock(writeMutex_);
    size_t done = 0;
    while (done < frame.size() && running_) {
        ssize_t n = ::write(pty_.master, frame.data() + done, frame.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        }
    }
}

void PtyBoardSim::ReadLoop() {
    uint8_t buffer[256];
    while (running_) {
        pollfd fds[2] = {{pty_.master, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, 500) <= 0)
            continue;
        if (fds[1].revents & POLLIN)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        ssize_t n = ::read(pty_.master, buffer, sizeof buffer);
        if (n > 0)
            board_.Receive(buffer, static_cast<size_t>(n));
    }
}

void PtyBoardSim::StreamLoop() {
    auto next = std::chrono::steady_clock::now();
    while (running_) {
        next += std::chrono::milliseconds(100);
        pollfd stop{stopPipe_[0], POLLIN, 0};
        auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
            next - std::chrono::steady_clock::now());
        if (::poll(&stop, 1, static_cast<int>(std::max<int64_t>(0, wait.count()))) > 0)
            return;
        board_.SendAdc();
    }
}

}  // namespace boardsim
