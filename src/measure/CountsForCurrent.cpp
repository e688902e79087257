#include "measure/CountsForCurrent.h"

#include <algorithm>
#include <cmath>

#include "measure/Saturate.h"

namespace measure {

uint32_t CountsForCurrent(const RANGE_CAL& cal, int range, double currentFa, double celsius) {
    double counts = std::round(currentFa / (ConstantsFor(range).faPerReading * cal.Gain));
    if (std::isnan(counts)) {
        counts = 0.0;
    }
    const double reading = static_cast<double>(BaselineCounts(cal, celsius)) + counts;
    return std::min(TruncToUint32(reading), kMaxAdcReading);
}

uint32_t TemperatureWordFor(double celsius) {
    constexpr uint32_t kMidScale = 0x800000;
    const double sum = (celsius * kTempSlope + kTempOffset) / kTempScale;
    const uint32_t word = TruncToUint32(std::round(sum / kReadingsPerRate));
    return kMidScale + std::min(word, UINT32_MAX - kMidScale);
}

}  // namespace measure
