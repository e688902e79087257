// Bitmaps must exist for every id the controls ask for and keep the key colour only where
// they are drawn transparently.
#include <gtest/gtest.h>

#include "res/Resources.h"

namespace {

uint32_t Rgb(uint32_t px) {
    return px & 0xFFFFFF;
}

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
            keyed += Rgb(px) == Rgb(res::kKeyColour);
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

}  // namespace
