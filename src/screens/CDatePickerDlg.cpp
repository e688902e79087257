#include "screens/CDatePickerDlg.h"

#include "fw/Resources.h"

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
    return datecols::ColumnsArea();
}
fw::Rect CDatePickerDlg::OkRect() {
    return datecols::ButtonRect(0, 2);
}
fw::Rect CDatePickerDlg::CancelRect() {
    return datecols::ButtonRect(1, 2);
}

void CDatePickerDlg::OnInitDialog() {
    Create(nullptr, datecols::kDialogRect);
    datecols::CreateTitle(title_, this, kIdTitle, titleText_);
    columns_.Create(this, ColumnsArea());
    columns_.SetCaptions({"Day", "Month", "Year"});
    ok_.Create(this, OkRect(), kIdOk, fw::LoadString(136));
    cancel_.Create(this, CancelRect(), kIdCancel, fw::LoadString(137));
    datecols::StyleButton(ok_);
    datecols::StyleButton(cancel_);
    ShowValues();
}

void CDatePickerDlg::ShowValues() {
    columns_.SetValues(datecols::DateValues(value_));
    Invalidate();
}

void CDatePickerDlg::Step(int column, int direction) {
    fw::LocalTime next = value_;
    datecols::StepDate(next, column, direction, kLowestYear);
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
