#pragma once
// The one instrument document: all instrument state, read and changed by the screens and
// by both protocol handlers on the user-interface thread.
#include <string>

#include "fw/View.h"
#include "link/BoardLink.h"
#include "link/BoardPacket.h"

class CKelvarinDoc : public fw::Document {
  public:
    void SetLink(IBoardLink* link) { link_ = link; }
    IBoardLink* Link() const { return link_; }

    // Every packet from the main board, on the user-interface thread.
    void OnBoardPacket(const BOARD_PACKET* record);

    // Every remote command line from the external port (outside standby).
    void OnRemoteCommand(const BOARD_PACKET* line);

    // Command senders; false when the board link is absent or the write failed.
    bool SendCommand(uint8_t code, std::initializer_list<uint8_t> payload = {}, uint8_t status = 0);
    bool SendPoll() { return SendCommand(0x85); }

    bool BoardAnswered() const { return boardAnswered_; }
    const std::string& LastRemoteLine() const { return lastRemoteLine_; }

  private:
    void PostToActiveView(uint32_t message);

    IBoardLink* link_ = nullptr;
    bool boardAnswered_ = false;
    std::string lastRemoteLine_;
};
