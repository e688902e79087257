#pragma once
// Narrowing that never leaves the target range: a calibration typed in by hand or sent by a
// remote computer may make any intermediate value negative, huge or NaN.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace measure {

// Truncates toward zero; negative values and NaN give 0, values beyond the top give the top.
inline uint32_t TruncToUint32(double v) {
    if (!(v > 0.0)) {
        return 0;
    }
    if (v >= 4294967296.0) {
        return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(v);
}

inline uint32_t ClampToUint32(int64_t v) {
    return static_cast<uint32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<uint32_t>::max()));
}

inline int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace measure
