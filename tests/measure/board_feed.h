#pragma once
// Plays the main-board handler's part for channel 1: one reading per packet, a rate every
// fifth packet outside a zeroing and, while collecting, a charge step every tenth.
#include "measure/Filter.h"

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
