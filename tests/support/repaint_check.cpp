#include "support/repaint_check.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "fw/EventLoop.h"

namespace testing_support {
namespace {

// A colour no screen paints: a pixel a full repaint leaves out keeps it and shows up.
constexpr fw::Color kMarker = fw::Color::Rgb(0x12, 0xFE, 0x34);

std::ostream& operator<<(std::ostream& out, const fw::Rect& r) {
    return out << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
}

std::vector<std::string> DescribeTexts(const fw::Surface& surface) {
    std::vector<std::string> out;
    for (const fw::DrawnText& t : surface.Texts()) {
        std::ostringstream line;
        line << '"' << t.text << "\" box " << t.box << " extent " << t.extent << " clip " << t.clip
             << " colour " << std::hex << t.color.argb << std::dec << " height " << t.fontHeight;
        out.push_back(line.str());
    }
    return out;
}

std::string CompareTexts(const std::vector<std::string>& partial,
                         const std::vector<std::string>& full) {
    std::ostringstream out;
    for (size_t i = 0; i < std::max(partial.size(), full.size()); ++i) {
        const std::string shown = i < partial.size() ? partial[i] : "<none>";
        const std::string expected = i < full.size() ? full[i] : "<none>";
        if (shown != expected)
            out << "text " << i << ": shown " << shown << ", full repaint " << expected << '\n';
    }
    return out.str();
}

}  // namespace

std::string DifferenceFromFullRepaint() {
    fw::Loop().RepaintNow();
    fw::Surface& surface = fw::Loop().GetSurface();
    const int width = surface.Width();
    const std::vector<uint32_t> shown(surface.Pixels(),
                                      surface.Pixels() + size_t(width) * surface.Height());
    const std::vector<std::string> shownTexts = DescribeTexts(surface);

    surface.Fill(fw::Rect{0, 0, width, surface.Height()}, kMarker);
    fw::Loop().RequestRepaint();
    fw::Loop().RepaintNow();

    std::ostringstream out;
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == surface.Pixels()[i])
            continue;
        if (differing++ == 0) {
            out << "first differing pixel at (" << i % width << ',' << i / width << "): shown "
                << std::hex << shown[i] << ", full repaint " << surface.Pixels()[i] << std::dec
                << '\n';
        }
    }
    if (differing > 0)
        out << differing << " pixels differ\n";
    out << CompareTexts(shownTexts, DescribeTexts(surface));
    return out.str();
}

}  // namespace testing_support
