#include <gtest/gtest.h>

#include <algorithm>

#include "link/BoardPacket.h"
#include "link/Framers.h"

namespace {

// Feeds bytes and returns every packet the framer completed.
std::vector<BOARD_PACKET> Feed(CBoardFramer& f, const std::vector<uint8_t>& bytes) {
    std::vector<BOARD_PACKET> out;
    for (uint8_t b : bytes) {
        if (f.OnByte(b))
            out.push_back(f.Record());
    }
    return out;
}

TEST(BoardFrame, SpecialBytesAreEscapedAndReadBackAndLongFramesRefused) {
    BOARD_PACKET p = MakePacket(0x84, {0xF2, 0xF0, 0x01, 0xF3, 0xF1});
    std::vector<uint8_t> frame;
    ASSERT_TRUE(EncodeFrame(p, frame));
    // checksum = 0x84 ^ 0 ^ 5 ^ F2 ^ F0 ^ 01 ^ F3 ^ F1 = 0x80
    EXPECT_EQ(frame, (std::vector<uint8_t>{0xF1, 0x84, 0x00, 0x05, 0xF3, 0x02, 0xF3, 0x00, 0x01,
                                           0xF3, 0x03, 0xF3, 0x01, 0x80, 0xF2}));
    CBoardFramer f;
    auto got = Feed(f, frame);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(std::equal(p.payload, p.payload + 5, got[0].payload));

    // A checksum that itself needs escaping: code 0xF0 alone gives checksum 0xF0.
    p = MakePacket(0xF0);
    ASSERT_TRUE(EncodeFrame(p, frame));
    EXPECT_EQ(frame, (std::vector<uint8_t>{0xF1, 0xF3, 0x00, 0x00, 0x00, 0xF3, 0x00, 0xF2}));
    got = Feed(f, frame);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].code, 0xF0);

    // 246 payload bytes of 0x11 (length 0xF6, checksum 0xF6, neither escaped) make a frame of
    // 1 + 3 + 246 + 1 + 1 = 252 bytes, the most the board takes; one escaped byte is one too
    // many, and the frame is refused before it is built.
    p = BOARD_PACKET{};
    p.length = 246;
    std::fill(std::begin(p.payload), std::end(p.payload), 0x11);
    ASSERT_TRUE(EncodeFrame(p, frame));
    EXPECT_EQ(frame.size(), 252u);
    p.payload[0] = 0xF2;
    frame.clear();
    EXPECT_FALSE(EncodeFrame(p, frame));
    EXPECT_TRUE(frame.empty());
}

// A corrupt frame is dropped silently. A start inside a frame abandons it and starts the next:
// a cut-off frame costs only itself, whether the next one follows at once or after noise. An
// escaped start is a value, never a start.
TEST(BoardFrame, CorruptFramesAreDroppedAndTheNextFrameKept) {
    const std::vector<uint8_t> good = {0xF1, 0x85, 0x00, 0x00, 0x85, 0xF2};  // a poll
    const struct {
        std::vector<uint8_t> bytes;
        int code;  // of the one packet that must come out, or -1 for none
    } cases[] = {
        {{0xF1, 0x85, 0x00, 0x00, 0x84, 0xF2}, -1},  // bad checksum
        {{0xF1, 0x85, 0x00, 0x00, 0x85, 0x00}, -1},  // no end byte
        {{0xF1, 0x84, 0x00, 0x10, 0x01, 0x02, 0xF1, 0x85, 0x00, 0x00, 0x85, 0xF2}, 0x85},
        {{0x00, 0x42, 0xF2, 0xF3, 0xF1, 0x85, 0x00, 0x00, 0x85, 0xF2}, 0x85},
        {{0xF1, 0x84, 0x00, 0x01, 0xF3, 0x01, 0x84 ^ 0x01 ^ 0xF1, 0xF2}, 0x84},
    };
    for (const auto& c : cases) {
        CBoardFramer f;
        auto got = Feed(f, c.bytes);
        ASSERT_EQ(got.size(), c.code < 0 ? 0u : 1u) << c.bytes.size();
        EXPECT_TRUE(got.empty() || got[0].code == c.code);
        EXPECT_TRUE(c.code != 0x84 || got[0].payload[0] == 0xF1);
        EXPECT_EQ(Feed(f, good).size(), 1u) << "the framer recovers";
    }
}

std::vector<std::string> FeedLines(CLineFramer& f, const std::string& bytes) {
    std::vector<std::string> out;
    for (char c : bytes) {
        if (f.OnByte(static_cast<uint8_t>(c)))
            out.emplace_back(f.Line());
    }
    return out;
}

// Lines run from '<' to '>'; a line longer than 255 with both delimiters is dropped up to the
// next start, so its tail must not run as a command.
TEST(LineFrame, LinesBetweenDelimitersAndOverlongLinesDropped) {
    CLineFramer f;
    EXPECT_EQ(FeedLines(f, "<<GID>"), std::vector<std::string>{"<GID>"});
    EXPECT_EQ(FeedLines(f, "noise\r\n<GSVER>tail<GR1>"),
              (std::vector<std::string>{"<GSVER>", "<GR1>"}));
    EXPECT_EQ(FeedLines(f, "<A\r\nB>"), std::vector<std::string>{"<A\r\nB>"});
    std::string longest = "<" + std::string(253, 'x') + ">";
    EXPECT_EQ(FeedLines(f, longest), std::vector<std::string>{longest});
    EXPECT_TRUE(FeedLines(f, "<" + std::string(254, 'x') + "GID>").empty());
    EXPECT_EQ(FeedLines(f, "<GR1>"), std::vector<std::string>{"<GR1>"});
}

}  // namespace
