#include "measure/TrendRing.h"

#include <cmath>

namespace {

constexpr double kMsPerMinute = 60000.0;

int64_t SecondOf(int64_t ms) {
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

}  // namespace

void CTrendRing::Clear() {
    head_ = 0;
    count_ = 0;
    samples_ = 0;
    wasCollecting_ = false;
}

void CTrendRing::Append(int64_t nowMs, const TrendSample& sample) {
    if (count_ == 0 || Newest().second != SecondOf(nowMs))
        OpenPoint(SecondOf(nowMs), sample.doseUnitId);
    Accumulate(nowMs, sample);
}

void CTrendRing::OpenPoint(int64_t second, int doseUnitId) {
    if (count_ == kCapacity)
        head_ = (head_ + 1) % kCapacity;  // the oldest second makes room
    else
        ++count_;
    Newest() = TrendPoint{.second = second, .doseUnitId = doseUnitId};
    samples_ = 0;
    sumTimeMs_ = sumCurrent_ = sumDose_ = 0.0;
}

void CTrendRing::Accumulate(int64_t nowMs, const TrendSample& sample) {
    TrendPoint& p = Newest();
    ++samples_;
    sumTimeMs_ += double(nowMs);
    sumCurrent_ += sample.currentFa;
    sumDose_ += sample.doseRate;
    p.timeMs = sumTimeMs_ / samples_;
    p.currentFa = sumCurrent_ / samples_;
    p.doseRate = sumDose_ / samples_;
    if (sample.doseUnitId != p.doseUnitId)
        p.doseUnitId = 0;  // the unit changed within the second: no dose rate for it
    p.overRange = p.overRange || sample.overRange;
    p.collecting = p.collecting || sample.collecting;
    p.started = p.started || (sample.collecting && !wasCollecting_);
    p.ended = p.ended || (!sample.collecting && wasCollecting_);
    wasCollecting_ = sample.collecting;
}

void CTrendRing::Values(int64_t fromMs, int doseUnitId, std::vector<TrendValue>& out) const {
    out.clear();
    size_t first = count_;
    while (first > 0 && At(first - 1).timeMs > double(fromMs))
        --first;
    for (size_t i = first; i < count_; ++i) {
        const TrendPoint& p = At(i);
        if (doseUnitId != 0 && p.doseUnitId != doseUnitId)
            continue;
        out.push_back({p.timeMs, doseUnitId != 0 ? p.doseRate : p.currentFa, p.overRange,
                       p.collecting, p.started, p.ended});
    }
}

std::optional<double> DriftPercentPerMinute(const std::vector<TrendValue>& values) {
    if (values.size() < 2)
        return std::nullopt;
    double meanTime = 0.0, meanValue = 0.0;
    for (const TrendValue& v : values) {
        if (v.overRange || !std::isfinite(v.value))
            return std::nullopt;
        meanTime += v.timeMs;
        meanValue += v.value;
    }
    meanTime /= double(values.size());
    meanValue /= double(values.size());
    double sxy = 0.0, sxx = 0.0;
    for (const TrendValue& v : values) {
        const double t = (v.timeMs - meanTime) / kMsPerMinute;
        sxy += t * (v.value - meanValue);
        sxx += t * t;
    }
    if (meanValue == 0.0 || sxx == 0.0)
        return std::nullopt;
    const double drift = 100.0 * (sxy / sxx) / meanValue;
    return std::isfinite(drift) ? std::optional<double>(drift) : std::nullopt;
}
