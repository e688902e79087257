#include "screens/TrendPlot.h"

#include <algorithm>
#include <cmath>

#include "fw/Text.h"

namespace {

// Points are one a second: a longer pause means no readings came (a zeroing, a stall).
constexpr double kGapMs = 2500.0;
constexpr int kLongestDecimals = 6;
constexpr double kLongestFixed = 1e6;

bool Drawable(const TrendValue& v) {
    return !v.overRange && std::isfinite(v.value);
}

int64_t TimeTickStepMs(int64_t windowMs) {
    if (windowMs <= 60000)
        return 15000;
    return windowMs <= 300000 ? 60000 : 180000;
}

std::string TimeLabel(int64_t agoMs, int64_t stepMs) {
    if (agoMs == 0)
        return "now";
    if (stepMs < 60000)
        return fw::StringPrintf("-%lld s", static_cast<long long>(agoMs / 1000));
    return fw::StringPrintf("-%lld min", static_cast<long long>(agoMs / 60000));
}

}  // namespace

CTrendPlot::CTrendPlot(const fw::Rect& plot, int64_t nowMs, int64_t windowMs)
    : plot_(plot), nowMs_(nowMs), windowMs_(std::max<int64_t>(windowMs, 1)) {}

int CTrendPlot::XOf(double timeMs) const {
    const double ago = std::clamp(double(nowMs_) - timeMs, 0.0, double(windowMs_));
    return plot_.right - 1 - int(std::lround(ago * (plot_.Width() - 1) / double(windowMs_)));
}

int CTrendPlot::YOf(double value, const TrendScale& scale) const {
    const double share = (value - scale.low) / (scale.high - scale.low);
    const double y = plot_.bottom - 1 - share * (plot_.Height() - 1);
    return int(std::lround(std::clamp(y, double(plot_.top), double(plot_.bottom - 1))));
}

std::optional<TrendAxis> CTrendPlot::AxisFor(const std::vector<TrendValue>& values) const {
    double lo = INFINITY, hi = -INFINITY;
    for (const TrendValue& v : values) {
        if (!Drawable(v))
            continue;
        lo = std::min(lo, v.value);
        hi = std::max(hi, v.value);
    }
    std::optional<TrendScale> scale = NiceScale(lo, hi, kAxisIntervals);
    if (!scale)
        return std::nullopt;
    TrendAxis axis{*scale, {}};
    const int steps = int(std::lround((scale->high - scale->low) / scale->step));
    for (int i = 0; i <= steps; ++i) {
        const double value = scale->low + i * scale->step;
        axis.ticks.push_back({YOf(value, *scale), ValueLabel(value, *scale)});
    }
    return axis;
}

std::string CTrendPlot::ValueLabel(double value, const TrendScale& scale) {
    if (std::fabs(value) < scale.step * 1e-6)
        value = 0.0;
    if (scale.decimals > kLongestDecimals || std::fabs(value) >= kLongestFixed)
        return fw::StringPrintf("%.3g", value);
    return fw::StringPrintf("%.*f", scale.decimals, value);
}

void CTrendPlot::Runs(const std::vector<TrendValue>& values, const TrendScale& scale,
                      std::vector<std::vector<fw::Point>>& out) const {
    out.clear();
    const TrendValue* previous = nullptr;
    for (const TrendValue& v : values) {
        if (!Drawable(v)) {
            previous = nullptr;
            continue;
        }
        if (previous == nullptr || v.timeMs - previous->timeMs > kGapMs)
            out.emplace_back();
        out.back().push_back({XOf(v.timeMs), YOf(v.value, scale)});
        previous = &v;
    }
}

std::vector<int> CTrendPlot::OverRangeXs(const std::vector<TrendValue>& values) const {
    std::vector<int> xs;
    for (const TrendValue& v : values) {
        if (v.overRange)
            xs.push_back(XOf(v.timeMs));
    }
    return xs;
}

std::vector<TrendTick> CTrendPlot::TimeTicks() const {
    std::vector<TrendTick> ticks;
    const int64_t step = TimeTickStepMs(windowMs_);
    for (int64_t ago = windowMs_ / step * step; ago >= 0; ago -= step)
        ticks.push_back({XOf(double(nowMs_ - ago)), TimeLabel(ago, step)});
    return ticks;
}

std::vector<TrendMark> CTrendPlot::Marks(const std::vector<TrendValue>& values) const {
    std::vector<TrendMark> marks;
    for (const TrendValue& v : values) {
        if (v.started)
            marks.push_back({XOf(v.timeMs), true});
        if (v.ended)
            marks.push_back({XOf(v.timeMs), false});
    }
    return marks;
}

std::vector<std::pair<int, int>> CTrendPlot::CollectionSpans(
    const std::vector<TrendValue>& values) const {
    std::vector<std::pair<int, int>> spans;
    bool open = false;
    for (size_t i = 0; i < values.size(); ++i) {
        const TrendValue& v = values[i];
        const int x = XOf(v.timeMs);
        if (open)
            spans.back().second = x;
        if (v.ended || !v.collecting)
            open = false;
        // A second that holds an end and a start is read as one repeat ending, the next starting.
        const bool runningAtStart = i == 0 && v.collecting && !v.started && !v.ended;
        if (v.collecting && (v.started || runningAtStart)) {
            spans.push_back({x, x});
            open = true;
        }
    }
    return spans;
}
