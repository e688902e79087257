#pragma once
// The simulated board wired straight to a document, without threads or ptys: what the
// document sends reaches the board at once, what the board answers reaches OnBoardPacket.
#include <algorithm>
#include <string>
#include <vector>

#include "boardsim/BoardSim.h"
#include "document/CKelvarinDoc.h"
#include "link/Framers.h"
#include "support/board_date.h"

namespace testing_support {

class InProcessBoard : public IBoardLink {
  public:
    explicit InProcessBoard(CKelvarinDoc& doc)
        : doc_(doc), board_([this](const std::vector<uint8_t>& f) { Deliver(f); }) {
        board_.HoldClock(kBoardTestDate);
        doc_.SetLink(this);
    }
    ~InProcessBoard() override { doc_.SetLink(nullptr); }

    bool SendBoardPacket(BOARD_PACKET& packet) override {
        std::vector<uint8_t> frame;
        if (!EncodeFrame(packet, frame))
            return false;
        sent.push_back(packet);
        board_.Receive(frame.data(), frame.size());
        return true;
    }
    bool SendRemoteText(const std::string& text) override {
        remote += text;
        return true;
    }

    // One line from the remote port as its reader delivers it; the reply it streamed.
    std::string RemoteLine(const std::string& line) {
        BOARD_PACKET record{};
        record.length = static_cast<uint8_t>(line.size());
        std::copy(line.begin(), line.end(), record.payload);
        remote.clear();
        doc_.OnRemoteCommand(&record);
        return remote;
    }

    boardsim::BoardSim& Board() { return board_; }
    void SendAdc(int packets) {
        for (int i = 0; i < packets; ++i)
            board_.SendAdc();
    }

    std::vector<BOARD_PACKET> sent;  // everything the document commanded
    std::string remote;              // everything streamed to the remote port

  private:
    void Deliver(const std::vector<uint8_t>& frame) {
        for (uint8_t b : frame) {
            if (framer_.OnByte(b)) {
                BOARD_PACKET p = framer_.Record();
                doc_.OnBoardPacket(&p);
            }
        }
    }

    CKelvarinDoc& doc_;
    boardsim::BoardSim board_;
    CBoardFramer framer_;
};

}  // namespace testing_support
