#include <gtest/gtest.h>

#include "fw/EventLoop.h"
#include "fw/ScriptText.h"

namespace {

// Raised and lowered characters sit right against the text before and after them, so a unit
// reads as one word ("Gym²/(h*A)", "Aion:"), and the width measured is the width drawn, so
// right and centred units end where their box says.
TEST(ScriptTextSpacing, ScriptCharactersAbutTheirNeighboursInEveryAlignment) {
    struct Case {
        const char* text;
        int runs;
        int align;
        int fontHeight;
    };
    const Case cases[] = {
        {"N_s_k:Gym^2/(h*A)", 6, 0, 18},
        {"N_s_k:Gym^2/(h*A)", 6, 2, 18},
        {"A_i_o_n:", 5, 1, 15},
        {"5.380 x 10^7 N_k:Gy/C", 5, 2, 15},
        {"cm^3", 2, 0, 30},
        {"^-^1^2", 3, 1, 24},
    };
    fw::Surface surface;
    fw::Dc dc(surface);
    const fw::Rect box{20, 10, 420, 70};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << " align " << c.align);
        dc.SetFont(fw::FontSpec{"Tahoma", c.fontHeight});
        surface.BeginFrame();
        fw::DrawScriptText(dc, c.text, box, c.align);
        const auto& texts = surface.Texts();
        ASSERT_EQ(static_cast<int>(texts.size()), c.runs);
        for (size_t i = 1; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].extent.left, texts[i - 1].extent.right) << texts[i].text;
        const int left = texts.front().extent.left;
        const int right = texts.back().extent.right;
        EXPECT_EQ(right - left, fw::ScriptTextWidth(dc, c.text));
        if (c.align == 0)
            EXPECT_EQ(left, box.left);
        else if (c.align == 2)
            EXPECT_EQ(right, box.right);
        else
            EXPECT_LE(std::abs((left - box.left) - (box.right - right)), 1);
    }
}

}  // namespace
