// An hour of a noisy main-board line at full line rate: the board's ten measurement frames a
// second with random bytes filling every gap, framed and handed to the document as the port
// does. Every frame the board sent must arrive, in order and unchanged, and the document must
// end in the state the clean frames alone give it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "boardsim/BoardSim.h"
#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "link/Framers.h"

namespace {

constexpr int kLineBytesPerSecond = 19200 / 10;  // 8N1: ten bits a byte
constexpr int kFramesPerSecond = 10;
constexpr int kSeconds = 3600;

bool SamePacket(const BOARD_PACKET& a, const BOARD_PACKET& b) {
    return a.code == b.code && a.status == b.status && a.length == b.length &&
           std::equal(a.payload, a.payload + a.length, b.payload);
}

struct Line {
    std::vector<uint8_t> bytes;         // what crossed the wire
    std::vector<BOARD_PACKET> packets;  // the frames the board meant to send
};

// The board's measurement frames, each followed by noise up to the line's capacity.
Line NoisyHour() {
    Line line;
    std::vector<uint8_t> frame;
    boardsim::BoardSim board([&frame](const std::vector<uint8_t>& f) { frame = f; });
    board.SetSeed(7);
    board.SetChannel(0, {61.0, 2.0, 5.0, 22.0});
    board.SetChannel(1, {-450.0, 0.0, 20.0, 23.5});
    std::mt19937 noise(2026);
    std::uniform_int_distribution<int> byte(0, 255);
    const size_t bytesPerFrame = kLineBytesPerSecond / kFramesPerSecond;
    line.bytes.reserve(size_t(kLineBytesPerSecond) * kSeconds);
    for (int i = 0; i < kSeconds * kFramesPerSecond; ++i) {
        board.SendAdc();
        CBoardFramer decode;
        for (uint8_t b : frame)
            decode.OnByte(b);
        line.packets.push_back(decode.Record());
        line.bytes.insert(line.bytes.end(), frame.begin(), frame.end());
        while (line.bytes.size() % bytesPerFrame != 0)
            line.bytes.push_back(static_cast<uint8_t>(byte(noise)));
    }
    return line;
}

class BoardFlood : public ::testing::Test {
  protected:
    void SetUp() override { fw::SetClock(clock_); }
    void TearDown() override { fw::SetClock(std::make_shared<fw::SystemClock>()); }

    std::shared_ptr<fw::ManualClock> clock_ = std::make_shared<fw::ManualClock>();
};

TEST_F(BoardFlood, AnHourOfNoiseAtLineRateLosesNoFrameAndLeavesTheDocumentAsCleanFramesDo) {
    const Line line = NoisyHour();
    ASSERT_EQ(line.bytes.size(), size_t(kLineBytesPerSecond) * kSeconds);

    CKelvarinDoc noisy, clean;
    noisy.ApplyRanges();
    clean.ApplyRanges();
    CBoardFramer framer;
    size_t matched = 0;
    std::vector<BOARD_PACKET> spurious;  // noise that happens to form a well-made frame
    for (uint8_t b : line.bytes) {
        if (!framer.OnByte(b))
            continue;
        BOARD_PACKET p = framer.Record();
        if (matched < line.packets.size() && SamePacket(p, line.packets[matched])) {
            BOARD_PACKET q = line.packets[matched++];
            clean.OnBoardPacket(&q);
        } else {
            spurious.push_back(p);
        }
        noisy.OnBoardPacket(&p);
    }
    EXPECT_EQ(matched, line.packets.size());
    // Random noise makes a frame with a right checksum and end byte about once in 65 536
    // start bytes; with this seed it makes none, so both documents must agree exactly.
    ASSERT_TRUE(spurious.empty()) << spurious.size() << " frames made of noise";
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(noisy.Filter.Chan[ch].Rate, clean.Filter.Chan[ch].Rate);
        EXPECT_EQ(noisy.Filter.Chan[ch].Charge, clean.Filter.Chan[ch].Charge);
        EXPECT_TRUE(std::isfinite(noisy.Filter.Chan[ch].Rate));
    }
    EXPECT_NE(clean.Filter.Chan[0].Rate, 0.0);
}

}  // namespace
