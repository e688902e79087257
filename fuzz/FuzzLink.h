#pragma once
// A link that keeps what the document sends, for the fuzz targets.
#include <string>
#include <vector>

#include "link/BoardLink.h"

class FuzzLink : public IBoardLink {
  public:
    bool SendBoardPacket(BOARD_PACKET&) override {
        ++boardPackets;
        return true;
    }
    bool SendRemoteText(const std::string& text) override {
        remoteTexts.push_back(text);
        return true;
    }
    int boardPackets = 0;
    std::vector<std::string> remoteTexts;
};
