// Statistics texts of one column of the data list: the rows' units converted into one
// another, the figures in the unit and digits the instrument shows such a reading with, and
// "----" wherever a figure does not apply.
#include "document/SeriesSummary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
    const char* value;
    const char* unit;
    int range = 0;
};

std::vector<MEAS_INFO> RowsOf(SeriesQuantity q, const std::vector<Row>& rows, int ch) {
    std::vector<MEAS_INFO> list;
    for (const Row& r : rows) {
        MEAS_INFO m;
        m.Range[ch] = r.range;
        switch (q) {
            case SeriesQuantity::Rate:
                m.Rate[ch] = r.value, m.RateUnit[ch] = r.unit;
                break;
            case SeriesQuantity::DoseRate:
                m.DoseRate[ch] = r.value, m.DoseRateUnit[ch] = r.unit;
                break;
            case SeriesQuantity::Charge:
                m.Charge[ch] = r.value, m.ChargeUnit[ch] = r.unit;
                break;
            case SeriesQuantity::Dose:
                m.Dose[ch] = r.value, m.DoseUnit[ch] = r.unit;
                break;
            default:
                m.ChargeRatio = r.value;
                break;
        }
        list.push_back(m);
    }
    return list;
}

TEST(SeriesSummary, FiguresInTheRowsUnitsAndDigits) {
    const std::string na = "----";
    const struct {
        const char* name;
        SeriesQuantity quantity;
        std::vector<Row> rows;
        SeriesSummary expected;  // count, mean, s, CV, min, max, unit
    } kCases[] = {
        // By hand: mean 1.236, s 0.002, CV 0.16181 %.
        {"pA rates",
         SeriesQuantity::Rate,
         {{"1.234", "pA"}, {"1.236", "pA"}, {"1.238", "pA"}},
         {3, "1.236", "0.002", "0.162", "1.234", "1.238", "pA"}},
        // 500 pA and 1.5 nA: mean 1.0 nA, s 0.70711 nA, shown in the last row's nA.
        {"ranges mixed",
         SeriesQuantity::Rate,
         {{"500.0", "pA"}, {"1.500", "nA", 1}},
         {2, "1.000", "0.707", "70.71", "0.500", "1.500", "nA"}},
        // Cut as the rows are: 1234.5 nA keeps "1234."
        {"large rates cut",
         SeriesQuantity::Rate,
         {{"1234.", "nA", 1}, {"1235.", "nA", 1}},
         {2, "1234.", "0.707", "0.057", "1234.", "1235.", "nA"}},
        // 999 pC and 1.001 nC on the Low range: mean 1000 pC is shown in nC.
        {"pC into nC",
         SeriesQuantity::Charge,
         {{"999.0", "pC"}, {"1.001", "nC"}},
         {2, "1.000", "0.001", "0.141", "0.999", "1.001", "nC"}},
        // The High range shows no pC: a mean of 600 pC reads 0.600 nC.
        {"High range charge",
         SeriesQuantity::Charge,
         {{"0.500", "nC", 1}, {"0.700", "nC", 1}},
         {2, "0.600", "0.141", "23.57", "0.500", "0.700", "nC"}},
        // 5 mGy and 2.5 cGy: mean 15 mGy shows as 1.500 cGy; s 14.142 mGy, CV 94.281 %.
        {"doses in Gy units",
         SeriesQuantity::Dose,
         {{"5.000", "mGy"}, {"2.500", "cGy"}},
         {2, "1.500", "1.414", "94.28", "0.500", "2.500", "cGy"}},
        {"doses in Gy and R",
         SeriesQuantity::Dose,
         {{"5.000", "mGy"}, {"5.000", "mR"}},
         {2, na, na, na, na, na, "mR"}},
        {"dose rate unit of its own",
         SeriesQuantity::DoseRate,
         {{"12.34", "Gym^2/(h*A)"}, {"12.36", "Gym^2/(h*A)"}},
         {2, "12.35", "0.014", "0.115", "12.34", "12.36", "Gym^2/(h*A)"}},
        {"mean of zero has no CV",
         SeriesQuantity::Rate,
         {{"-1.000", "pA"}, {"1.000", "pA"}},
         {2, "0.000", "1.414", na, "-1.000", "1.000", "pA"}},
        {"no readings among the rows",
         SeriesQuantity::Rate,
         {{"XXXXX", "pA"}, {"----", "----"}},
         {0, na, na, na, na, na, na}},
        {"one reading",
         SeriesQuantity::Rate,
         {{"XXXXX", "pA"}, {"2.000", "pA"}},
         {1, "2.000", na, na, na, na, "pA"}},
        // Ratios 0.998, 1.002: mean 1.000, s 0.0028284, CV 0.28284 %.
        {"ratios have no unit",
         SeriesQuantity::ChargeRatio,
         {{"0.998", ""}, {"1.002", ""}},
         {2, "1.000", "0.003", "0.283", "0.998", "1.002", na}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        for (int ch : {0, 1}) {
            const SeriesSummary s =
                SummariseSeries(RowsOf(c.quantity, c.rows, ch), {ch, c.quantity});
            const SeriesSummary& e = c.expected;
            EXPECT_EQ(s.count, e.count);
            EXPECT_EQ(s.mean, e.mean);
            EXPECT_EQ(s.standardDeviation, e.standardDeviation);
            EXPECT_EQ(s.coefficientOfVariation, e.coefficientOfVariation);
            EXPECT_EQ(s.minimum, e.minimum);
            EXPECT_EQ(s.maximum, e.maximum);
            EXPECT_EQ(s.unit, e.unit);
        }
    }
}

}  // namespace
