#pragma once
// Screen geometry and colours, in pixels of the 640 x 480 panel.
#include <algorithm>
#include <cstdint>

namespace fw {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int cx = 0;
    int cy = 0;
};

// Half-open rectangle: left/top inside, right/bottom outside, as on the original panel.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool Contains(const Rect& r) const {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
    Rect Intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        if (r.IsEmpty())
            return Rect{};
        return r;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect Union(const Rect& o) const {
        if (o.IsEmpty())
            return *this;
        if (IsEmpty())
            return o;
        return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom)};
    }
    bool Intersects(const Rect& o) const { return !Intersect(o).IsEmpty(); }
    Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Deflate(int d) const { return Rect{left + d, top + d, right - d, bottom - d}; }
    bool operator==(const Rect&) const = default;
};

constexpr Rect kScreenRect{0, 0, kScreenWidth, kScreenHeight};

// 0xAARRGGBB; the panel has no real transparency, alpha only blends anti-aliased text.
struct Color {
    uint32_t argb = 0xFF000000;

    static constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
        return Color{0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b};
    }
    uint8_t R() const { return (argb >> 16) & 0xFF; }
    uint8_t G() const { return (argb >> 8) & 0xFF; }
    uint8_t B() const { return argb & 0xFF; }
    bool operator==(const Color&) const = default;
};

namespace colors {
constexpr Color kBlack = Color::Rgb(0, 0, 0);
constexpr Color kWhite = Color::Rgb(255, 255, 255);
constexpr Color kDialogBackground = Color::Rgb(69, 164, 233);
constexpr Color kAction = Color::Rgb(124, 187, 62);
constexpr Color kDisabledText = Color::Rgb(128, 128, 128);
constexpr Color kOverRange = Color::Rgb(255, 0, 0);
constexpr Color kTransparentKey = Color::Rgb(255, 0, 255);
}  // namespace colors

}  // namespace fw
