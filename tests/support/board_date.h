#pragma once
// The date the simulated board's clock holds in every test: Monday 14 March 2016, 12:00:00,
// so screens, rows and screenshots read the same whenever the tests run.
#include "fw/Clock.h"

namespace testing_support {

inline constexpr fw::LocalTime kBoardTestDate{2016, 3, 1, 14, 12, 0, 0, 0};

}  // namespace testing_support
