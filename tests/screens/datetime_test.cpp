// Date and time: the stepping rules of the dialogs, the strip's texts and its once-a-minute
// redraw, and setting the instrument clock by taps.
#include "screens/CDatePickerDlg.h"
#include "screens/CDateTimeBar.h"
#include "screens/CSetDateTimeDlg.h"
#include "screens/DateColumns.h"
#include "support/ui_fixture.h"

namespace {

fw::LocalTime Date(int year, int month, int day, int hour = 0, int minute = 0) {
    return {.year = year, .month = month, .day = day, .hour = hour, .minute = minute};
}

// Days wrap at the month's length, months cut the day, years keep February real and stop at
// the lowest year (2000 here), and the time fields wrap both ways.
TEST(DateStepping, EachColumnWrapsOrCutsAsTheCalendarSays) {
    const struct {
        const char* why;
        fw::LocalTime from;
        int column, direction;  // day, month, year; up or down
        fw::LocalTime to;
    } cases[] = {
        {"leap February", Date(2024, 2, 28), 0, 1, Date(2024, 2, 29)},
        {"down from the 1st", Date(2024, 2, 1), 0, -1, Date(2024, 2, 29)},
        {"plain February", Date(2023, 2, 28), 0, 1, Date(2023, 2, 1)},
        {"April has 30", Date(2023, 4, 1), 0, -1, Date(2023, 4, 30)},
        {"31 Jan to February", Date(2023, 1, 31), 1, 1, Date(2023, 2, 28)},
        {"December up", Date(2024, 12, 15), 1, 1, Date(2024, 1, 15)},
        {"January down", Date(2024, 1, 15), 1, -1, Date(2024, 12, 15)},
        {"31 March down", Date(2024, 3, 31), 1, -1, Date(2024, 2, 29)},
        {"29 Feb a year on", Date(2024, 2, 29), 2, 1, Date(2025, 2, 28)},
        {"the lowest year", Date(2000, 6, 1), 2, -1, Date(2000, 6, 1)},
        {"down to it", Date(2001, 6, 1), 2, -1, Date(2000, 6, 1)},
    };
    for (const auto& c : cases) {
        fw::LocalTime t = c.from;
        datecols::StepDate(t, c.column, c.direction, 2000);
        EXPECT_EQ(t, c.to) << c.why;
    }
    fw::LocalTime t = Date(2024, 1, 1);
    datecols::HourStep(t, -1);
    datecols::MinuteStep(t, -1);
    EXPECT_EQ(t, Date(2024, 1, 1, 23, 59));
    datecols::MinuteStep(t, 1);
    EXPECT_EQ(t.minute, 0);
    EXPECT_TRUE(datecols::IsLeapYear(2000));
    EXPECT_FALSE(datecols::IsLeapYear(1900));
}

TEST(DateTimeBarTexts, TwelveAndTwentyFourHourTimesAndTheThreeDateFormats) {
    EXPECT_EQ(CDateTimeBar::TimeText(Date(2024, 7, 4, 0, 5), 0), "12:05 AM");
    EXPECT_EQ(CDateTimeBar::TimeText(Date(2024, 7, 4, 0, 5), 1), "00:05");
    EXPECT_EQ(CDateTimeBar::TimeText(Date(2024, 7, 4, 12, 0), 0), "12:00 PM");
    EXPECT_EQ(CDateTimeBar::TimeText(Date(2024, 7, 4, 13, 7), 0), "01:07 PM");
    EXPECT_EQ(CDateTimeBar::TimeText(Date(2024, 7, 4, 11, 7), 0), "11:07 AM");
    EXPECT_EQ(CDateTimeBar::DateText(Date(2024, 7, 4), 0), "07/04/2024");
    EXPECT_EQ(CDateTimeBar::DateText(Date(2024, 7, 4), 1), "04/07/2024");
    EXPECT_EQ(CDateTimeBar::DateText(Date(2024, 7, 4), 2), "20240704");
}

class DateTimeDialogs : public testing_support::UiFixture {
  protected:
    void ThenTapAt(const fw::Rect& r) {
        ThenDo([r] { testing_support::TouchCentreOf(r); });
    }
};

TEST_F(DateTimeDialogs, TheStripRedrawsOncePerMinuteNotEverySecond) {
    fw::Window panel;
    panel.Create(nullptr, fw::kScreenRect);
    CDateTimeBar bar;
    bar.Create(&panel, CDateTimeBar::DefaultRect(), CDateTimeBar::kId);
    bar.SetFormats(1, 2);
    EXPECT_TRUE(bar.Refresh(false));
    clock->Advance(1000 * (59 - fw::GetClock().Now().second));  // the last second of the minute
    EXPECT_FALSE(bar.Refresh(false));
    clock->Advance(1000);
    EXPECT_TRUE(bar.Refresh(false));
    EXPECT_TRUE(bar.Refresh(true));
}

// The date step, then the time step; Back returns to the date with the time kept.
TEST_F(DateTimeDialogs, SettingDateAndTimeMovesTheInstrumentClockAndCancelDoesNot) {
    const fw::LocalTime before = fw::GetClock().Now();
    const fw::Rect area = CSetDateTimeDlg::ColumnsArea();
    CSetDateTimeDlg cancelled;
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 1));
    ThenTapAt(CSetDateTimeDlg::CancelRect());
    EXPECT_EQ(cancelled.DoModal(), fw::kIdCancel);
    EXPECT_EQ(fw::GetClock().Now(), before);

    CSetDateTimeDlg dialog;
    ThenDo([this] { Screenshot("datetime_set_date.png"); });
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 2));  // year + 1
    ThenTapAt(CSetDateTimeDlg::NextRect());
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 0));  // hour + 1
    ThenTapAt(CSetDateTimeDlg::BackRect());
    ThenTapAt(CSetDateTimeDlg::NextRect());
    ThenTapAt(CSetDateTimeDlg::NextRect());  // Finish
    ASSERT_EQ(dialog.DoModal(), fw::kIdOk);
    const fw::LocalTime after = fw::GetClock().Now();
    EXPECT_EQ(after.year, before.year + 1);
    EXPECT_EQ(after.hour, (before.hour + 1) % 24);
    EXPECT_EQ(after.minute, before.minute);
}

// An invalid preset becomes today; a step from 31 January lands on 29 February.
TEST_F(DateTimeDialogs, PickerReplacesAnInvalidPresetAndCutsTheDay) {
    const fw::LocalTime today = fw::GetClock().Now();
    CDatePickerDlg invalid("Date", 2024, 2, 30);
    EXPECT_EQ(Date(invalid.Year(), invalid.Month(), invalid.Day()),
              Date(today.year, today.month, today.day));
    CDatePickerDlg picker("Calibration Date", 2024, 1, 31);
    ThenDo([this] { Screenshot("datetime_picker.png"); });
    ThenTapAt(datecols::UpDownColumns::UpRect(CDatePickerDlg::ColumnsArea(), 1));
    ThenTapAt(CDatePickerDlg::OkRect());
    ASSERT_EQ(picker.DoModal(), fw::kIdOk);
    EXPECT_EQ(Date(picker.Year(), picker.Month(), picker.Day()), Date(2024, 2, 29));
}

}  // namespace
