// Bitmaps must exist for every id the controls ask for, be sized for those controls,
// and keep the key colour only where they are drawn transparently.
#include <gtest/gtest.h>

#include <set>

#include "res/Resources.h"

namespace {

struct Expect {
    int id;
    int maxWidth;
    int maxHeight;
};

// Limits from where each image sits: scroll and page buttons about 50 px, list rows
// about 40 px (the delete mark in a 30 px column, 3 px from its left edge), the info
// button 24 px square, keypad keys about 40 px high.
const Expect kExpected[] = {
    {126, 44, 44}, {131, 44, 44}, {233, 44, 44}, {236, 44, 44}, {142, 32, 32},
    {146, 32, 32}, {163, 60, 36}, {228, 44, 40}, {230, 24, 24}, {232, 24, 24},
    {255, 22, 22}, {260, 36, 36}, {261, 40, 40}, {290, 26, 30},
};

const std::set<int> kKeyed = {230, 232, 260, 261, 290};

uint32_t Rgb(uint32_t px) {
    return px & 0xFFFFFF;
}
bool IsGrey(uint32_t px) {
    return ((px >> 16) & 0xFF) == ((px >> 8) & 0xFF) && ((px >> 8) & 0xFF) == (px & 0xFF);
}

TEST(Bitmaps, EveryIdExistsWithItsDeclaredSizeAndPixelCount) {
    for (const Expect& e : kExpected) {
        SCOPED_TRACE(e.id);
        const res::Bitmap* b = res::FindBitmap(e.id);
        ASSERT_NE(b, nullptr);
        EXPECT_GT(b->width, 0);
        EXPECT_GT(b->height, 0);
        EXPECT_LE(b->width, e.maxWidth);
        EXPECT_LE(b->height, e.maxHeight);
        EXPECT_EQ(b->pixels.size(), size_t(b->width) * size_t(b->height));
    }
    const res::Bitmap* page = res::FindBitmap(246);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->width, 640);
    EXPECT_EQ(page->height, 480);
    EXPECT_EQ(page->pixels.size(), 640u * 480u);
}

TEST(Bitmaps, HeaderListsEveryIdOnce) {
    std::set<int> listed(std::begin(res::kBitmapIds), std::end(res::kBitmapIds));
    EXPECT_EQ(listed.size(), std::size(res::kBitmapIds));
    std::set<int> expected = {246};
    for (const Expect& e : kExpected)
        expected.insert(e.id);
    EXPECT_EQ(listed, expected);
}

TEST(Bitmaps, UnknownIdsGiveNull) {
    for (int id : {-1, 0, 100, 125, 127, 245, 247, 291, 1000, 1350})
        EXPECT_EQ(res::FindBitmap(id), nullptr) << id;
}

TEST(Bitmaps, AllPixelsAreOpaque) {
    for (int id : res::kBitmapIds) {
        const res::Bitmap* b = res::FindBitmap(id);
        ASSERT_NE(b, nullptr) << id;
        for (uint32_t px : b->pixels) {
            ASSERT_EQ(px >> 24, 0xFFu) << id;
        }
    }
}

TEST(Bitmaps, KeyColourOnlyAroundTransparentlyDrawnIcons) {
    for (int id : res::kBitmapIds) {
        SCOPED_TRACE(id);
        const res::Bitmap* b = res::FindBitmap(id);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(res::IsKeyed(id), kKeyed.count(id) == 1);
        size_t keyed = 0;
        for (uint32_t px : b->pixels)
            keyed += Rgb(px) == Rgb(res::kKeyColour) ? 1 : 0;
        if (kKeyed.count(id)) {
            auto at = [&](int x, int y) { return b->pixels[size_t(y) * b->width + x]; };
            EXPECT_EQ(at(0, 0), res::kKeyColour);
            EXPECT_EQ(at(b->width - 1, 0), res::kKeyColour);
            EXPECT_EQ(at(0, b->height - 1), res::kKeyColour);
            EXPECT_EQ(at(b->width - 1, b->height - 1), res::kKeyColour);
            EXPECT_GT(keyed, 0u);
            EXPECT_LT(keyed, b->pixels.size() * 3 / 4) << "icon has hardly any ink";
        } else {
            EXPECT_EQ(keyed, 0u) << "an opaque face would show magenta";
        }
    }
    EXPECT_FALSE(res::IsKeyed(0));
    EXPECT_FALSE(res::IsKeyed(999));
}

// Ink: pixels that are neither the white background nor the key.
std::vector<bool> Ink(const res::Bitmap& b) {
    std::vector<bool> ink;
    for (uint32_t px : b.pixels)
        ink.push_back(Rgb(px) != 0xFFFFFF && Rgb(px) != Rgb(res::kKeyColour));
    return ink;
}

double InkCentreY(const res::Bitmap& b) {
    std::vector<bool> ink = Ink(b);
    double sum = 0, n = 0;
    for (size_t i = 0; i < ink.size(); ++i)
        if (ink[i]) {
            sum += double(i / b.width) + 0.5;
            n += 1;
        }
    return n > 0 ? sum / n : -1;
}

// An upward arrow head has its wide base below the middle; a downward one above.
TEST(Bitmaps, ScrollFacesPointTheRightWay) {
    for (int id : {131, 236}) {
        const res::Bitmap* b = res::FindBitmap(id);
        ASSERT_NE(b, nullptr);
        EXPECT_GT(InkCentreY(*b), b->height / 2.0 + 1) << id << " should point up";
    }
    for (int id : {126, 233}) {
        const res::Bitmap* b = res::FindBitmap(id);
        ASSERT_NE(b, nullptr);
        EXPECT_LT(InkCentreY(*b), b->height / 2.0 - 1) << id << " should point down";
    }
}

TEST(Bitmaps, DisabledScrollFacesAreGreyCopiesOfTheEnabledOnes) {
    for (auto [enabled, disabled] : {std::pair{131, 236}, std::pair{126, 233}}) {
        SCOPED_TRACE(enabled);
        const res::Bitmap* e = res::FindBitmap(enabled);
        const res::Bitmap* d = res::FindBitmap(disabled);
        ASSERT_NE(e, nullptr);
        ASSERT_NE(d, nullptr);
        ASSERT_EQ(e->width, d->width);
        ASSERT_EQ(e->height, d->height);
        EXPECT_EQ(Ink(*e), Ink(*d));
        bool enabledColoured = false;
        for (uint32_t px : e->pixels)
            enabledColoured |= !IsGrey(px);
        EXPECT_TRUE(enabledColoured);
        for (uint32_t px : d->pixels)
            ASSERT_TRUE(IsGrey(px));
    }
}

size_t Dark(const res::Bitmap& b) {
    size_t n = 0;
    for (uint32_t px : b.pixels) {
        int sum = int((px >> 16) & 0xFF) + int((px >> 8) & 0xFF) + int(px & 0xFF);
        n += sum < 3 * 100 ? 1 : 0;
    }
    return n;
}

TEST(Bitmaps, MarkedFacesCarryAMarkTheUnmarkedOnesLack) {
    for (auto [marked, unmarked] : {std::pair{146, 142}, std::pair{230, 232}}) {
        SCOPED_TRACE(marked);
        const res::Bitmap* m = res::FindBitmap(marked);
        const res::Bitmap* u = res::FindBitmap(unmarked);
        ASSERT_NE(m, nullptr);
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(m->width, u->width);
        EXPECT_EQ(m->height, u->height);
        EXPECT_GT(Dark(*m), Dark(*u) + 10);
    }
}

TEST(Bitmaps, PageBackgroundIsLightEnoughForBlackText) {
    const res::Bitmap* b = res::FindBitmap(246);
    ASSERT_NE(b, nullptr);
    for (uint32_t px : b->pixels) {
        int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, bl = px & 0xFF;
        ASSERT_GT(0.299 * r + 0.587 * g + 0.114 * bl, 180.0);
    }
}

TEST(Bitmaps, LookupReturnsTheSameStoredBitmap) {
    EXPECT_EQ(res::FindBitmap(260), res::FindBitmap(260));
}

}  // namespace
