#include "screens/CDatePickerDlg.h"

#include "controls/ControlColors.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace {

constexpr fw::Rect kArea = datecols::kDialogRect;

fw::Rect ButtonRect(int slot) {
    const int width = (kArea.Width() - 30) / 2;
    const int left = kArea.left + 10 + slot * (width + 10);
    return fw::Rect{left, kArea.bottom - 56, left + width, kArea.bottom - 10};
}

}  // namespace

CDatePickerDlg::CDatePickerDlg(std::string title, int year, int month, int day)
    : titleText_(std::move(title)) {
    fw::LocalTime preset{};
    preset.year = year;
    preset.month = month;
    preset.day = day;
    value_ = fw::IsValidLocalTime(preset) ? preset : fw::GetClock().Now();
    value_.hour = value_.minute = value_.second = value_.milliseconds = 0;
}

fw::Rect CDatePickerDlg::ColumnsArea() {
    return fw::Rect{kArea.left + 12, kArea.top + 44, kArea.right - 12, kArea.bottom - 64};
}
fw::Rect CDatePickerDlg::OkRect() {
    return ButtonRect(0);
}
fw::Rect CDatePickerDlg::CancelRect() {
    return ButtonRect(1);
}

void CDatePickerDlg::OnInitDialog() {
    Create(nullptr, kArea);
    title_.Create(this, fw::Rect{kArea.left + 10, kArea.top + 8, kArea.right - 10, kArea.top + 40},
                  kIdTitle, titleText_);
    title_.SetBkColor(controls::kDialogBackground);
    title_.SetTextColor(fw::colors::kWhite);
    title_.SetFontHeight(22);
    title_.SetBold(true);
    columns_.Create(this, ColumnsArea());
    columns_.SetCaptions({"Day", "Month", "Year"});
    ok_.Create(this, OkRect(), kIdOk, fw::LoadString(136));
    cancel_.Create(this, CancelRect(), kIdCancel, fw::LoadString(137));
    for (CBttn* b : {&ok_, &cancel_}) {
        b->SetBkColor(controls::kActionButton);
        b->SetTextColor(fw::colors::kWhite);
    }
    ShowValues();
}

void CDatePickerDlg::ShowValues() {
    columns_.SetValues({fw::StringPrintf("%02d", value_.day),
                        fw::StringPrintf("%02d", value_.month),
                        fw::StringPrintf("%d", value_.year)});
    Invalidate();
}

void CDatePickerDlg::Step(int column, int direction) {
    fw::LocalTime next = value_;
    if (column == 0)
        direction > 0 ? datecols::DayUp(next) : datecols::DayDown(next);
    else if (column == 1)
        direction > 0 ? datecols::MonthUp(next) : datecols::MonthDown(next);
    else
        direction > 0 ? datecols::YearUp(next) : datecols::YearDown(next, kLowestYear);
    if (!fw::IsValidLocalTime(next))
        return;
    value_ = next;
    ShowValues();
}

bool CDatePickerDlg::OnDialogCommand(int commandId, fw::Window*) {
    int column = 0;
    int direction = 0;
    if (columns_.Decode(commandId, column, direction)) {
        Step(column, direction);
        return true;
    }
    if (commandId == kIdOk || commandId == kIdCancel) {
        Finish(commandId == kIdOk ? fw::kIdOk : fw::kIdCancel);
        return true;
    }
    return false;
}
