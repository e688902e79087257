#pragma once
// The packet record exchanged with the main board, and its wire frame:
// 0xF1, escaped code/status/length/payload/checksum, 0xF2. A byte 0xF0..0xF3 goes on the wire
// as 0xF3, (byte & 0x0F).
#include <cstddef>
#include <cstdint>
#include <vector>

struct BOARD_PACKET {
    uint8_t code = 0;
    uint8_t status = 0;
    uint8_t length = 0;
    uint8_t payload[256] = {};
    uint8_t checksum = 0;
};
static_assert(sizeof(BOARD_PACKET) == 260, "the board record is 260 bytes");

constexpr uint8_t kFrameStart = 0xF1;
constexpr uint8_t kFrameEnd = 0xF2;
constexpr uint8_t kFrameEscape = 0xF3;
constexpr size_t kMaxFrameBytes = 252;

// XOR of code, status, length and the `length` payload bytes.
uint8_t PacketChecksum(const BOARD_PACKET& packet);

// Stores the checksum into `packet` and builds its frame. False, with `frame` empty, when the
// frame would be longer than the board accepts.
bool EncodeFrame(BOARD_PACKET& packet, std::vector<uint8_t>& frame);

// A packet with the given code and payload bytes.
BOARD_PACKET MakePacket(uint8_t code, std::initializer_list<uint8_t> payload = {},
                        uint8_t status = 0);

// The record as raw bytes, and back; FromBytes refuses a buffer of the wrong size.
std::vector<uint8_t> PacketBytes(const BOARD_PACKET& packet);
bool PacketFromBytes(const uint8_t* data, size_t size, BOARD_PACKET& packet);
