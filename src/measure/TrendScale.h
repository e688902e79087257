#pragma once
// A chart axis that reads well: bounds and tick step on 1, 2 or 5 times a power of ten,
// around the values it has to show.
#include <optional>

struct TrendScale {
    double low = 0.0;
    double high = 1.0;
    double step = 1.0;
    int decimals = 0;  // what a tick label needs to tell its neighbours apart
};

// An axis holding min..max (either order) in at most `intervals` steps; a single value gets
// a small span around itself. Nothing for bounds that are not finite or intervals < 1.
std::optional<TrendScale> NiceScale(double min, double max, int intervals);
