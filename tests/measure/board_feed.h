#pragma once
// The conversion factors, and the main-board handler's part for channel 1: one reading per
// packet, a rate every fifth packet outside a zeroing and, while collecting, a charge step every
// tenth.
#include "measure/Filter.h"

// The instrument's conversion factors written out, so a mistyped digit in the code shows.
inline constexpr double kLowPerSum = 0.000254183144240708;
inline constexpr double kHighPerSum = 0.2544373273849487;
inline constexpr double kLowPerReading = 0.06100395461776992;
inline constexpr double kHighPerReading = 61.06495857238769;

inline double PerReading(int range) {
    return range == 0 ? kLowPerReading : kHighPerReading;
}

struct BoardFeed {
    CFilter& f;
    int range;
    bool collecting = false;
    int tenths = 0;

    void Send(int packets, uint32_t count, uint32_t temp = 0) {
        for (int i = 0; i < packets; ++i) {
            f.AddSample(0, range, collecting, count, temp);
            if (collecting && ++tenths == 10) {
                tenths = 0;
                f.AccumulateCharge(0, range);
            }
            if (++f.SampleCount == 5 && !f.Zeroing) {
                f.ComputeRate(0, range);
            }
        }
    }
};
