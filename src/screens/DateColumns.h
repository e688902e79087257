#pragma once
// What the date and time dialogs share: the stepping rules of day, month, year, hour, minute
// and second, and the three columns of caption, up button, value and down button.
#include <array>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "fw/Clock.h"

namespace datecols {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Day up: +1 up to the month's length, then 1. Day down: 1 goes to the month's length.
void DayUp(fw::LocalTime& t);
void DayDown(fw::LocalTime& t);
// Months wrap 12 -> 1 and 1 -> 12; the day is cut to the new month's length.
void MonthUp(fw::LocalTime& t);
void MonthDown(fw::LocalTime& t);
// Years move by one; a February day past the new year's length becomes its last day. Year
// down stops at `lowestYear`.
void YearUp(fw::LocalTime& t);
void YearDown(fw::LocalTime& t, int lowestYear);
// Hours 0..23, minutes and seconds 0..59, wrapping both ways.
void HourStep(fw::LocalTime& t, int delta);
void MinuteStep(fw::LocalTime& t, int delta);
void SecondStep(fw::LocalTime& t, int delta);

// One step of the date page: column 0 day, 1 month, 2 year; `direction` +1 or -1.
void StepDate(fw::LocalTime& t, int column, int direction, int lowestYear);

// The values of the date page as shown: day and month "%02d", the year "%d".
std::array<std::string, 3> DateValues(const fw::LocalTime& t);

// The dialogs' place on the panel (195 x 167 dialog units, centred), where their three
// columns stand, and their buttons' row (`slot` of `slots` from the left).
inline constexpr fw::Rect kDialogRect{150, 94, 490, 386};
fw::Rect ColumnsArea();
fw::Rect ButtonRect(int slot, int slots);
// The title line at the top of a dialog, and the look of its buttons.
void CreateTitle(CLabel& title, fw::Window* dialog, int id, const std::string& text);
void StyleButton(CBttn& button);

// Control ids of the three columns, left to right.
inline constexpr std::array<int, 3> kUpIds{1220, 1136, 1146};
inline constexpr std::array<int, 3> kDownIds{1134, 1138, 1142};
inline constexpr std::array<int, 3> kCaptionIds{1226, 1256, 1260};

// Three columns of caption, up button, value and down button on a dialog.
class UpDownColumns {
  public:
    void Create(fw::Window* dialog, const fw::Rect& area);
    void SetCaptions(const std::array<std::string, 3>& captions);
    void SetValues(const std::array<std::string, 3>& values);
    // The column whose up (+1) or down (-1) button has `commandId`; false for other ids.
    bool Decode(int commandId, int& column, int& direction) const;

    static fw::Rect UpRect(const fw::Rect& area, int column);
    static fw::Rect DownRect(const fw::Rect& area, int column);

  private:
    std::array<CLabel, 3> captions_;
    std::array<CBttn, 3> ups_;
    std::array<CLabel, 3> values_;
    std::array<CBttn, 3> downs_;
};

}  // namespace datecols
