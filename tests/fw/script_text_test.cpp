#include <gtest/gtest.h>

#include "fw/EventLoop.h"
#include "fw/ScriptText.h"

namespace {

using fw::ScriptKind;
using fw::ScriptRun;

// A marker raises or lowers the one character after it (which may be more than one byte);
// a doubled marker is the character itself and does not split the run.
TEST(ScriptText, MarkersRaiseAndLowerOneCharacter) {
    constexpr ScriptKind N = ScriptKind::Normal, Up = ScriptKind::Superscript,
                         Down = ScriptKind::Subscript;
    const std::pair<const char*, std::vector<ScriptRun>> cases[] = {
        {"m^2", {{N, "m"}, {Up, "2"}}},
        {"N_s_k:Gym^2/(h*A)",
         {{N, "N"}, {Down, "s"}, {Down, "k"}, {N, ":Gym"}, {Up, "2"}, {N, "/(h*A)"}}},
        {"a^^b", {{N, "a^b"}}},
        {"a__b", {{N, "a_b"}}},
        {"cm^", {{N, "cm"}}},
        {"^", {}},
        {"x^\xC2\xB0", {{N, "x"}, {Up, "\xC2\xB0"}}},
    };
    for (const auto& [text, runs] : cases)
        EXPECT_EQ(fw::ParseScriptText(text), runs) << text;
}

TEST(ScriptText, DrawsRaisedCharacterSmallerAndHigher) {
    fw::Surface surface;
    fw::Dc dc(surface);
    dc.SetFont(fw::FontSpec{"Tahoma", 30});
    fw::Rect box{10, 10, 300, 60};
    fw::DrawScriptText(dc, "m^2", box, 0);
    const auto& texts = surface.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "m");
    EXPECT_EQ(texts[1].text, "2");
    EXPECT_EQ(texts[1].fontHeight, 20);                   // (30 / 3) * 2
    EXPECT_LT(texts[1].extent.top, texts[0].extent.top);  // raised
    EXPECT_GT(texts[1].extent.left, texts[0].extent.right - 1);
    EXPECT_EQ(texts[0].extent.left, box.left);  // left aligned
    EXPECT_EQ(dc.GetFont().height, 30);         // state restored

    surface.BeginFrame();
    // Right aligned, lowered, and a normal run after it measured in the normal face: the
    // width measured is the width drawn, or centred unit labels spill over.
    fw::DrawScriptText(dc, "N_s:Gym", box, 2);
    ASSERT_EQ(surface.Texts().size(), 3u);
    EXPECT_GT(surface.Texts()[1].extent.top, surface.Texts()[0].extent.top);
    EXPECT_EQ(surface.Texts()[0].extent.left + fw::ScriptTextWidth(dc, "N_s:Gym"), box.right);
    EXPECT_EQ(surface.Texts()[2].extent.right, box.right);
}

}  // namespace
