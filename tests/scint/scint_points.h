#pragma once
// Point sets for the baseline tests, written as (blue, green) pairs in pC.
#include <initializer_list>
#include <utility>

#include "scint/BaselineCalculation.h"

namespace scint_test {

inline scint::PointSet Points(std::initializer_list<std::pair<double, double>> values) {
    scint::PointSet set;
    for (auto [blue, green] : values) {
        SCINT_MMNT p;
        p.Blue = blue;
        p.Green = green;
        set.push_back(p);
    }
    return set;
}

}  // namespace scint_test
