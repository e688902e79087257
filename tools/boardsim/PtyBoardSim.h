#pragma once
// The simulated board on a pty: a reader thread answers commands, a second thread streams
// ADC packets ten times a second while streaming is on.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "boardsim/BoardSim.h"
#include "boardsim/Pty.h"

namespace boardsim {

class PtyBoardSim {
  public:
    PtyBoardSim();
    ~PtyBoardSim();

    // Creates the pty and starts answering. False when no pty can be had.
    bool Start(bool stream);
    void Stop();
    const std::string& DevicePath() const { return pty_.slavePath; }
    BoardSim& Board() { return board_; }

  private:
    void ReadLoop();
    void StreamLoop();
    void Write(const std::vector<uint8_t>& frame);

    Pty pty_;
    std::mutex writeMutex_;
    BoardSim board_;
    std::atomic<bool> running_{false};
    int stopPipe_[2] = {-1, -1};
    std::thread reader_;
    std::thread streamer_;
};

}  // namespace boardsim
