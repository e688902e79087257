#pragma once
// Byte-at-a-time framers for the two links. Each returns true from OnByte when a complete
// packet or line is in its record.
#include <cstdint>
#include <string_view>

#include "link/BoardPacket.h"

// Main-board frames: 0xF1 starts (also inside an unfinished frame, which is then dropped),
// 0xF2 ends, 0xF3 escapes; bad checksums are dropped.
class CBoardFramer {
  public:
    bool OnByte(uint8_t b);
    const BOARD_PACKET& Record() const { return record_; }

  private:
    void StartFrame();
    bool TakeValue(uint8_t v);

    BOARD_PACKET record_;
    uint8_t state_ = 0;
    bool escape_ = false;
    uint8_t index_ = 0;
    uint8_t checksum_ = 0;
    uint8_t receivedChecksum_ = 0;
};

// Remote command lines between '<' and '>'. The record holds the line as the remote handler
// reads it: byte 2 the length with both delimiters, the text from byte 3, then a zero byte.
class CLineFramer {
  public:
    static constexpr uint8_t kMaxLineLength = 255;

    bool OnByte(uint8_t b);
    const BOARD_PACKET& Record() const { return record_; }
    // The line just completed, delimiters included.
    std::string_view Line() const;

  private:
    void Restart();

    BOARD_PACKET record_;
    uint8_t state_ = 0;  // 0 idle, 1 collecting, 2 discarding an overlong line
};
