// The baseline arithmetic: set statistics and the CLR and gain from the set averages,
// including the inputs whose factors would be infinite or rounding noise.
#include <gtest/gtest.h>
#include <tuple>

#include <cmath>
#include <limits>

#include "scint/BaselineCalculation.h"
#include "scint/scint_fixture.h"

namespace {

using scint::PointSet;
using scint::PointSets;
using scint_test::Points;

PointSets Sets(PointSet tenByTen, PointSet minFiber, PointSet maxFiber) {
    return {std::move(tenByTen), std::move(minFiber), std::move(maxFiber)};
}

// The worked sets: averages 901/201, 1000/250 and 1400/450.
PointSets WorkedSets() {
    return Sets(Points({{905, 198}, {895, 202}, {903, 203}}),
                Points({{998, 249}, {1000, 250}, {1002, 251}}), Points({{1390, 440}, {1410, 460}}));
}

TEST(BaselineStatistics, SampleDeviationInTwoPassesAndPlaceholdersBelowTwoPoints) {
    const std::tuple<PointSet, std::array<std::string, 4>> cases[] = {
        {WorkedSets()[0], {"901.000", "201.000", "5.292", "2.646"}},
        // One pass (Σx² − n·x̄²) loses every digit of the spread here and goes negative.
        {Points({{123456789.001, 5}, {123456789.002, 5}, {123456790.003, 5}}),
         {"123456789.335", "5.000", "0.578", "0.000"}},
        {Points({{7, 3}}), {"----", "----", "----", "----"}},
    };
    for (const auto& [points, texts] : cases) {
        SCOPED_TRACE(texts[0]);
        EXPECT_EQ(scint::StatisticsTexts(scint::ComputeStatistics(points)), texts);
    }
}

TEST(BaselineCalculation, FactorsOfTheWorkedSets) {
    auto relative = scint::CalculateBaseline(WorkedSets(), scint::kDoseTypeRelative, 1.0);
    ASSERT_TRUE(relative);
    EXPECT_NEAR(relative->CLR, 2.0, 1e-12);
    EXPECT_NEAR(relative->ScintGain, 0.002, 1e-12);
    auto dose = scint::CalculateBaseline(WorkedSets(), scint::kDoseTypeDose, 2.5);
    ASSERT_TRUE(dose);
    EXPECT_NEAR(dose->ScintGain, 2.5 / 499.0, 1e-12);  // 0.00501
    // Blue and green swapped in polarity: a negative gain is a valid baseline.
    PointSets reversed = WorkedSets();
    for (PointSet& set : reversed) {
        for (SCINT_MMNT& p : set)
            p.Blue = -p.Blue, p.Green = -p.Green;
    }
    auto negative = scint::CalculateBaseline(reversed, scint::kDoseTypeRelative, 1.0);
    ASSERT_TRUE(negative);
    EXPECT_NEAR(negative->ScintGain, -0.002, 1e-12);
}

TEST(BaselineCalculation, RefusesInputsWithoutAMeaningfulGain) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    PointSets noDoseSet = WorkedSets();
    noDoseSet[0].clear();
    const std::tuple<const char*, PointSets, int, double> cases[] = {
        {"rounding residue in the divisor",
         Sets({}, Points({{461.1, 153.7}}), Points({{1228.5, 409.5}})), 0, 1.0},
        {"green averages equal but for rounding",
         Sets({}, Points({{1000, 250.3}, {1000, 250.3}, {1000, 250.3}}), Points({{1400, 250.3}})),
         0, 1.0},
        {"equal blue averages", Sets({}, Points({{1000, 250}}), Points({{1000, 450}})), 0, 1.0},
        {"empty 40x40 max set", Sets({}, Points({{1000, 250}}), {}), 0, 1.0},
        {"dose without its 10x10 set", noDoseSet, 1, 2.0},
        {"dose of 0", WorkedSets(), 1, 0.0},
        {"infinite dose", WorkedSets(), 1, inf},
        {"infinite CLR", Sets({}, Points({{1000, 1e-300}}), Points({{1e308, 2e-300}})), 0, 1.0},
        {"point not a number", Sets({}, Points({{nan, 250}}), Points({{1400, 450}})), 0, 1.0},
        {"gain rounds to 0", WorkedSets(), 1, std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& [what, sets, type, dose] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(scint::CalculateBaseline(sets, type, dose));
    }
}

TEST(BaselineTexts, UnitLookupStaysInsideTheTable) {
    EXPECT_EQ(scint::DoseTypeText(1, 2), "Dose(cGy)");
    EXPECT_EQ(scint::DoseTypeText(0, -1), "Relative");
    EXPECT_EQ(scint::DoseUnitName(5), "----");
    EXPECT_EQ(scint::DoseTypeText(1, -1), "Dose(----)");
}

}  // namespace
