#include "document/SeriesSummary.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "measure/SeriesStatistics.h"

namespace {

// A unit text, the family of units it converts within, and what one of it counts in the
// family's base (fA, pC, Gy, R; 1 for a unit of its own).
struct UnitScale {
    int unitId;
    char family;
    double factor;
};

constexpr UnitScale kUnitScales[] = {
    {292, 'A', 1e3}, {289, 'A', 1e6},                                       // pA, nA
    {294, 'C', 1.0}, {291, 'C', 1e3},  {351, 'C', 1e6},                     // pC, nC, µC
    {469, 'G', 1.0}, {470, 'G', 1e-2}, {541, 'G', 1e-3}, {542, 'G', 1e-6},  // Gy .. µGy
    {471, 'R', 1.0}, {472, 'R', 1e-3}, {556, 'R', 1e-6},                    // R, mR, µR
};

struct Reading {
    double base;       // the value in its family's base unit
    std::string unit;  // as the row shows it
    std::string family;
    int range;
};

struct Scale {
    std::string family;
    double factor = 1.0;
};

Scale ScaleOf(const std::string& unit) {
    for (const UnitScale& u : kUnitScales) {
        if (fw::LoadString(u.unitId) == unit)
            return {std::string(1, u.family), u.factor};
    }
    return {"=" + unit, 1.0};  // a unit no other converts into (a dose-rate unit, a ratio)
}

std::optional<double> ParseValue(const std::string& text) {
    double v = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v);
    if (error != std::errc() || stop != end || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool IsRatio(SeriesQuantity q) {
    return q == SeriesQuantity::RateRatio || q == SeriesQuantity::ChargeRatio ||
           q == SeriesQuantity::DoseRatio;
}

const std::string& ValueOf(const MEAS_INFO& r, SeriesSelection s) {
    const int ch = s.channel & 1;
    switch (s.quantity) {
        case SeriesQuantity::DoseRate:
            return r.DoseRate[ch];
        case SeriesQuantity::Charge:
            return r.Charge[ch];
        case SeriesQuantity::Dose:
            return r.Dose[ch];
        case SeriesQuantity::RateRatio:
            return r.RateRatio;
        case SeriesQuantity::ChargeRatio:
            return r.ChargeRatio;
        case SeriesQuantity::DoseRatio:
            return r.DoseRatio;
        case SeriesQuantity::Rate:
            break;
    }
    return r.Rate[ch];
}

std::string UnitOf(const MEAS_INFO& r, SeriesSelection s) {
    const int ch = s.channel & 1;
    switch (s.quantity) {
        case SeriesQuantity::Rate:
            return r.RateUnit[ch];
        case SeriesQuantity::DoseRate:
            return r.DoseRateUnit[ch];
        case SeriesQuantity::Charge:
            return r.ChargeUnit[ch];
        case SeriesQuantity::Dose:
            return r.DoseUnit[ch];
        default:
            return std::string();
    }
}

std::vector<Reading> ReadingsOf(const std::vector<MEAS_INFO>& rows, SeriesSelection s) {
    std::vector<Reading> readings;
    for (const MEAS_INFO& r : rows) {
        const std::optional<double> v = ParseValue(ValueOf(r, s));
        if (!v)
            continue;
        const std::string unit = UnitOf(r, s);
        const Scale scale = ScaleOf(unit);
        readings.push_back({*v * scale.factor, unit, scale.family, r.Range[s.channel & 1]});
    }
    return readings;
}

bool OneFamily(const std::vector<Reading>& readings) {
    for (const Reading& r : readings) {
        if (r.family != readings.front().family)
            return false;
    }
    return true;
}

// How the figures are written: in which unit, and by which of the instrument's rules.
enum class Digits { Stepped, FourSignificant, Ratio };
struct Presentation {
    std::string unit;
    double factor = 1.0;  // base units per shown unit
    Digits digits = Digits::FourSignificant;
};

Presentation PresentationFor(SeriesQuantity q, const Reading& last, double mean) {
    if (IsRatio(q))
        return {formatting::NotApplicable(), 1.0, Digits::Ratio};
    const Scale lastScale = ScaleOf(last.unit);
    if (q == SeriesQuantity::Rate)
        return {last.unit, lastScale.factor, Digits::Stepped};
    int unitId = 0;
    if (q == SeriesQuantity::Charge && last.family == "C")
        unitId = formatting::ChargeUnitFor(last.range == 1, std::fabs(mean)).unitId;
    else if (q == SeriesQuantity::Dose && (last.family == "G" || last.family == "R"))
        unitId = formatting::DoseUnitFor(last.family == "R", std::fabs(mean)).unitId;
    if (unitId == 0)
        return {last.unit, lastScale.factor, Digits::FourSignificant};
    const std::string unit = fw::LoadString(unitId);
    return {unit, ScaleOf(unit).factor,
            q == SeriesQuantity::Charge ? Digits::Stepped : Digits::FourSignificant};
}

std::string FigureText(double base, const Presentation& p) {
    const double shown = base / p.factor;
    if (!std::isfinite(shown))
        return formatting::OverRange();
    switch (p.digits) {
        case Digits::Stepped:
            return formatting::SteppedValue(base, p.factor);
        case Digits::Ratio:
            return formatting::RatioValue(shown);
        case Digits::FourSignificant:
            break;
    }
    return formatting::FourSignificant(shown);
}

SeriesSummary NothingToShow(size_t count, std::string unit) {
    const std::string na = formatting::NotApplicable();
    return {count, na, na, na, na, na, std::move(unit)};
}

}  // namespace

SeriesSummary SummariseSeries(const std::vector<MEAS_INFO>& rows, SeriesSelection selection) {
    const std::vector<Reading> readings = ReadingsOf(rows, selection);
    if (readings.empty())
        return NothingToShow(0, formatting::NotApplicable());
    const std::string lastUnit =
        IsRatio(selection.quantity) ? formatting::NotApplicable() : readings.back().unit;
    if (!OneFamily(readings))
        return NothingToShow(readings.size(), lastUnit);
    std::vector<double> values;
    values.reserve(readings.size());
    for (const Reading& r : readings)
        values.push_back(r.base);
    const SeriesStatistics s = ComputeSeriesStatistics(values);
    const Presentation p = PresentationFor(selection.quantity, readings.back(), s.mean);
    SeriesSummary out = NothingToShow(s.count, p.unit);
    out.mean = FigureText(s.mean, p);
    if (!s.standardDeviation)
        return out;
    out.standardDeviation = FigureText(*s.standardDeviation, p);
    out.minimum = FigureText(s.minimum, p);
    out.maximum = FigureText(s.maximum, p);
    if (const std::optional<double> cv = s.CoefficientOfVariation())
        out.coefficientOfVariation = formatting::FourSignificant(*cv);
    return out;
}

std::string SeriesQuantityName(SeriesQuantity quantity) {
    static const char* const kNames[] = {"Rate",       "Dose Rate",    "Charge",    "Dose",
                                         "Rate Ratio", "Charge Ratio", "Dose Ratio"};
    return kNames[static_cast<int>(quantity)];
}
