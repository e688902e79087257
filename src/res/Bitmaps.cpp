// The bitmaps: button faces, list icons and the page background, drawn in code on
// first use. Shapes are anti-aliased against real colours but keep hard edges against
// the magenta key, so a transparently drawn icon never shows a pink fringe.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "res/Resources.h"

namespace res {
namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kNavy = Rgb(0, 84, 147);       // enabled glyphs
constexpr uint32_t kGrey = Rgb(168, 168, 168);    // disabled glyphs
constexpr uint32_t kAccent = Rgb(0, 159, 217);    // the screens' frame colour
constexpr uint32_t kChoiceInk = Rgb(0, 60, 110);  // on the dialog blue
constexpr uint32_t kWarnFill = Rgb(255, 204, 0);  // due-warning triangle
constexpr uint32_t kWarnEdge = Rgb(96, 64, 0);
constexpr uint32_t kDeleteRed = Rgb(200, 35, 35);

// Point-in-shape test in pixel coordinates; pixel (i, j) covers [i, i+1) x [j, j+1).
using Shape = std::function<bool(double x, double y)>;

Shape Disc(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ring(double cx, double cy, double r, double width) {
    return [=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        return d <= r && d >= r - width;
    };
}

Shape RoundRect(double l, double t, double r, double b, double radius) {
    return [=](double x, double y) {
        if (x < l || x > r || y < t || y > b)
            return false;
        double dx = std::max({l + radius - x, 0.0, x - (r - radius)});
        double dy = std::max({t + radius - y, 0.0, y - (b - radius)});
        return dx * dx + dy * dy <= radius * radius;
    };
}

// A stroke of half-width w between two points, with round ends.
Shape Segment(double x1, double y1, double x2, double y2, double w) {
    return [=](double x, double y) {
        double vx = x2 - x1, vy = y2 - y1;
        double t = std::clamp(((x - x1) * vx + (y - y1) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        return std::hypot(x - (x1 + t * vx), y - (y1 + t * vy)) <= w;
    };
}

// Even-odd rule, so the same test serves convex and concave outlines.
Shape Polygon(std::vector<std::pair<double, double>> pts) {
    return [pts = std::move(pts)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside;
    };
}

uint32_t Mix(uint32_t dst, uint32_t src, double a) {
    auto channel = [&](int shift) {
        double d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        return uint32_t(std::lround(d + (s - d) * a)) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

class Canvas {
  public:
    Canvas(int w, int h, uint32_t background)
        : bmp_{w, h, std::vector<uint32_t>(size_t(w) * h, background)} {}

    // Paints `shape` in `colour` with 4 x 4 supersampling; `opacity` fades the whole shape.
    void Fill(const Shape& shape, uint32_t colour, double opacity = 1.0) {
        constexpr int kSub = 4;
        for (int j = 0; j < bmp_.height; ++j) {
            for (int i = 0; i < bmp_.width; ++i) {
                int hits = 0;
                for (int sy = 0; sy < kSub; ++sy)
                    for (int sx = 0; sx < kSub; ++sx)
                        hits += shape(i + (sx + 0.5) / kSub, j + (sy + 0.5) / kSub) ? 1 : 0;
                if (hits == 0)
                    continue;
                double cover = double(hits) / (kSub * kSub);
                uint32_t& px = bmp_.pixels[size_t(j) * bmp_.width + i];
                if (px == kKeyColour)
                    px = cover >= 0.5 ? colour : kKeyColour;
                else
                    px = Mix(px, colour, cover * opacity);
            }
        }
    }

    uint32_t& At(int x, int y) { return bmp_.pixels[size_t(y) * bmp_.width + x]; }
    int Width() const { return bmp_.width; }
    int Height() const { return bmp_.height; }
    Bitmap Take() { return std::move(bmp_); }

  private:
    Bitmap bmp_;
};

// A solid arrow head: up when `up`, else the same shape mirrored downwards.
Bitmap ScrollArrow(bool up, uint32_t ink) {
    constexpr int kSize = 32;
    Canvas c(kSize, kSize, kWhite);
    auto y = [&](double v) { return up ? v : kSize - v; };
    c.Fill(Polygon({{16, y(6)}, {28, y(24)}, {4, y(24)}}), ink);
    return c.Take();
}

Bitmap CheckBox(bool marked) {
    Canvas c(24, 24, kWhite);
    c.Fill(RoundRect(2, 2, 22, 22, 2.5), kBlack);
    c.Fill(RoundRect(4, 4, 20, 20, 1.0), kWhite);
    if (marked) {
        c.Fill(Segment(6.5, 12.5, 10.5, 16.5, 1.7), kBlack);
        c.Fill(Segment(10.5, 16.5, 17.5, 7.5, 1.7), kBlack);
    }
    return c.Take();
}

// Radio-style faces for the "Single" / "Repeating" choice on the dialog blue.
Bitmap Choice(bool marked) {
    Canvas c(20, 20, kKeyColour);
    c.Fill(Disc(10, 10, 9), kChoiceInk);
    c.Fill(Disc(10, 10, 7.6), kWhite);
    if (marked)
        c.Fill(Disc(10, 10, 4.4), kChoiceInk);
    return c.Take();
}

Bitmap Backspace() {
    Canvas c(40, 24, kWhite);
    c.Fill(Polygon({{2, 12}, {12, 3}, {37, 3}, {37, 21}, {12, 21}}), Rgb(70, 70, 70));
    c.Fill(Segment(19, 8, 28, 16, 1.5), kWhite);
    c.Fill(Segment(28, 8, 19, 16, 1.5), kWhite);
    return c.Take();
}

// Three bars: the usual sign for "a menu opens here".
Bitmap PageMenu() {
    Canvas c(32, 24, kWhite);
    for (double top : {4.0, 10.5, 17.0})
        c.Fill(RoundRect(4, top, 28, top + 3, 1.5), kNavy);
    return c.Take();
}

Bitmap Info() {
    Canvas c(20, 20, kWhite);
    c.Fill(Disc(10, 10, 9.5), kAccent);
    c.Fill(Disc(10, 5.4, 1.8), kWhite);
    c.Fill(RoundRect(8.6, 8.2, 11.4, 15.8, 0.8), kWhite);
    return c.Take();
}

// A warning triangle with "!" filling a `size` x `size` keyed square.
Bitmap DueWarning(int size) {
    const double s = size / 24.0;
    Canvas c(size, size, kKeyColour);
    c.Fill(Polygon({{12 * s, 1.5 * s}, {23 * s, 21.5 * s}, {1 * s, 21.5 * s}}), kWarnEdge);
    c.Fill(Polygon({{12 * s, 4.6 * s}, {20.4 * s, 20 * s}, {3.6 * s, 20 * s}}), kWarnFill);
    c.Fill(RoundRect(10.8 * s, 8.5 * s, 13.2 * s, 15.2 * s, 1.0 * s), kBlack);
    c.Fill(Disc(12 * s, 17.6 * s, 1.3 * s), kBlack);
    return c.Take();
}

Bitmap DeleteMark() {
    Canvas c(20, 20, kKeyColour);
    c.Fill(Disc(10, 10, 9.2), kDeleteRed);
    c.Fill(Segment(6.5, 6.5, 13.5, 13.5, 1.6), kWhite);
    c.Fill(Segment(13.5, 6.5, 6.5, 13.5, 1.6), kWhite);
    return c.Take();
}

// A pale page background: white fading to light blue towards the bottom, with faint
// arcs from the lower right. Kept light so black text stays easy to read on it.
Bitmap PageBackground() {
    constexpr int kW = 640, kH = 480;
    Canvas c(kW, kH, kWhite);
    const uint32_t bottom = Rgb(212, 231, 247);
    for (int y = 0; y < kH; ++y) {
        double t = double(y) / (kH - 1);
        uint32_t row = Mix(kWhite, bottom, t * t);
        for (int x = 0; x < kW; ++x)
            c.At(x, y) = row;
    }
    for (double r : {250.0, 320.0, 390.0})
        c.Fill(Ring(610, 560, r, 9), Rgb(150, 195, 230), 0.25);
    return c.Take();
}

const std::map<int, Bitmap>& Bitmaps() {
    static const std::map<int, Bitmap> bitmaps = [] {
        std::map<int, Bitmap> m;
        m.emplace(kBmpScrollDown, ScrollArrow(false, kNavy));
        m.emplace(kBmpScrollUp, ScrollArrow(true, kNavy));
        m.emplace(kBmpCheckUnmarked, CheckBox(false));
        m.emplace(kBmpCheckMarked, CheckBox(true));
        m.emplace(kBmpBackspace, Backspace());
        m.emplace(kBmpPageMenu, PageMenu());
        m.emplace(kBmpChoiceMarked, Choice(true));
        m.emplace(kBmpChoiceUnmarked, Choice(false));
        m.emplace(kBmpScrollDownDisabled, ScrollArrow(false, kGrey));
        m.emplace(kBmpScrollUpDisabled, ScrollArrow(true, kGrey));
        m.emplace(kBmpPageBackground, PageBackground());
        m.emplace(kBmpInfo, Info());
        m.emplace(kBmpListDue, DueWarning(24));
        m.emplace(kBmpDueMarker, DueWarning(32));
        m.emplace(kBmpDeleteMark, DeleteMark());
        return m;
    }();
    return bitmaps;
}

}  // namespace

bool IsKeyed(int id) {
    switch (id) {
        case kBmpChoiceMarked:
        case kBmpChoiceUnmarked:
        case kBmpListDue:
        case kBmpDueMarker:
        case kBmpDeleteMark:
            return true;
        default:
            return false;
    }
}

const Bitmap* FindBitmap(int id) {
    const auto& bitmaps = Bitmaps();
    auto it = bitmaps.find(id);
    return it == bitmaps.end() ? nullptr : &it->second;
}

}  // namespace res
