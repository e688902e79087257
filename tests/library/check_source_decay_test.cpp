// Radioactive decay of check sources: calendar day counts across leap years, daylight-saving
// changes and 2038, projections forward and backward against hand-computed values, and the
// sources that cannot be projected.
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "library/ActivityProjection.h"
#include "library_fixture.h"

namespace {

using checksrc::ActivityValueText;
using checksrc::CalendarDaysBetween;
using checksrc::ProjectActivity;

constexpr int kKBq = 0, kMBq = 1, kMicroCi = 2;

// The day counts must not depend on the local time zone: the instrument may run in one with
// daylight saving.
class InBerlin : public ::testing::Test {
    library_test::TimeZone zone_{"Europe/Berlin"};
};

SOURCE_INFO Source(const char* activity, const char* halfLife, DATE_YMD reference, int unit) {
    return library_test::Source("SN1", "Sr-90", halfLife, activity, reference,
                                static_cast<int16_t>(unit));
}

TEST_F(InBerlin, DaysAreCountedOnTheCalendar) {
    const std::tuple<DATE_YMD, DATE_YMD, int64_t, const char*> cases[] = {
        {{2024, 3, 31}, {2024, 4, 1}, 1, "spring change to summer time in Berlin"},
        {{2024, 2, 28}, {2024, 3, 1}, 2, "2024 is a leap year"},
        {{1900, 2, 28}, {1900, 3, 1}, 1, "1900 is not (divisible by 100)"},
        {{2000, 2, 28}, {2000, 3, 1}, 2, "2000 is (divisible by 400)"},
        {{2038, 1, 19}, {2038, 1, 20}, 1, "past the end of a 32-bit time_t"},
    };
    for (const auto& [from, to, days, why] : cases)
        EXPECT_EQ(CalendarDaysBetween(from, to), days) << why;
}

// Expected values by hand: f = 2.71828183^-((d / 365.25) x 0.693 / T); after the reference
// date A0 x f, before it A0 / f.
TEST_F(InBerlin, ProjectionsMatchHandComputedValues) {
    const std::tuple<SOURCE_INFO, DATE_YMD, const char*> cases[] = {
        // 1924 days: f = 0.500230
        {Source("100.000", "5.270", {2000, 1, 1}, kMBq), {2005, 4, 8}, "50.023 MBq"},
        // 365 days before: 100 / 0.500311, the decay law run backwards
        {Source("100.000", "1.000", {2021, 1, 1}, kMicroCi), {2020, 1, 2}, "199.876 µCi"},
        // 3818 days, after 2038
        {Source("10.000", "28.790", {2030, 1, 1}, kMBq), {2040, 6, 15}, "7.775 MBq"},
        // The reference date gives the reference activity.
        {Source("123.456", "0.500", {2016, 3, 5}, kKBq), {2016, 3, 5}, "123.456 kBq"},
    };
    for (const auto& [source, target, shown] : cases) {
        EXPECT_EQ(ActivityValueText(ProjectActivity(source, target), source.ActivityUnit), shown);
    }
}

TEST(ActivityProjection, SourcesThatCannotBeProjectedShowDashes) {
    const std::tuple<SOURCE_INFO, DATE_YMD, const char*> cases[] = {
        {Source("100.000", "0.000", {2020, 1, 1}, kKBq), {2021, 1, 1}, "a half-life of 0"},
        {Source("100.000", "nan", {2020, 1, 1}, kKBq), {2021, 1, 1}, "a half-life of NaN"},
        {Source("abc", "1.000", {2020, 1, 1}, kKBq), {2021, 1, 1}, "an activity of letters"},
        {Source("100.000", "1.000", {-1, -1, -1}, kKBq), {2021, 1, 1}, "no reference date"},
        {Source("100.000", "1.000", {1899, 12, 31}, kKBq), {2021, 1, 1}, "before 1900"},
        {Source("100.000", "1.000", {2023, 2, 29}, kKBq), {2024, 1, 1}, "no such day"},
        {Source("100.000", "1.000", {2020, 1, 1}, kKBq), {2021, 4, 31}, "target: no such day"},
    };
    for (const auto& [source, target, why] : cases)
        EXPECT_EQ(ActivityValueText(ProjectActivity(source, target), kKBq), "----") << why;
}

TEST(ActivityProjection, ResultsBeyondTheDoubleRangeShowOverRangeAndUnknownUnitsNoUnit) {
    // Ten years back with a half-life of 0.001 years: 1 / f = e^6930, beyond any double.
    const SOURCE_INFO s = Source("5.000", "0.001", {2030, 1, 1}, kMBq);
    EXPECT_EQ(ActivityValueText(ProjectActivity(s, {2020, 1, 1}), kMBq), "XXXXX");
    // The same source ten years on has decayed to nothing, which is a number.
    EXPECT_EQ(ActivityValueText(ProjectActivity(s, {2040, 1, 1}), kMBq), "0.000 MBq");
    EXPECT_EQ(ActivityValueText(std::numeric_limits<double>::quiet_NaN(), kMBq), "XXXXX");
    for (int unit : {-1, 4})
        EXPECT_EQ(ActivityValueText(1.5, unit), "1.500") << unit;
    EXPECT_EQ(ActivityValueText(1.5, 3), "1.500 mCi");
}

}  // namespace
