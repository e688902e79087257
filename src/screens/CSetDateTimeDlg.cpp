#include "screens/CSetDateTimeDlg.h"

#include "controls/ControlColors.h"
#include "fw/Resources.h"
#include "fw/Text.h"

fw::Rect CSetDateTimeDlg::ColumnsArea() {
    return datecols::ColumnsArea();
}
fw::Rect CSetDateTimeDlg::BackRect() {
    return datecols::ButtonRect(0, 3);
}
fw::Rect CSetDateTimeDlg::NextRect() {
    return datecols::ButtonRect(1, 3);
}
fw::Rect CSetDateTimeDlg::CancelRect() {
    return datecols::ButtonRect(2, 3);
}

void CSetDateTimeDlg::OnInitDialog() {
    Create(nullptr, datecols::kDialogRect);
    datecols::CreateTitle(title_, this, kIdTitle, "");
    columns_.Create(this, ColumnsArea());
    back_.Create(this, BackRect(), kIdBack, "<- Back");
    next_.Create(this, NextRect(), kIdNext);
    cancel_.Create(this, CancelRect(), kIdCancel, fw::LoadString(137));
    for (CBttn* b : {&back_, &next_, &cancel_})
        datecols::StyleButton(*b);
    value_ = fw::GetClock().Now();
    value_.milliseconds = 0;
    ShowPage(kDatePage);
}

void CSetDateTimeDlg::ShowPage(Page page) {
    page_ = page;
    const bool date = page == kDatePage;
    title_.SetText(date ? "Set Date" : "Set Time");
    columns_.SetCaptions(date ? std::array<std::string, 3>{"Day", "Month", "Year"}
                              : std::array<std::string, 3>{"Hour", "Minute", "Second"});
    next_.SetCaption(date ? "Next ->" : "Finish");
    back_.Enable(!date);
    back_.SetTextColor(date ? controls::kDisabled : fw::colors::kWhite);
    ShowValues();
}

void CSetDateTimeDlg::ShowValues() {
    if (page_ == kDatePage) {
        columns_.SetValues(datecols::DateValues(value_));
    } else {
        columns_.SetValues({fw::StringPrintf("%02d", value_.hour),
                            fw::StringPrintf("%02d", value_.minute),
                            fw::StringPrintf("%02d", value_.second)});
    }
    Invalidate();
}

void CSetDateTimeDlg::Step(int column, int direction) {
    fw::LocalTime next = value_;
    if (page_ == kDatePage) {
        datecols::StepDate(next, column, direction, kLowestYear);
    } else if (column == 0) {
        datecols::HourStep(next, direction);
    } else if (column == 1) {
        datecols::MinuteStep(next, direction);
    } else {
        datecols::SecondStep(next, direction);
    }
    // A change that does not give a real calendar time is not kept.
    if (!fw::IsValidLocalTime(next))
        return;
    value_ = next;
    value_.dayOfWeek = fw::DayOfWeek(value_.year, value_.month, value_.day);
    ShowValues();
}

void CSetDateTimeDlg::OnNext() {
    if (page_ == kDatePage) {
        ShowPage(kTimePage);
        return;
    }
    if (fw::GetClock().SetLocalTime(value_))
        Finish(fw::kIdOk);
}

bool CSetDateTimeDlg::OnDialogCommand(int commandId, fw::Window*) {
    int column = 0;
    int direction = 0;
    if (columns_.Decode(commandId, column, direction)) {
        Step(column, direction);
        return true;
    }
    switch (commandId) {
        case kIdNext:
            OnNext();
            return true;
        case kIdBack:
            ShowPage(kDatePage);
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        default:
            return false;
    }
}
