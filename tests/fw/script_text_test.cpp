#include <gtest/gtest.h>

#include "fw/EventLoop.h"
#include "fw/ScriptText.h"

namespace {

using fw::ScriptKind;
using fw::ScriptRun;

TEST(ScriptText, MarkersRaiseAndLowerOneCharacter) {
    EXPECT_EQ(fw::ParseScriptText("m^2"),
              (std::vector<ScriptRun>{{ScriptKind::Normal, "m"}, {ScriptKind::Superscript, "2"}}));
    EXPECT_EQ(fw::ParseScriptText("N_s_k:Gym^2/(h*A)"),
              (std::vector<ScriptRun>{{ScriptKind::Normal, "N"},
                                      {ScriptKind::Subscript, "s"},
                                      {ScriptKind::Subscript, "k"},
                                      {ScriptKind::Normal, ":Gym"},
                                      {ScriptKind::Superscript, "2"},
                                      {ScriptKind::Normal, "/(h*A)"}}));
}

TEST(ScriptText, DoubledAndTrailingMarkers) {
    // A doubled marker is the character itself and does not split the run.
    EXPECT_EQ(fw::ParseScriptText("a^^b"), (std::vector<ScriptRun>{{ScriptKind::Normal, "a^b"}}));
    EXPECT_EQ(fw::ParseScriptText("a__b"), (std::vector<ScriptRun>{{ScriptKind::Normal, "a_b"}}));
    EXPECT_EQ(fw::ParseScriptText("cm^"), (std::vector<ScriptRun>{{ScriptKind::Normal, "cm"}}));
    EXPECT_TRUE(fw::ParseScriptText("^").empty());
    // A raised character may be more than one byte ("°").
    EXPECT_EQ(
        fw::ParseScriptText("x^\xC2\xB0"),
        (std::vector<ScriptRun>{{ScriptKind::Normal, "x"}, {ScriptKind::Superscript, "\xC2\xB0"}}));
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
    fw::DrawScriptText(dc, "N_s", box, 2);  // right aligned, lowered
    ASSERT_EQ(surface.Texts().size(), 2u);
    EXPECT_GT(surface.Texts()[1].extent.top, surface.Texts()[0].extent.top);
    EXPECT_EQ(surface.Texts()[0].extent.left + fw::ScriptTextWidth(dc, "N_s"), box.right);
}

}  // namespace
