#include "library/ChamberEntries.h"

#include <cmath>
#include <limits>

#include "controls/NumberEntry.h"
#include "document/Formatting.h"
#include "fw/Clock.h"
#include "fw/Text.h"

namespace chamber_entry {
namespace {

constexpr int kDueYears = 2;

// A whole number within [minimum, maximum], or nothing.
std::optional<long> WholeNumberWithin(const std::string& text, long minimum, long maximum) {
    std::optional<double> v = ParseEntry(text);
    if (!v || *v != std::floor(*v) || *v < double(minimum) || *v > double(maximum))
        return std::nullopt;
    return long(*v);
}

}  // namespace

CHAMBER_CAL NewChamberRecord() {
    CHAMBER_CAL cal;
    ClearCalibration(cal);
    return cal;
}

void ClearCalibration(CHAMBER_CAL& cal) {
    cal.BeamIsotope.clear();
    cal.Aion.clear();
    cal.CoefMantissa = kNotEntered;
    cal.CoefExponent = 0;
    cal.CalMode = kNotEntered;
    cal.Polarity = kNotEntered;
}

MantissaEntry ParseMantissa(const std::string& text) {
    std::optional<double> v = ParseEntry(text);
    if (!v || *v < 0)
        return {};
    if (*v > kMaxMantissa)
        return {MantissaCheck::kTooLarge, 0};
    // Rounded, not truncated: 1.001 × 1000 is 1000.9999… in binary.
    return {MantissaCheck::kAccepted, static_cast<int16_t>(std::lround(*v * 1000.0))};
}

std::optional<int16_t> ParseExponent(const std::string& text) {
    std::optional<long> v = WholeNumberWithin(text, kMinExponent, kMaxExponent);
    if (!v)
        return std::nullopt;
    return static_cast<int16_t>(*v);
}

std::optional<int16_t> ParsePolarity(const std::string& text) {
    std::optional<long> v = WholeNumberWithin(text, std::numeric_limits<int16_t>::min(),
                                              std::numeric_limits<int16_t>::max());
    if (!v)
        return std::nullopt;
    return static_cast<int16_t>(*v);
}

std::optional<std::string> ParseAion(const std::string& text) {
    std::optional<double> v = ParseEntry(text);
    if (!v)
        return std::nullopt;
    return formatting::Fixed(*v, 3);
}

bool IsValidDate(const DATE_YMD& date) {
    fw::LocalTime t{};
    t.year = date.Year;
    t.month = date.Month;
    t.day = date.Day;
    return fw::IsValidLocalTime(t);
}

DATE_YMD DueDateTwoYearsOn(const DATE_YMD& reportDate) {
    DATE_YMD due = reportDate;
    due.Year = static_cast<int16_t>(reportDate.Year + kDueYears);
    if (!IsValidDate(due))
        due.Day = static_cast<int16_t>(due.Day - 1);
    return due;
}

}  // namespace chamber_entry
