#pragma once
// Where the document's commands go: the main-board port and the external port, reached
// through the main frame (or a test's recorder).
#include <string>

#include "link/BoardPacket.h"

class IBoardLink {
  public:
    virtual ~IBoardLink() = default;
    virtual bool SendBoardPacket(BOARD_PACKET& packet) = 0;
    virtual bool SendRemoteText(const std::string& text) = 0;
};
