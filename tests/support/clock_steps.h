#pragma once
// Moves a manual clock on by `ms`, stopping at every timer that falls due on the way so each
// fires at its own moment, and handling what became ready after each.
#include "fw/Clock.h"
#include "fw/EventLoop.h"

namespace testing_support {

inline void AdvanceWithTimers(fw::ManualClock& clock, int64_t ms) {
    const int64_t target = clock.NowMs() + ms;
    fw::Loop().ProcessReady();
    while (true) {
        int64_t next = fw::Loop().MsUntilNextTimer();
        if (next < 0 || clock.NowMs() + next > target)
            break;
        clock.Advance(next);
        fw::Loop().ProcessReady();
    }
    clock.Advance(target - clock.NowMs());
    fw::Loop().ProcessReady();
}

}  // namespace testing_support
