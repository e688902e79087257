// Unit texts with raised and lowered characters: how the markers read, and how the runs are
// drawn side by side so that the width measured is the width drawn.
#include <gtest/gtest.h>

#include "fw/EventLoop.h"
#include "fw/ScriptText.h"

namespace {

using fw::ScriptKind;

// A marker raises or lowers the one character after it (which may be more than one byte);
// a doubled marker is the character itself and does not split the run.
TEST(ScriptText, MarkersRaiseAndLowerOneCharacter) {
    constexpr ScriptKind N = ScriptKind::Normal, Up = ScriptKind::Superscript,
                         Down = ScriptKind::Subscript;
    const std::pair<const char*, std::vector<fw::ScriptRun>> cases[] = {
        {"N_s_k:Gym^2/(h*A)",
         {{N, "N"}, {Down, "s"}, {Down, "k"}, {N, ":Gym"}, {Up, "2"}, {N, "/(h*A)"}}},
        {"a^^b", {{N, "a^b"}}},
        {"cm^", {{N, "cm"}}},
        {"x^\xC2\xB0", {{N, "x"}, {Up, "\xC2\xB0"}}},
    };
    for (const auto& [text, runs] : cases)
        EXPECT_EQ(fw::ParseScriptText(text), runs) << text;
}

// Raised and lowered characters are drawn in a smaller face, higher or lower than the first
// run, right against the text before and after them, so a unit reads as one word
// ("Gym²/(h*A)", "Aion:"); right and centred units end where their box says.
TEST(ScriptText, RunsAbutInEveryAlignmentAndTheWidthMeasuredIsTheWidthDrawn) {
    struct Case {
        const char* text;
        int align;
        int fontHeight;
    };
    const Case cases[] = {
        {"N_s_k:Gym^2/(h*A)", 0, 18},
        {"5.380 x 10^7 N_k:Gy/C", 2, 30},
        {"^-^1^2", 1, 24},
    };
    fw::Surface surface;
    fw::Dc dc(surface);
    const fw::Rect box{20, 10, 420, 70};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << " align " << c.align);
        dc.SetFont(fw::FontSpec{"Tahoma", c.fontHeight});
        surface.BeginFrame();
        fw::DrawScriptText(dc, c.text, box, c.align);
        EXPECT_EQ(dc.GetFont().height, c.fontHeight);  // the face is restored
        const auto runs = fw::ParseScriptText(c.text);
        const auto& texts = surface.Texts();
        ASSERT_EQ(texts.size(), runs.size());
        for (size_t i = 1; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].extent.left, texts[i - 1].extent.right) << texts[i].text;
            if (runs[i].kind == ScriptKind::Normal || runs[0].kind != ScriptKind::Normal)
                continue;
            EXPECT_LT(texts[i].fontHeight, c.fontHeight);
            EXPECT_EQ(texts[i].extent.top < texts[0].extent.top,
                      runs[i].kind == ScriptKind::Superscript);
        }
        const int left = texts.front().extent.left;
        const int right = texts.back().extent.right;
        EXPECT_EQ(right - left, fw::ScriptTextWidth(dc, c.text));
        // Left and right exactly; centred within the pixel an odd spare width leaves.
        EXPECT_NEAR(left, box.left + (box.Width() - (right - left)) * c.align / 2, c.align % 2);
    }
}

}  // namespace
