#include "screens/DateColumns.h"

#include "controls/ControlColors.h"
#include "fw/Text.h"

namespace datecols {
namespace {

constexpr int kColumnGap = 8;
constexpr int kRowHeight = 40;

int Wrap(int value, int lowest, int highest) {
    const int span = highest - lowest + 1;
    return lowest + ((value - lowest) % span + span) % span;
}

void CutDayToMonth(fw::LocalTime& t) {
    const int last = DaysInMonth(t.year, t.month);
    if (t.day > last)
        t.day = last;
}

fw::Rect Cell(const fw::Rect& area, int column, int row) {
    const int width = (area.Width() - 2 * kColumnGap) / 3;
    const int left = area.left + column * (width + kColumnGap);
    const int top = area.top + row * kRowHeight;
    return fw::Rect{left, top, left + width, top + kRowHeight - 4};
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void DayUp(fw::LocalTime& t) {
    t.day = t.day >= DaysInMonth(t.year, t.month) ? 1 : t.day + 1;
}

void DayDown(fw::LocalTime& t) {
    t.day = t.day <= 1 ? DaysInMonth(t.year, t.month) : t.day - 1;
}

void MonthUp(fw::LocalTime& t) {
    t.month = Wrap(t.month + 1, 1, 12);
    CutDayToMonth(t);
}

void MonthDown(fw::LocalTime& t) {
    t.month = Wrap(t.month - 1, 1, 12);
    CutDayToMonth(t);
}

void YearUp(fw::LocalTime& t) {
    ++t.year;
    CutDayToMonth(t);
}

void YearDown(fw::LocalTime& t, int lowestYear) {
    if (t.year <= lowestYear)
        return;
    --t.year;
    CutDayToMonth(t);
}

void HourStep(fw::LocalTime& t, int delta) {
    t.hour = Wrap(t.hour + delta, 0, 23);
}

void MinuteStep(fw::LocalTime& t, int delta) {
    t.minute = Wrap(t.minute + delta, 0, 59);
}

void SecondStep(fw::LocalTime& t, int delta) {
    t.second = Wrap(t.second + delta, 0, 59);
}

void StepDate(fw::LocalTime& t, int column, int direction, int lowestYear) {
    if (column == 0)
        direction > 0 ? DayUp(t) : DayDown(t);
    else if (column == 1)
        direction > 0 ? MonthUp(t) : MonthDown(t);
    else
        direction > 0 ? YearUp(t) : YearDown(t, lowestYear);
}

std::array<std::string, 3> DateValues(const fw::LocalTime& t) {
    return {fw::StringPrintf("%02d", t.day), fw::StringPrintf("%02d", t.month),
            fw::StringPrintf("%d", t.year)};
}

fw::Rect ColumnsArea() {
    return fw::Rect{kDialogRect.left + 12, kDialogRect.top + 44, kDialogRect.right - 12,
                    kDialogRect.bottom - 64};
}

fw::Rect ButtonRect(int slot, int slots) {
    const int width = (kDialogRect.Width() - 10 * (slots + 1)) / slots;
    const int left = kDialogRect.left + 10 + slot * (width + 10);
    return fw::Rect{left, kDialogRect.bottom - 56, left + width, kDialogRect.bottom - 10};
}

void CreateTitle(CLabel& title, fw::Window* dialog, int id, const std::string& text) {
    const fw::Rect r = kDialogRect;
    title.Create(dialog, fw::Rect{r.left + 10, r.top + 8, r.right - 10, r.top + 40}, id, text);
    title.SetBkColor(controls::kDialogBackground);
    title.SetTextColor(fw::colors::kWhite);
    title.SetFontHeight(22);
    title.SetBold(true);
}

void StyleButton(CBttn& button) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
}

fw::Rect UpDownColumns::UpRect(const fw::Rect& area, int column) {
    return Cell(area, column, 1);
}

fw::Rect UpDownColumns::DownRect(const fw::Rect& area, int column) {
    return Cell(area, column, 3);
}

void UpDownColumns::Create(fw::Window* dialog, const fw::Rect& area) {
    for (int c = 0; c < 3; ++c) {
        captions_[c].Create(dialog, Cell(area, c, 0), kCaptionIds[c]);
        ups_[c].Create(dialog, UpRect(area, c), kUpIds[c], "\xE2\x96\xB2");  // ▲
        values_[c].Create(dialog, Cell(area, c, 2));
        downs_[c].Create(dialog, DownRect(area, c), kDownIds[c], "\xE2\x96\xBC");  // ▼
        captions_[c].SetBkColor(controls::kDialogBackground);
        captions_[c].SetTextColor(fw::colors::kWhite);
        captions_[c].SetFontHeight(18);
        values_[c].SetFontHeight(22);
        values_[c].SetBold(true);
    }
}

void UpDownColumns::SetCaptions(const std::array<std::string, 3>& captions) {
    for (int c = 0; c < 3; ++c)
        captions_[c].SetText(captions[c]);
}

void UpDownColumns::SetValues(const std::array<std::string, 3>& values) {
    for (int c = 0; c < 3; ++c)
        values_[c].SetText(values[c]);
}

bool UpDownColumns::Decode(int commandId, int& column, int& direction) const {
    for (int c = 0; c < 3; ++c) {
        if (commandId == kUpIds[c] || commandId == kDownIds[c]) {
            column = c;
            direction = commandId == kUpIds[c] ? 1 : -1;
            return true;
        }
    }
    return false;
}

}  // namespace datecols
