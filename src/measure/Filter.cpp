#include "measure/Filter.h"

#include <cmath>

#include "measure/Saturate.h"

using namespace measure;

namespace {

bool IsChannel(int ch) {
    return ch == 0 || ch == 1;
}

bool IsValidReading(uint32_t count) {
    return count >= kMinValidReading && count <= kMaxValidReading;
}

// Wraps with >= so that a window left over from the other range can never index past it.
uint8_t NextIndex(uint8_t i, uint8_t length) {
    return static_cast<uint8_t>(i + 1 >= length ? 0 : i + 1);
}

// Replaces the oldest reading and offset of the window and adds the new window sum to the
// block of this rate period.
void SlideWindow(FILTER_CHANNEL& c, const RangeConstants& k, uint32_t count, uint32_t off) {
    const uint8_t i = c.RingIndex;
    c.CountSum = c.CountSum - c.CountRing[i] + count;
    c.OffsetSum = c.OffsetSum - c.OffsetRing[i] + off;
    c.CountRing[i] = count;
    c.OffsetRing[i] = off;
    c.RingIndex = NextIndex(i, k.windowLength);
    c.Blocks[c.BlockIndex] += static_cast<int64_t>(c.CountSum >> k.blockShift);
}

// The blocks hold kReadingsPerRate window sums each; scaled, they weigh 240 readings.
int64_t ReadingSum240(const FILTER_CHANNEL& c, const RangeConstants& k) {
    int64_t sum = 0;
    for (int b = 0; b < k.blockCount; ++b) {
        sum += c.Blocks[b];
    }
    return sum * k.sumScale;
}

int64_t OffsetSum240(const FILTER_CHANNEL& c, const RangeConstants& k) {
    return static_cast<int64_t>(c.OffsetSum) * k.offsetNum / k.offsetDen;
}

// Windows and blocks as if every reading so far had been `zeroReading`.
void FillWindows(FILTER_CHANNEL& c, const RangeConstants& k, uint32_t zeroReading, uint32_t off) {
    for (int i = 0; i < k.windowLength; ++i) {
        c.CountRing[i] = zeroReading;
        c.OffsetRing[i] = off;
    }
    c.CountSum = uint64_t{k.windowLength} * zeroReading;
    c.OffsetSum = uint64_t{k.windowLength} * off;
    for (int b = 0; b < k.blockCount; ++b) {
        c.Blocks[b] = kReadingsPerRate * static_cast<int64_t>(c.CountSum >> k.blockShift);
    }
    c.Blocks[0] = 0;  // the period now starting fills it
}

void ClearResults(FILTER_CHANNEL& c) {
    c.Rate = 0.0;
    c.Charge = 0.0;
    c.ChargeRaw = 0.0;
    c.Dose = 0.0;
    c.DoseCorrected = 0.0;
    c.RingIndex = 0;
    c.BlockIndex = 0;
    c.ChargeCountSum = 0;
    c.ChargeOffsetSum = 0;
    c.TempSum = 0;
}

double TemperatureOf(uint32_t tempSum) {
    return (tempSum * kTempScale - kTempOffset) / kTempSlope;
}

void UpdateRateDose(FILTER_CHANNEL& c, const RANGE_CAL& cal) {
    if (c.DoseMode != kDoseFromRate) {
        return;
    }
    c.Dose = c.Rate * c.CalCoefficient * cal.RateCF / 1000.0;
    c.DoseCorrected = c.Dose * c.TPFactor;
}

void UpdateChargeDose(FILTER_CHANNEL& c, const RANGE_CAL& cal) {
    if (c.DoseMode != kDoseFromCharge) {
        return;
    }
    c.Dose = c.Charge * c.CalCoefficient * cal.ChrgCF;
    c.DoseCorrected = c.Dose * c.TPFactor;
}

// Counts of a trigger threshold away from the zero-current reading.
int64_t ThresholdCounts(double pa, const RANGE_CAL& cal, int range) {
    const double faPerReading = -ConstantsFor(range).faPerReading;
    return TruncToUint32(((pa * 1000.0) / faPerReading) * cal.Gain * cal.RateCF);
}

}  // namespace

CFilter::CFilter() {
    // The calibration blocks already hold their defaults here, so the baseline the
    // windows start from is the converter's mid-scale until the settings are loaded.
    ResetChannel(0, kRangeLow);
    ResetChannel(1, kRangeLow);
}

void CFilter::AddSample(int ch, int range, bool collecting, uint32_t count, uint32_t temp) {
    if (!IsChannel(ch)) {
        return;
    }
    FILTER_CHANNEL& c = Chan[ch];
    c.OverRange = !IsValidReading(count);
    if (c.OverRange && collecting) {
        c.OverRangeLatched = true;
    }
    c.LastCount = count;
    const uint32_t off = OffsetCounts(ch, range);
    c.LastOffset = off;
    if (Zeroing) {
        // The windows stay frozen while the zero counts are measured.
        ZeroSumCounts[ch] += count;
        ZeroSumOffsets[ch] += off;
        return;
    }
    if (collecting) {
        c.ChargeCountSum += count;
        c.ChargeOffsetSum += off;
    }
    SlideWindow(c, ConstantsFor(range), count, off);
    c.TempSum += temp;  // modulo 2^32, as the board's word minus 0x800000 is
}

void CFilter::ComputeRate(int ch, int range) {
    if (!IsChannel(ch)) {
        return;
    }
    FILTER_CHANNEL& c = Chan[ch];
    const RangeConstants& k = ConstantsFor(range);
    const RANGE_CAL& cal = Cal[ch].ForRange(range);
    const int64_t sum = ReadingSum240(c, k);
    const int64_t x = sum - OffsetSum240(c, k) - cal.Zero;
    c.Rate = (static_cast<double>(x) * k.faPerSumCount) * cal.Gain;
    c.MeanCount = ClampToInt32(sum / kSumWeight);
    UpdateRateDose(c, cal);
    c.BlockIndex = NextIndex(c.BlockIndex, k.blockCount);
    c.Blocks[c.BlockIndex] = 0;
    SampleCount = 0;
    c.Temperature = TemperatureOf(c.TempSum);
    c.TempSum = 0;
}

double CFilter::InstantValue(int ch, int range, uint32_t count) {
    if (!IsChannel(ch)) {
        return 0.0;
    }
    FILTER_CHANNEL& c = Chan[ch];
    const RANGE_CAL& cal = Cal[ch].ForRange(range);
    const int64_t x = int64_t{count} - cal.Zero / kSumWeight - int64_t{c.LastOffset};
    c.Instant = cal.Gain * (static_cast<double>(x) * ConstantsFor(range).faPerReading);
    return c.Instant;
}

void CFilter::AccumulateCharge(int ch, int range) {
    if (!IsChannel(ch)) {
        return;
    }
    FILTER_CHANNEL& c = Chan[ch];
    const RANGE_CAL& cal = Cal[ch].ForRange(range);
    const int64_t x =
        kChargeStepScale * c.ChargeCountSum - cal.Zero - kChargeStepScale * c.ChargeOffsetSum;
    c.ChargeRaw += static_cast<double>(x) * ConstantsFor(range).faPerSumCount;
    c.Charge = cal.Gain * c.ChargeRaw / 1000.0;
    // Written so that a charge that is not a number counts as over its limit too.
    if (!(std::abs(c.Charge) <= kChargeLimitPc)) {
        c.OverRangeLatched = true;
    }
    UpdateChargeDose(c, cal);
    c.ChargeCountSum = 0;
    c.ChargeOffsetSum = 0;
}

void CFilter::ResetCharge() {
    for (FILTER_CHANNEL& c : Chan) {
        c.Charge = 0.0;
        c.ChargeRaw = 0.0;
        c.ChargeCountSum = 0;
        c.ChargeOffsetSum = 0;
        c.OverRangeLatched = false;
        if (c.DoseMode == kDoseFromCharge) {
            c.Dose = 0.0;
            c.DoseCorrected = 0.0;
        }
    }
}

void CFilter::ResetChannel(int ch, int range) {
    if (!IsChannel(ch)) {
        return;
    }
    FILTER_CHANNEL& c = Chan[ch];
    ClearResults(c);
    SampleCount = 0;
    if (c.Temperature == 0.0) {
        c.Temperature = kDefaultTemperature;  // never computed yet
    }
    const uint32_t off = OffsetCounts(ch, range);
    const int64_t zeroReading = Cal[ch].ForRange(range).Zero / kSumWeight + int64_t{off};
    FillWindows(c, ConstantsFor(range), ClampToUint32(zeroReading), off);
}

void CFilter::SetZero(int range1, int range2) {
    StoreZero(0, range1);
    StoreZero(1, range2);
}

void CFilter::StoreZero(int ch, int range) {
    if (range != kRangeLow && range != kRangeHigh) {
        return;
    }
    Cal[ch].ForRange(range).Zero = ClampToInt32(ZeroSumCounts[ch] - ZeroSumOffsets[ch]);
}

uint32_t CFilter::OffsetCounts(int ch, int range) const {
    if (!IsChannel(ch)) {
        return 0;
    }
    return BaselineCounts(Cal[ch].ForRange(range), Chan[ch].Temperature);
}

void CFilter::TriggerLevels(double startPa, double stopPa, int range) {
    const RANGE_CAL& cal = Cal[0].ForRange(range);
    const int64_t base = cal.Zero / kSumWeight + int64_t{Chan[0].LastOffset};
    const int64_t start = ThresholdCounts(startPa, cal, range);
    const int64_t stop = ThresholdCounts(stopPa, cal, range);
    // Saturated, not wrapped: a threshold beyond the scale must not turn into a level
    // that every reading passes at once or none ever reaches.
    StartHigh = ClampToUint32(base + start);
    StartLow = ClampToUint32(base - start);
    StopHigh = ClampToUint32(base + stop);
    StopLow = ClampToUint32(base - stop);
}
