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

// The samples behind the one header every RIFF reader takes: RIFF size covering the file,
// "fmt " of 16 bytes (PCM, mono, 22050 Hz, consistent rates, 16 bit), then "data" to the end.
std::vector<int16_t> Samples(const std::vector<uint8_t>& b) {
    std::vector<int16_t> samples;
    if (b.size() < 44 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE") || !Tag(b, 12, "fmt ") ||
        !Tag(b, 36, "data")) {
        ADD_FAILURE() << "no RIFF/WAVE/fmt/data layout";
        return samples;
    }
    EXPECT_EQ((std::vector<size_t>{U32(b, 4), U32(b, 16), U16(b, 20), U16(b, 22), U32(b, 24),
                                   U32(b, 28), U16(b, 32), U16(b, 34), U32(b, 40)}),
              (std::vector<size_t>{b.size() - 8, 16, 1, 1, 22050, 44100, 2, 16, b.size() - 44}));
    for (size_t i = 44; i + 1 < b.size(); i += 2)
        samples.push_back(static_cast<int16_t>(U16(b, i)));
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

        int peak = 0;
        for (int16_t v : Samples(*file))
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_TRUE(peak > 3000 && peak < 32767) << "too quiet or clipped: " << peak;
    }
    for (const char* n : {"", "SNDNOTIFY ", "SNDAPPSTART2"})
        EXPECT_EQ(res::Sound(n), nullptr) << '"' << n << '"';
}

}  // namespace
