// Bitmaps must exist for every id the controls ask for, be sized for those controls,
// and keep the key colour only where they are drawn transparently.
#include <gtest/gtest.h>

#include <tuple>

#include "res/Resources.h"

namespace {

uint32_t Rgb(uint32_t px) {
    return px & 0xFFFFFF;
}
bool IsGrey(uint32_t px) {
    return ((px >> 16) & 0xFF) == ((px >> 8) & 0xFF) && ((px >> 8) & 0xFF) == (px & 0xFF);
}
bool IsInk(uint32_t px) {
    return Rgb(px) != 0xFFFFFF && Rgb(px) != Rgb(res::kKeyColour);
}
const res::Bitmap& Get(int id) {
    const res::Bitmap* b = res::FindBitmap(id);
    EXPECT_NE(b, nullptr) << id;
    static const res::Bitmap kNone{0, 0, {}};
    return b ? *b : kNone;
}

// Limits from where each image sits: scroll and page buttons about 50 px, list rows about
// 40 px, the info button 24 px square, keypad keys about 40 px high, the page 640 x 480.
TEST(Bitmaps, EveryIdIsSizedForItsPlaceAndKeyedOnlyWhenDrawnTransparently) {
    struct Expect {
        int id, maxWidth, maxHeight;
        bool keyed;
    };
    const Expect expected[] = {
        {126, 44, 44, false}, {131, 44, 44, false}, {142, 32, 32, false},   {146, 32, 32, false},
        {163, 60, 36, false}, {228, 44, 40, false}, {230, 24, 24, true},    {232, 24, 24, true},
        {233, 44, 44, false}, {236, 44, 44, false}, {246, 640, 480, false}, {255, 22, 22, false},
        {260, 36, 36, true},  {261, 40, 40, true},  {290, 26, 30, true},
    };
    ASSERT_EQ(std::size(res::kBitmapIds), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Expect& e = expected[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(res::kBitmapIds[i], e.id);
        const res::Bitmap& b = Get(e.id);
        EXPECT_TRUE(b.width > 0 && b.width <= e.maxWidth && b.height > 0 &&
                    b.height <= e.maxHeight);
        ASSERT_EQ(b.pixels.size(), size_t(b.width) * size_t(b.height));
        EXPECT_EQ(res::IsKeyed(e.id), e.keyed);
        size_t keyed = 0;
        for (uint32_t px : b.pixels) {
            ASSERT_EQ(px >> 24, 0xFFu) << "every pixel opaque";
            keyed += Rgb(px) == Rgb(res::kKeyColour);
        }
        if (e.keyed) {
            EXPECT_EQ(b.pixels.front(), res::kKeyColour);
            EXPECT_EQ(b.pixels.back(), res::kKeyColour);
            EXPECT_LT(keyed, b.pixels.size() * 3 / 4) << "icon has hardly any ink";
        } else {
            EXPECT_EQ(keyed, 0u) << "an opaque face would show magenta";
        }
    }
    for (int id : {-1, 0, 125, 127, 245, 247, 291, 1350})
        EXPECT_EQ(res::FindBitmap(id), nullptr) << id;
    EXPECT_FALSE(res::IsKeyed(999));
}

// The disabled scroll faces are grey copies of the enabled ones; an upward arrow head has its
// wide base below the middle, a downward one above.
TEST(Bitmaps, ScrollFacesPointTheRightWayAndTheirDisabledFacesAreGreyCopies) {
    for (auto [enabled, disabled, up] : {std::tuple{131, 236, true}, {126, 233, false}}) {
        SCOPED_TRACE(enabled);
        const res::Bitmap& e = Get(enabled);
        const res::Bitmap& d = Get(disabled);
        ASSERT_EQ(e.pixels.size(), d.pixels.size());
        double rows = 0, inked = 0;
        bool coloured = false;
        for (size_t i = 0; i < e.pixels.size(); ++i) {
            EXPECT_EQ(IsInk(e.pixels[i]), IsInk(d.pixels[i]));
            ASSERT_TRUE(IsGrey(d.pixels[i]));
            coloured |= !IsGrey(e.pixels[i]);
            if (IsInk(e.pixels[i])) {
                rows += double(i / e.width) + 0.5;
                inked += 1;
            }
        }
        EXPECT_TRUE(coloured);
        const double centre = rows / inked - e.height / 2.0;
        EXPECT_TRUE(up ? centre > 1 : centre < -1) << centre;
    }
}

}  // namespace
