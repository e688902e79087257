// Date and time: the stepping rules of the dialogs, the strip's texts and its once-a-minute
// redraw, and setting the instrument clock by taps.
#include "screens/CDatePickerDlg.h"
#include "screens/CDateTimeBar.h"
#include "screens/CSetDateTimeDlg.h"
#include "screens/DateColumns.h"
#include "support/UiFixture.h"

namespace {

fw::LocalTime Date(int year, int month, int day) {
    fw::LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    return t;
}

fw::Point Centre(const fw::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(DateStepping, DaysWrapAtTheMonthsLengthWithLeapFebruary) {
    fw::LocalTime t = Date(2024, 2, 28);
    datecols::DayUp(t);
    EXPECT_EQ(t.day, 29);
    datecols::DayUp(t);
    EXPECT_EQ(t.day, 1);
    datecols::DayDown(t);
    EXPECT_EQ(t.day, 29);
    t = Date(2023, 2, 28);
    datecols::DayUp(t);
    EXPECT_EQ(t.day, 1);
    t = Date(2023, 4, 1);
    datecols::DayDown(t);
    EXPECT_EQ(t.day, 30);
}

TEST(DateStepping, MonthsWrapAndCutTheDay) {
    fw::LocalTime t = Date(2023, 1, 31);
    datecols::MonthUp(t);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 28);
    t = Date(2024, 1, 31);
    datecols::MonthUp(t);
    EXPECT_EQ(t.day, 29);
    t = Date(2024, 12, 15);
    datecols::MonthUp(t);
    EXPECT_EQ(t.month, 1);
    datecols::MonthDown(t);
    EXPECT_EQ(t.month, 12);
    t = Date(2024, 3, 31);
    datecols::MonthDown(t);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
}

TEST(DateStepping, YearsKeepFebruaryRealAndStopAtTheLowestYear) {
    fw::LocalTime t = Date(2024, 2, 29);
    datecols::YearUp(t);
    EXPECT_EQ(t.year, 2025);
    EXPECT_EQ(t.day, 28);
    t = Date(2000, 6, 1);
    datecols::YearDown(t, 2000);
    EXPECT_EQ(t.year, 2000);
    t = Date(2001, 6, 1);
    datecols::YearDown(t, 2000);
    EXPECT_EQ(t.year, 2000);
    EXPECT_TRUE(datecols::IsLeapYear(2000));
    EXPECT_FALSE(datecols::IsLeapYear(1900));
}

TEST(DateStepping, TimeFieldsWrapBothWays) {
    fw::LocalTime t = Date(2024, 1, 1);
    datecols::HourStep(t, -1);
    EXPECT_EQ(t.hour, 23);
    datecols::HourStep(t, 1);
    EXPECT_EQ(t.hour, 0);
    t.minute = 59;
    datecols::MinuteStep(t, 1);
    EXPECT_EQ(t.minute, 0);
    datecols::SecondStep(t, -1);
    EXPECT_EQ(t.second, 59);
}

TEST(DateTimeBarTexts, TwelveAndTwentyFourHourTimes) {
    fw::LocalTime t = Date(2024, 7, 4);
    t.hour = 0;
    t.minute = 5;
    EXPECT_EQ(CDateTimeBar::TimeText(t, 0), "12:05 AM");
    EXPECT_EQ(CDateTimeBar::TimeText(t, 1), "00:05");
    t.hour = 12;
    t.minute = 0;
    EXPECT_EQ(CDateTimeBar::TimeText(t, 0), "12:00 PM");
    t.hour = 13;
    t.minute = 7;
    EXPECT_EQ(CDateTimeBar::TimeText(t, 0), "01:07 PM");
    t.hour = 11;
    EXPECT_EQ(CDateTimeBar::TimeText(t, 0), "11:07 AM");
}

TEST(DateTimeBarTexts, TheThreeDateFormats) {
    const fw::LocalTime t = Date(2024, 7, 4);
    EXPECT_EQ(CDateTimeBar::DateText(t, 0), "07/04/2024");
    EXPECT_EQ(CDateTimeBar::DateText(t, 1), "04/07/2024");
    EXPECT_EQ(CDateTimeBar::DateText(t, 2), "20240704");
}

class DateTimeDialogs : public testing_support::UiFixture {
  protected:
    void ThenTapAt(const fw::Rect& r) {
        const fw::Point p = Centre(r);
        ThenTap(p.x, p.y);
    }
};

TEST_F(DateTimeDialogs, TheStripRedrawsOncePerMinuteNotEverySecond) {
    fw::Window panel;
    panel.Create(nullptr, fw::kScreenRect);
    CDateTimeBar bar;
    bar.Create(&panel, CDateTimeBar::DefaultRect(), CDateTimeBar::kId);
    bar.SetFormats(1, 2);
    EXPECT_TRUE(bar.Refresh(false));
    const int afterFirst = bar.RedrawCount();
    const int secondsLeft = 60 - fw::GetClock().Now().second;
    for (int s = 1; s < secondsLeft; ++s) {
        clock->Advance(1000);
        EXPECT_FALSE(bar.Refresh(false));
    }
    clock->Advance(1000);
    EXPECT_TRUE(bar.Refresh(false));
    EXPECT_EQ(bar.RedrawCount(), afterFirst + 1);
    EXPECT_TRUE(bar.Refresh(true));
}

TEST_F(DateTimeDialogs, SettingDateAndTimeMovesTheInstrumentClock) {
    const fw::LocalTime before = fw::GetClock().Now();
    CSetDateTimeDlg dialog;
    const fw::Rect area = CSetDateTimeDlg::ColumnsArea();
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("Set Date"));
        EXPECT_TRUE(ScreenHasText("Next ->"));
        Screenshot("datetime_set_date.png");
    });
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 2));  // year + 1
    ThenTapAt(CSetDateTimeDlg::NextRect());
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("Set Time"));
        EXPECT_TRUE(ScreenHasText("Finish"));
    });
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 0));  // hour + 1
    ThenTapAt(CSetDateTimeDlg::BackRect());
    script->Then([this] { EXPECT_TRUE(ScreenHasText("Set Date")); });
    ThenTapAt(CSetDateTimeDlg::NextRect());
    ThenTapAt(CSetDateTimeDlg::NextRect());  // Finish
    ASSERT_EQ(dialog.DoModal(), fw::kIdOk);

    const fw::LocalTime after = fw::GetClock().Now();
    EXPECT_EQ(after.year, before.year + 1);
    EXPECT_EQ(after.hour, (before.hour + 1) % 24);
    EXPECT_EQ(after.minute, before.minute);
}

TEST_F(DateTimeDialogs, CancelLeavesTheClockAlone) {
    const fw::LocalTime before = fw::GetClock().Now();
    CSetDateTimeDlg dialog;
    ThenTapAt(datecols::UpDownColumns::UpRect(CSetDateTimeDlg::ColumnsArea(), 1));
    ThenTapAt(CSetDateTimeDlg::CancelRect());
    EXPECT_EQ(dialog.DoModal(), fw::kIdCancel);
    EXPECT_EQ(fw::GetClock().Now(), before);
}

TEST_F(DateTimeDialogs, PickerReturnsTheSteppedDateAndReplacesAnInvalidPreset) {
    CDatePickerDlg picker("Calibration Date", 2024, 1, 31);
    const fw::Rect area = CDatePickerDlg::ColumnsArea();
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("31"));
        EXPECT_TRUE(ScreenHasText("Calibration Date"));
        Screenshot("datetime_picker.png");
    });
    ThenTapAt(datecols::UpDownColumns::UpRect(area, 1));  // February: day cut to 29
    ThenTapAt(CDatePickerDlg::OkRect());
    ASSERT_EQ(picker.DoModal(), fw::kIdOk);
    EXPECT_EQ(picker.Year(), 2024);
    EXPECT_EQ(picker.Month(), 2);
    EXPECT_EQ(picker.Day(), 29);

    const fw::LocalTime today = fw::GetClock().Now();
    CDatePickerDlg invalid("Date", 2024, 2, 30);
    EXPECT_EQ(invalid.Year(), today.year);
    EXPECT_EQ(invalid.Month(), today.month);
    EXPECT_EQ(invalid.Day(), today.day);
}

}  // namespace
