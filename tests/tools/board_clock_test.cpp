// The simulated board's clock: held for tests, moved by the instrument's SetDateTime only to a
// real date, and the dates its command line takes.
#include <gtest/gtest.h>

#include "boardsim/BoardClock.h"
#include "support/board_date.h"

namespace {

using boardsim::BoardClock;
using testing_support::kBoardTestDate;

TEST(BoardClock, HeldItAnswersTheSameDateAndTakesOnlyRealDates) {
    BoardClock clock;
    ASSERT_TRUE(clock.Hold(kBoardTestDate));
    // Monday 14 March 2016 12:00:00: weekday 2 (1 = Sunday), year byte 16.
    const std::array<uint8_t, 7> testDate{0, 0, 12, 2, 14, 3, 16};
    EXPECT_EQ(clock.Payload(), testDate);
    const uint8_t noDate[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x2F};
    const uint8_t february30[7] = {0, 0, 0, 1, 30, 2, 16};
    EXPECT_FALSE(clock.SetFromPayload(noDate));
    EXPECT_FALSE(clock.SetFromPayload(february30));
    EXPECT_EQ(clock.Payload(), testDate);
    const uint8_t newYear[7] = {30, 45, 23, 4, 31, 12, 25};  // Wednesday 2025-12-31 23:45:30
    ASSERT_TRUE(clock.SetFromPayload(newYear));
    EXPECT_EQ(clock.Payload(), (std::array<uint8_t, 7>{30, 45, 23, 4, 31, 12, 25}));
    EXPECT_FALSE(clock.Set({2016, 13, 0, 1, 0, 0, 0, 0}));
}

TEST(BoardClock, DatesOnTheCommandLine) {
    struct Case {
        const char* text;
        bool valid;
        fw::LocalTime expected;
    };
    const Case cases[] = {
        {"2016-03-14", true, {2016, 3, 1, 14, 0, 0, 0, 0}},
        {"2024-02-29 23:59:58", true, {2024, 2, 4, 29, 23, 59, 58, 0}},
        {"2023-02-29", false, {}},
        {"2016-03-14T25:00", false, {}},
        {"2016-03-14T12", false, {}},
        {"2016-03-14T12:00:00junk", false, {}},
    };
    for (const Case& c : cases) {
        const std::optional<fw::LocalTime> t = boardsim::ParseBoardDate(c.text);
        ASSERT_EQ(t.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(*t, c.expected) << c.text;
        }
    }
}

}  // namespace
