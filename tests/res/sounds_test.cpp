// The WAVE sounds must load in any RIFF reader (the audio layer parses them as files)
// and must be told apart by ear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "res/Resources.h"

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}
bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::memcmp(&b[at], tag, 4) == 0;
}

// The samples, after walking the chunks the way a strict reader does: RIFF size covering the
// file, "fmt " (PCM, mono, 16 bit, 22050 Hz, consistent rates) before "data", nothing after.
std::vector<int16_t> Samples(const std::vector<uint8_t>& b) {
    std::vector<int16_t> samples;
    if (b.size() < 44 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) {
        ADD_FAILURE() << "no RIFF/WAVE header";
        return samples;
    }
    EXPECT_EQ(U32(b, 4), b.size() - 8);
    bool haveFmt = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t size = U32(b, at + 4);
        const size_t body = at + 8;
        if (body + size > b.size()) {
            ADD_FAILURE() << "chunk runs past the end";
            break;
        }
        if (Tag(b, at, "fmt ")) {
            haveFmt = size >= 16;  // PCM, mono, rate, bytes per second, block, bits
            EXPECT_EQ(
                (std::vector<uint32_t>{U16(b, body), U16(b, body + 2), U32(b, body + 4),
                                       U32(b, body + 8), U16(b, body + 12), U16(b, body + 14)}),
                (std::vector<uint32_t>{1, 1, 22050, 44100, 2, 16}));
        } else if (Tag(b, at, "data")) {
            EXPECT_TRUE(haveFmt) << "data before fmt";
            for (size_t i = 0; i + 1 < size; i += 2)
                samples.push_back(static_cast<int16_t>(U16(b, body + i)));
        }
        at = body + size + (size & 1);
    }
    EXPECT_EQ(at, b.size()) << "trailing bytes after the last chunk";
    return samples;
}

TEST(Sounds, EachIsAnAudibleDistinctWaveFileFoundByItsNameInAnyCase) {
    std::vector<const std::vector<uint8_t>*> seen;
    for (std::string_view name : res::kSoundNames) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t>* file = res::Sound(name);
        ASSERT_NE(file, nullptr);
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_EQ(res::Sound(lower), file);
        for (const auto* other : seen)
            EXPECT_NE(*other, *file) << "two sounds alike";
        seen.push_back(file);

        const std::vector<int16_t> s = Samples(*file);
        const double ms = 1000.0 * double(s.size()) / 22050;
        EXPECT_TRUE(ms >= 100 && ms <= 600) << ms;
        ASSERT_GT(s.size(), 100u);
        int peak = 0;
        for (int16_t v : s)
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_TRUE(peak > 3000 && peak < 32767) << "too quiet or clipped: " << peak;
        // A hard edge at either end clicks in the speaker.
        EXPECT_LT(std::abs(int(s.front())), 500);
        EXPECT_LT(std::abs(int(s.back())), 500);
    }
    EXPECT_EQ(seen.size(), 7u);
    for (const char* n : {"", "SND", "SNDNOTIFY ", " SNDNOTIFY", "SndBeep", "SNDAPPSTART2"})
        EXPECT_EQ(res::Sound(n), nullptr) << '"' << n << '"';
}

}  // namespace
