// The WAVE sounds must load in any RIFF reader (the audio layer parses them as files)
// and must be told apart by ear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/Resources.h"

namespace {

const char* const kNames[] = {"SNDAPPSTART", "SNDWARMUPCOMPLETE", "SNDZEROCOMPLETE", "SNDCHGDONE",
                              "SNDOVERLOAD", "SNDAPPEXIT",        "SNDNOTIFY"};

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

struct Wav {
    uint16_t format = 0, channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0, byteRate = 0;
    std::vector<int16_t> samples;
};

// Walks the chunks the way a strict reader does; fails the test on any inconsistency.
Wav Parse(const std::vector<uint8_t>& b) {
    Wav w;
    EXPECT_GE(b.size(), 44u);
    if (b.size() < 12)
        return w;
    EXPECT_TRUE(Tag(b, 0, "RIFF"));
    EXPECT_EQ(U32(b, 4), b.size() - 8) << "RIFF size must cover the rest of the file";
    EXPECT_TRUE(Tag(b, 8, "WAVE"));
    bool haveFmt = false, haveData = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        uint32_t size = U32(b, at + 4);
        size_t body = at + 8;
        EXPECT_LE(body + size, b.size()) << "chunk runs past the end";
        if (body + size > b.size())
            break;
        if (Tag(b, at, "fmt ")) {
            haveFmt = true;
            EXPECT_GE(size, 16u);
            w.format = U16(b, body);
            w.channels = U16(b, body + 2);
            w.rate = U32(b, body + 4);
            w.byteRate = U32(b, body + 8);
            w.blockAlign = U16(b, body + 12);
            w.bits = U16(b, body + 14);
        } else if (Tag(b, at, "data")) {
            EXPECT_TRUE(haveFmt) << "data before fmt";
            haveData = true;
            EXPECT_EQ(size % 2, 0u);
            for (size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<int16_t>(U16(b, body + i)));
        }
        at = body + size + (size & 1);
    }
    EXPECT_EQ(at, b.size()) << "trailing bytes after the last chunk";
    EXPECT_TRUE(haveFmt);
    EXPECT_TRUE(haveData);
    return w;
}

// Zero crossings per second over [from, to) samples: a rough pitch measure.
double CrossingRate(const std::vector<int16_t>& s, size_t from, size_t to, uint32_t rate) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        if ((s[i - 1] < 0) != (s[i] < 0))
            ++crossings;
    return crossings * double(rate) / double(to - from);
}

TEST(Sounds, TheSevenNamesResolveAndTheHeaderListsExactlyThem) {
    for (const char* n : kNames)
        EXPECT_NE(res::Sound(n), nullptr) << n;
    ASSERT_EQ(std::size(res::kSoundNames), std::size(kNames));
    for (size_t i = 0; i < std::size(kNames); ++i)
        EXPECT_EQ(res::kSoundNames[i], kNames[i]);
}

TEST(Sounds, LookupIgnoresCase) {
    EXPECT_EQ(res::Sound("SndAppStart"), res::Sound("SNDAPPSTART"));
    EXPECT_EQ(res::Sound("sndnotify"), res::Sound("SNDNOTIFY"));
    EXPECT_EQ(res::Sound("SndWarmupComplete"), res::Sound("SNDWARMUPCOMPLETE"));
    EXPECT_EQ(res::Sound("sNdOvErLoAd"), res::Sound("SNDOVERLOAD"));
    EXPECT_NE(res::Sound("SndChgDone"), nullptr);
}

TEST(Sounds, UnknownNamesGiveNull) {
    for (const char* n : {"", "SND", "SNDNOTIFY ", " SNDNOTIFY", "SndBeep", "SNDAPPSTART2"})
        EXPECT_EQ(res::Sound(n), nullptr) << '"' << n << '"';
}

TEST(Sounds, EachIsPcmMono16BitWithConsistentSizes) {
    for (const char* n : kNames) {
        SCOPED_TRACE(n);
        const std::vector<uint8_t>* file = res::Sound(n);
        ASSERT_NE(file, nullptr);
        Wav w = Parse(*file);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.blockAlign, w.channels * w.bits / 8);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
        ASSERT_GT(w.rate, 0u);
        double ms = 1000.0 * double(w.samples.size()) / w.rate;
        EXPECT_GE(ms, 100.0);
        EXPECT_LE(ms, 600.0);
    }
}

TEST(Sounds, EachIsAudibleUnclippedAndStartsAndEndsQuietly) {
    for (const char* n : kNames) {
        SCOPED_TRACE(n);
        Wav w = Parse(*res::Sound(n));
        ASSERT_GT(w.samples.size(), 100u);
        int peak = 0;
        for (int16_t s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 3000) << "too quiet";
        EXPECT_LT(peak, 32767) << "clipped";
        // A hard edge at either end clicks in the speaker.
        EXPECT_LT(std::abs(int(w.samples.front())), 500);
        EXPECT_LT(std::abs(int(w.samples.back())), 500);
    }
}

TEST(Sounds, AllSevenDiffer) {
    for (size_t i = 0; i < std::size(kNames); ++i)
        for (size_t j = i + 1; j < std::size(kNames); ++j)
            EXPECT_NE(*res::Sound(kNames[i]), *res::Sound(kNames[j]))
                << kNames[i] << " / " << kNames[j];
}

TEST(Sounds, StartChimeRisesAndExitChimeFalls) {
    Wav start = Parse(*res::Sound("SNDAPPSTART"));
    Wav exit = Parse(*res::Sound("SNDAPPEXIT"));
    const size_t window = start.rate / 10;  // 100 ms
    ASSERT_GT(start.samples.size(), 3 * window);
    ASSERT_GT(exit.samples.size(), 3 * window);
    auto firstLast = [&](const Wav& w) {
        size_t n = w.samples.size();
        return std::pair{CrossingRate(w.samples, 0, window, w.rate),
                         CrossingRate(w.samples, n - 2 * window, n - window, w.rate)};
    };
    auto [startFirst, startLast] = firstLast(start);
    auto [exitFirst, exitLast] = firstLast(exit);
    EXPECT_GT(startLast, startFirst * 1.3);
    EXPECT_GT(exitFirst, exitLast * 1.3);
}

TEST(Sounds, OverloadIsLowerPitchedThanTheNotice) {
    Wav buzz = Parse(*res::Sound("SNDOVERLOAD"));
    Wav notice = Parse(*res::Sound("SNDNOTIFY"));
    // The buzz's square wave has fine ripple, so compare its fundamental through
    // sign changes of a smoothed signal: crossings are dominated by the 220 Hz base.
    std::vector<int16_t> smooth(buzz.samples.size());
    for (size_t i = 0; i < buzz.samples.size(); ++i) {
        int sum = 0, k = 0;
        for (size_t j = i >= 8 ? i - 8 : 0; j <= std::min(i + 8, buzz.samples.size() - 1); ++j, ++k)
            sum += buzz.samples[j];
        smooth[i] = static_cast<int16_t>(sum / k);
    }
    double buzzRate = CrossingRate(smooth, 0, buzz.rate / 10, buzz.rate);
    double noticeRate = CrossingRate(notice.samples, 0, notice.samples.size(), notice.rate);
    EXPECT_LT(buzzRate * 2, noticeRate);
}

}  // namespace
