#pragma once
// The geometry of a strip chart over a time window ending now: where each value falls on
// the plot, the ticks and labels of the axes, and where collections ran. Arithmetic on the
// values alone, so the page that shows it only draws what this says.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fw/Geometry.h"
#include "measure/TrendRing.h"
#include "measure/TrendScale.h"

struct TrendTick {
    int pos = 0;  // y on a value axis, x on the time axis
    std::string label;
};

struct TrendAxis {
    TrendScale scale;
    std::vector<TrendTick> ticks;
};

struct TrendMark {
    int x = 0;
    bool start = true;  // a collection started (or ended) here
};

class CTrendPlot {
  public:
    static constexpr int kAxisIntervals = 4;

    CTrendPlot(const fw::Rect& plot, int64_t nowMs, int64_t windowMs);

    const fw::Rect& Area() const { return plot_; }
    int XOf(double timeMs) const;
    int YOf(double value, const TrendScale& scale) const;

    // An axis around the finite values in range; nothing when there are none.
    std::optional<TrendAxis> AxisFor(const std::vector<TrendValue>& values) const;
    // The values as runs of joined points: a run ends where readings stopped for a while
    // or a value is over range or not finite.
    void Runs(const std::vector<TrendValue>& values, const TrendScale& scale,
              std::vector<std::vector<fw::Point>>& out) const;
    // Where values over range were read (drawn at the top of the plot).
    std::vector<int> OverRangeXs(const std::vector<TrendValue>& values) const;
    // From the window's start to now: "-15 min" … "now".
    std::vector<TrendTick> TimeTicks() const;
    std::vector<TrendMark> Marks(const std::vector<TrendValue>& values) const;
    // The spans (left x, right x) while a collection ran.
    std::vector<std::pair<int, int>> CollectionSpans(const std::vector<TrendValue>& values) const;

    // A tick label with the axis's decimals, in the C locale; "0" never shows as "-0".
    static std::string ValueLabel(double value, const TrendScale& scale);

  private:
    fw::Rect plot_;
    int64_t nowMs_;
    int64_t windowMs_;
};
