#include "library/ActivityProjection.h"

#include <cmath>

#include "document/Formatting.h"
#include "fw/Clock.h"
#include "fw/Resources.h"
#include "settings/NumberText.h"

namespace checksrc {

namespace {

constexpr int kUnitTextIds[] = {207, 208, 209, 210};
constexpr int kUnitCount = 4;
constexpr const char* kOverRangeText = "XXXXX";
constexpr const char* kNotApplicableText = "----";

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The stored texts were written "%0.3f"; anything else in them means the record is damaged.
std::optional<double> StoredNumber(const std::string& text) {
    return settings::ParseFiniteDouble(text);
}

}  // namespace

bool IsProjectableDate(int year, int month, int day) {
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12)
        return false;
    return day >= 1 && day <= DaysInMonth(year, month);
}

int64_t CalendarDaysBetween(const DATE_YMD& from, const DATE_YMD& to) {
    return fw::DaysSinceEpoch(to.Year, to.Month, to.Day) -
           fw::DaysSinceEpoch(from.Year, from.Month, from.Day);
}

std::optional<double> ProjectActivity(const SOURCE_INFO& source, const DATE_YMD& date) {
    const std::optional<double> a0 = StoredNumber(source.Activity);
    const std::optional<double> halfLife = StoredNumber(source.HalfLife);
    const DATE_YMD& ref = source.ActivityDate;
    if (!a0 || !halfLife || !(*halfLife > 0))
        return std::nullopt;
    if (!IsProjectableDate(ref.Year, ref.Month, ref.Day) ||
        !IsProjectableDate(date.Year, date.Month, date.Day))
        return std::nullopt;
    const int64_t days = CalendarDaysBetween(ref, date);
    if (days == 0)
        return *a0;
    const double years = static_cast<double>(std::llabs(days)) / kDaysPerYear;
    const double f = std::pow(kEuler, -(years * kLn2 / *halfLife));
    // The same law both ways: before the reference date the source was stronger by 1/f.
    return days > 0 ? *a0 * f : *a0 / f;
}

std::string ActivityUnitText(int unit) {
    if (unit < 0 || unit >= kUnitCount)
        return "";
    return fw::LoadString(kUnitTextIds[unit]);
}

std::string ActivityValueText(const std::optional<double>& activity, int unit) {
    if (!activity)
        return kNotApplicableText;
    if (!std::isfinite(*activity))
        return kOverRangeText;
    const std::string number = formatting::Fixed(*activity, 3);
    const std::string unitText = ActivityUnitText(unit);
    return unitText.empty() ? number : number + " " + unitText;
}

}  // namespace checksrc
