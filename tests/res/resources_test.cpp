// The built-in resources: bitmaps must exist for every id the controls ask for and keep the key
// colour only where they are drawn transparently; the WAVE sounds must load in any RIFF reader
// (the audio layer parses them as files) and be told apart by ear; the string table must give
// every text exactly as the screens, menus and files expect it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "res/Resources.h"

namespace {

// A keyed image shows its background through the key colour; on an opaque face the key
// colour would show as magenta.
TEST(Bitmaps, EveryIdHasOpaquePixelsAndTheKeyColourOnlyWhenDrawnTransparently) {
    for (int id : res::kBitmapIds) {
        SCOPED_TRACE(id);
        ASSERT_NE(res::FindBitmap(id), nullptr);
        const res::Bitmap& b = *res::FindBitmap(id);
        ASSERT_GT(b.width * b.height, 0);
        ASSERT_EQ(b.pixels.size(), size_t(b.width) * size_t(b.height));
        size_t keyed = 0;
        for (uint32_t px : b.pixels) {
            ASSERT_EQ(px >> 24, 0xFFu) << "every pixel opaque";
            keyed += (px & 0xFFFFFF) == (res::kKeyColour & 0xFFFFFF);
        }
        if (res::IsKeyed(id)) {
            EXPECT_EQ(b.pixels.front(), res::kKeyColour);
            EXPECT_LT(keyed, b.pixels.size() * 3 / 4) << "icon has hardly any ink";
        } else {
            EXPECT_EQ(keyed, 0u);
        }
    }
    for (int id : {0, 125, 1350})
        EXPECT_EQ(res::FindBitmap(id), nullptr) << id;
}

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
    std::set<std::vector<uint8_t>> distinct;
    for (std::string_view name : res::kSoundNames) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t>* file = res::Sound(name);
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(distinct.insert(*file).second) << "two sounds alike";

        int peak = 0;
        for (int16_t v : Samples(*file))
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_TRUE(peak > 3000 && peak < 32767) << "too quiet or clipped: " << peak;
    }
    EXPECT_EQ(res::Sound("sndZeroComplete"), res::Sound("SNDZEROCOMPLETE"));
    for (const char* n : {"", "SNDNOTIFY ", "SNDAPPSTART2"})
        EXPECT_EQ(res::Sound(n), nullptr) << '"' << n << '"';
}

// Markup that would show wrongly if the table were typed carelessly: "&&" for one '&', real
// line breaks, UTF-8 units and backslashes kept as characters. Texts exist only in the
// table's range, none empty; a "\r" without its "\n", or an escape left as two characters,
// would show as garbage on the panel.
TEST(StringTable, TextsAreExactNonEmptyWithRealLineBreaksAndOtherIdsGiveNull) {
    const std::pair<int, const char*> texts[] = {
        {129, " CH\r\n  1"},
        {118, "Channel 1 && 2"},
        {351, "\302\265C"},
        {331, "\\USB HD\\"},
    };
    for (const auto& [id, text] : texts) {
        const char* s = res::String(id);
        EXPECT_STREQ(s ? s : "<none>", text) << "id " << id;
    }
    int found = 0;
    for (int id : {INT_MIN, 100, 127, 562, INT_MAX})
        EXPECT_EQ(res::String(id), nullptr) << "id " << id;
    for (int id = -10; id <= 5000; ++id) {
        const char* s = res::String(id);
        if (s == nullptr)
            continue;
        ++found;
        const std::string t(s);
        EXPECT_TRUE(id >= 101 && id <= 561 && !t.empty()) << "id " << id;
        for (size_t i = t.find('\r'); i != std::string::npos; i = t.find('\r', i + 1))
            EXPECT_EQ(t.substr(i, 2), "\r\n") << "id " << id;
        EXPECT_EQ(t.find("\\r"), std::string::npos) << "id " << id;
        EXPECT_EQ(t.find("\\n"), std::string::npos) << "id " << id;
    }
    EXPECT_GT(found, 80);
}

}  // namespace
