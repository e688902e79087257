#include "measure/Calibration.h"

#include "measure/Saturate.h"

namespace measure {

uint32_t BaselineCounts(const RANGE_CAL& cal, double celsius) {
    // Term by term as written rather than Horner's scheme: a different rounding could move
    // the truncated count by one.
    const double t = celsius;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    return TruncToUint32(cal.E + cal.A * t4 + cal.B * t3 + cal.C * t2 + cal.D * t);
}

}  // namespace measure
