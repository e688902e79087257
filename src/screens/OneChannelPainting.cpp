#include "screens/OneChannelPainting.h"

#include <algorithm>
#include <cmath>

#include "fw/Font.h"

namespace one_channel {
namespace {

// The corner arc around (cx, cy), in the quadrant given by the signs of dx and dy.
void DrawCorner(fw::Dc& dc, fw::Point centre, int radius, int dx, int dy, fw::Color color) {
    constexpr int kSteps = 8;
    constexpr double kQuarter = 1.5707963267948966;
    fw::Point previous{centre.x + dx * radius, centre.y};
    for (int i = 1; i <= kSteps; ++i) {
        const double a = kQuarter * i / kSteps;
        fw::Point next{centre.x + dx * int(std::lround(radius * std::cos(a))),
                       centre.y + dy * int(std::lround(radius * std::sin(a)))};
        dc.Line(previous, next, color);
        previous = next;
    }
}

constexpr int kStripMargin = 2;  // pixels kept above and below the text's line

}  // namespace

fw::Rect TextStrip(const fw::Rect& band, const CLabel& label) {
    const int lineHeight = fw::Font::Get(label.Font()).Metrics().height;
    // The same amount off the top and the bottom keeps the centred text's line where it was.
    const int inset = std::max(0, (band.Height() - lineHeight) / 2 - kStripMargin);
    return {band.left, band.top + inset, band.right, band.bottom - inset};
}

void DrawRoundFrame(fw::Dc& dc, const fw::Rect& r, fw::Color color, int radius) {
    if (!dc.Damages(r))
        return;  // a repaint of the values alone need not trace the arcs
    radius = std::clamp(radius, 0, std::min(r.Width(), r.Height()) / 2);
    const int right = r.right - 1;
    const int bottom = r.bottom - 1;
    dc.Line({r.left + radius, r.top}, {right - radius, r.top}, color);
    dc.Line({r.left + radius, bottom}, {right - radius, bottom}, color);
    dc.Line({r.left, r.top + radius}, {r.left, bottom - radius}, color);
    dc.Line({right, r.top + radius}, {right, bottom - radius}, color);
    DrawCorner(dc, {r.left + radius, r.top + radius}, radius, -1, -1, color);
    DrawCorner(dc, {right - radius, r.top + radius}, radius, 1, -1, color);
    DrawCorner(dc, {r.left + radius, bottom - radius}, radius, -1, 1, color);
    DrawCorner(dc, {right - radius, bottom - radius}, radius, 1, 1, color);
}

}  // namespace one_channel
