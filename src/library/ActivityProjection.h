#pragma once
// Radioactive decay of a check source: its activity on any calendar date from the activity
// on its reference date and its half-life. The constants are those the instrument has always
// used (e to eight decimals, 0.693 for ln 2, 365.25 days a year), so projections agree with
// readings taken on earlier instruments.
#include <cstdint>
#include <optional>
#include <string>

#include "store/RecordDate.h"
#include "store/SourceInfo.h"

namespace checksrc {

inline constexpr double kEuler = 2.71828183;
inline constexpr double kLn2 = 0.693;
inline constexpr double kDaysPerYear = 365.25;
// Dates outside these years are not projected (the store keeps 16-bit years).
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 9999;

// A calendar date from kFirstYear to kLastYear (the Gregorian leap rules).
bool IsProjectableDate(int year, int month, int day);

// Whole calendar days from `from` to `to` (negative when `to` lies before `from`). Counted
// on the calendar, not from local-time seconds, so a daylight-saving change loses no day.
int64_t CalendarDaysBetween(const DATE_YMD& from, const DATE_YMD& to);

// The activity of `source` on `date`, in the source's own unit. Nothing when the source
// cannot be projected: activity or half-life not a number, a half-life not above 0, or a
// date that is no calendar date from 1900 on. The result may be infinite for absurd inputs.
std::optional<double> ProjectActivity(const SOURCE_INFO& source, const DATE_YMD& date);

// "kBq", "MBq", "µCi", "mCi"; empty for an index outside the table.
std::string ActivityUnitText(int unit);

// "%0.3f %s" of a projection and its unit; "XXXXX" for a non-finite result and "----" when
// nothing could be projected.
std::string ActivityValueText(const std::optional<double>& activity, int unit);

}  // namespace checksrc
