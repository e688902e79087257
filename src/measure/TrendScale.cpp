#include "measure/TrendScale.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest 1, 2 or 5 × 10^k that is at least `rough`.
double NiceStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= rough * (1 - 1e-12))
            return m * power;
    }
    return 10.0 * power;
}

// A flat line still needs an axis: a span of 1 % of the value (or 1 around zero).
double SpanFor(double value) {
    return value == 0.0 ? 1.0 : std::fabs(value) * 0.01;
}

}  // namespace

std::optional<TrendScale> NiceScale(double min, double max, int intervals) {
    if (!std::isfinite(min) || !std::isfinite(max) || intervals < 1)
        return std::nullopt;
    if (min > max)
        std::swap(min, max);
    if (max - min < SpanFor(max) * 1e-6) {
        const double half = SpanFor(max) / 2;
        min -= half;
        max += half;
    }
    // A span beyond the doubles (±1e308) has no step to draw.
    const double step = NiceStep((max - min) / intervals);
    if (!std::isfinite(step) || step <= 0.0)
        return std::nullopt;
    TrendScale scale;
    scale.step = step;
    // A bound already on a step stays there, so a value on the bound is still inside.
    scale.low = std::floor(min / step + 1e-9) * step;
    scale.high = std::ceil(max / step - 1e-9) * step;
    // Rounding the bounds out can need one step more than allowed: take the next size up.
    while ((scale.high - scale.low) / scale.step > intervals + 1e-9) {
        scale.step = NiceStep(scale.step * 1.01);
        scale.low = std::floor(min / scale.step + 1e-9) * scale.step;
        scale.high = std::ceil(max / scale.step - 1e-9) * scale.step;
    }
    if (!std::isfinite(scale.step) || !std::isfinite(scale.low) || !std::isfinite(scale.high))
        return std::nullopt;
    scale.decimals = std::max(0, int(-std::floor(std::log10(scale.step) + 1e-9)));
    return scale;
}
