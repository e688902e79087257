#include <gtest/gtest.h>

#include "fw/Dc.h"

namespace {

TEST(Drawing, ClipAndSavedStatesBoundEveryOperation) {
    fw::Surface s;
    fw::Dc dc(s);
    const fw::Color red = fw::Color::Rgb(255, 0, 0);
    const int level = dc.Save();
    dc.IntersectClip({10, 10, 20, 20});
    dc.FillRect({0, 0, 640, 480}, red);
    dc.Line({0, 15}, {639, 15}, fw::colors::kWhite);
    EXPECT_EQ(s.PixelAt(9, 9), fw::colors::kBlack.argb);
    EXPECT_EQ(s.PixelAt(15, 15), fw::colors::kWhite.argb);
    EXPECT_EQ(s.PixelAt(20, 15), fw::colors::kBlack.argb);  // right edge is outside
    dc.Restore(7);                                          // an unknown level changes nothing
    EXPECT_EQ(dc.Clip(), (fw::Rect{10, 10, 20, 20}));
    dc.Restore(level);
    dc.FillRect({-50, -50, 5, 5}, red);  // off-panel parts are dropped, not written
    EXPECT_EQ(s.PixelAt(0, 0), red.argb);
}

// Text is recorded with its box, clipped to it, and word breaks keep the lines inside it.
TEST(Drawing, TextIsRecordedWithItsBoxClippedToItAndBrokenIntoLinesInsideIt) {
    fw::Surface s;
    fw::Dc dc(s);
    dc.SetFont({"Tahoma", 24, fw::kWeightBold});
    dc.SetTextColor(fw::colors::kWhite);
    fw::Rect box{100, 100, 140, 130};  // narrower than the text
    dc.DrawText("Over Range", box, fw::kAlignCenter | fw::kAlignVCenter);
    ASSERT_EQ(s.Texts().size(), 1u);
    const fw::DrawnText t = s.Texts()[0];
    EXPECT_TRUE(t.text == "Over Range" && t.box == box && t.clip == box);
    EXPECT_GT(t.extent.Width(), box.Width());  // what an overflow check looks for
    int inside = 0, outside = 0;
    for (int y = 90; y < 140; ++y) {
        for (int x = 60; x < 180; ++x) {
            if (s.PixelAt(x, y) != fw::colors::kBlack.argb)
                ++(box.Contains(fw::Point{x, y}) ? inside : outside);
        }
    }
    EXPECT_TRUE(inside > 0 && outside == 0);

    s.BeginFrame();
    dc.SetFont({"Tahoma", 20});
    box = {0, 0, 200, 200};
    dc.DrawText("You have un-saved measurement data.\r\nDo you want to save?", box,
                fw::kAlignCenter | fw::kWordBreak);
    ASSERT_GE(s.Texts().size(), 3u);
    for (const auto& line : s.Texts()) {
        EXPECT_TRUE(box.Contains(line.extent)) << line.text;
        EXPECT_EQ(line.text.find('\r'), std::string::npos);  // line ends are not drawn
    }
}

TEST(Drawing, BitmapsSkipTheirKeyColour) {
    fw::Surface s;
    fw::Dc dc(s);
    const fw::Size size = fw::Dc::BitmapSize(290);
    s.Fill(fw::kScreenRect, fw::colors::kWhite);
    ASSERT_TRUE(size.cx > 0 && dc.DrawBitmap(290, {0, 0}, true));
    for (int i = 0; i < size.cx * size.cy; ++i)
        ASSERT_NE(s.PixelAt(i % size.cx, i / size.cx) & 0xFFFFFF, 0xFF00FFu) << i;
    EXPECT_FALSE(dc.DrawBitmap(9999, {0, 0}));
}

}  // namespace
