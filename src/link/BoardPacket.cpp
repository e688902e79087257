#include "link/BoardPacket.h"

#include <cstring>

namespace {

bool NeedsEscape(uint8_t b) {
    return b >= 0xF0 && b <= 0xF3;
}

}  // namespace

uint8_t PacketChecksum(const BOARD_PACKET& packet) {
    uint8_t sum = packet.code ^ packet.status ^ packet.length;
    for (size_t i = 0; i < packet.length; ++i)
        sum ^= packet.payload[i];
    return sum;
}

bool EncodeFrame(BOARD_PACKET& packet, std::vector<uint8_t>& frame) {
    packet.checksum = PacketChecksum(packet);
    // Size the frame before building it: a long payload can double when escaped.
    std::vector<uint8_t> body;
    body.reserve(3 + packet.length + 1);
    body.push_back(packet.code);
    body.push_back(packet.status);
    body.push_back(packet.length);
    body.insert(body.end(), packet.payload, packet.payload + packet.length);
    body.push_back(packet.checksum);
    size_t size = 2;
    for (uint8_t b : body)
        size += NeedsEscape(b) ? 2 : 1;
    frame.clear();
    if (size > kMaxFrameBytes)
        return false;
    frame.reserve(size);
    frame.push_back(kFrameStart);
    for (uint8_t b : body) {
        if (NeedsEscape(b)) {
            frame.push_back(kFrameEscape);
            frame.push_back(b & 0x0F);
        } else {
            frame.push_back(b);
        }
    }
    frame.push_back(kFrameEnd);
    return true;
}

BOARD_PACKET MakePacket(uint8_t code, std::initializer_list<uint8_t> payload, uint8_t status) {
    BOARD_PACKET p;
    p.code = code;
    p.status = status;
    p.length = static_cast<uint8_t>(std::min<size_t>(payload.size(), 255));
    std::copy(payload.begin(), payload.begin() + p.length, p.payload);
    p.checksum = PacketChecksum(p);
    return p;
}

std::vector<uint8_t> PacketBytes(const BOARD_PACKET& packet) {
    std::vector<uint8_t> bytes(sizeof(BOARD_PACKET));
    std::memcpy(bytes.data(), &packet, sizeof(BOARD_PACKET));
    return bytes;
}

bool PacketFromBytes(const uint8_t* data, size_t size, BOARD_PACKET& packet) {
    if (data == nullptr || size != sizeof(BOARD_PACKET))
        return false;
    std::memcpy(&packet, data, sizeof(BOARD_PACKET));
    return true;
}
