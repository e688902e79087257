#pragma once
// The strip-chart memory of one channel: one point a second over the last quarter of an
// hour, in a fixed ring that never grows, fed with every rate the readings give. A point
// holds the means of its second's rates and what happened during it (over range, a
// collection running, started or ended).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One rate of a channel as the document computes it.
struct TrendSample {
    double currentFa = 0.0;
    double doseRate = 0.0;  // in the unit doseUnitId names
    int doseUnitId = 0;     // 0: the channel measures no dose rate
    bool overRange = false;
    bool collecting = false;
};

// One second of samples.
struct TrendPoint {
    int64_t second = 0;   // the clock's second
    double timeMs = 0.0;  // the mean time of its samples
    double currentFa = 0.0;
    double doseRate = 0.0;
    int doseUnitId = 0;  // 0 unless every sample of the second had a dose rate in one unit
    bool overRange = false;
    bool collecting = false;
    bool started = false;  // a collection started during the second
    bool ended = false;
};

// One point of the quantity a chart shows.
struct TrendValue {
    double timeMs = 0.0;
    double value = 0.0;
    bool overRange = false;
    bool collecting = false;
    bool started = false;
    bool ended = false;
};

class CTrendRing {
  public:
    static constexpr size_t kCapacity = 15 * 60;  // seconds

    // O(1): adds the sample to the point of its second, opening a new point (and dropping
    // the oldest once full) when the second changed.
    void Append(int64_t nowMs, const TrendSample& sample);
    void Clear();

    size_t Size() const { return count_; }
    // Point `i`, oldest first.
    const TrendPoint& At(size_t i) const { return points_[(head_ + i) % kCapacity]; }

    // The points later than `fromMs`, oldest first, into `out` (cleared first): the current
    // in fA when `doseUnitId` is 0, else the dose rate of the seconds measured in that unit.
    void Values(int64_t fromMs, int doseUnitId, std::vector<TrendValue>& out) const;

  private:
    TrendPoint& Newest() { return points_[(head_ + count_ - 1) % kCapacity]; }
    void OpenPoint(int64_t second, int doseUnitId);
    void Accumulate(int64_t nowMs, const TrendSample& sample);

    std::array<TrendPoint, kCapacity> points_{};
    size_t head_ = 0;  // the oldest point
    size_t count_ = 0;
    // Sums of the newest point's samples.
    int samples_ = 0;
    double sumTimeMs_ = 0.0;
    double sumCurrent_ = 0.0;
    double sumDose_ = 0.0;
    bool wasCollecting_ = false;
};

// The least-squares slope of the values over time as a share of their mean, in % per
// minute; nothing with fewer than two points, a mean of 0, all points at one time, or any
// value over range or not finite.
std::optional<double> DriftPercentPerMinute(const std::vector<TrendValue>& values);
