// Statistics texts of a column: units converted within their family, shown in the unit and
// digits the instrument shows such a reading with, "----" where a figure does not apply.
#include "document/SeriesSummary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "n mean s CV min max unit" of rows of (value, unit, range), as channel 2's column `q`.
std::string Summary(SeriesQuantity q, const std::vector<std::vector<std::string>>& rows) {
    std::vector<MEAS_INFO> list(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        MEAS_INFO& m = list[i];
        m.Range[1] = rows[i].size() > 2 ? 1 : 0;
        std::string* fields[][2] = {{&m.Rate[1], &m.RateUnit[1]},
                                    {&m.DoseRate[1], &m.DoseRateUnit[1]},
                                    {&m.Charge[1], &m.ChargeUnit[1]},
                                    {&m.Dose[1], &m.DoseUnit[1]},
                                    {&m.RateRatio, &m.RateUnit[0]}};
        *fields[int(q)][0] = rows[i][0];
        *fields[int(q)][1] = rows[i][1];
    }
    const SeriesSummary s = SummariseSeries(list, {1, q});
    return std::to_string(s.count) + " " + s.mean + " " + s.standardDeviation + " " +
           s.coefficientOfVariation + " " + s.minimum + " " + s.maximum + " " + s.unit;
}

TEST(SeriesSummary, FiguresInTheRowsUnitsAndDigits) {
    using Q = SeriesQuantity;
    const struct {
        Q q;
        std::vector<std::vector<std::string>> rows;  // a third entry: High range
        const char* expected;
    } kCases[] = {
        // 500 pA and 1.5 nA: mean 1 nA, s 0.70711 nA, in the last row's unit.
        {Q::Rate, {{"500.0", "pA"}, {"1.500", "nA", "H"}}, "2 1.000 0.707 70.71 0.500 1.500 nA"},
        // 999 pC and 1.001 nC on the Low range: a mean of 1000 pC shows in nC.
        {Q::Charge, {{"999.0", "pC"}, {"1.001", "nC"}}, "2 1.000 0.001 0.141 0.999 1.001 nC"},
        // 5 mGy and 2.5 cGy: mean 15 mGy shows as 1.500 cGy, s 1.4142 cGy, CV 94.281 %.
        {Q::Dose, {{"5.000", "mGy"}, {"2.500", "cGy"}}, "2 1.500 1.414 94.28 0.500 2.500 cGy"},
        {Q::Dose, {{"5.000", "mGy"}, {"5.000", "mR"}}, "2 ---- ---- ---- ---- ---- mR"},
        {Q::DoseRate,
         {{"12.34", "Gym^2/(h*A)"}, {"12.36", "Gym^2/(h*A)"}},
         "2 12.35 0.014 0.115 12.34 12.36 Gym^2/(h*A)"},
        {Q::Rate, {{"-1.000", "pA"}, {"1.000", "pA"}}, "2 0.000 1.414 ---- -1.000 1.000 pA"},
        {Q::Rate, {{"XXXXX", "pA"}, {"2.000", "pA"}}, "1 2.000 ---- ---- ---- ---- pA"},
        // A mean of -0.2 fA rounds to nothing: shown without a minus sign, as the rows are.
        {Q::Rate, {{"-0.001", "pA"}, {"0.0006", "pA"}}, "2 0.000 0.001 565.7 -0.001 0.001 pA"},
        {Q::RateRatio, {{"0.998", ""}, {"1.002", ""}}, "2 1.000 0.003 0.283 0.998 1.002 ----"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Summary(c.q, c.rows), c.expected) << c.rows[0][0];
}

}  // namespace
