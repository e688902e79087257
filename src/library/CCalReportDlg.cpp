#include "library/CCalReportDlg.h"

#include "library/CChamberWiz.h"
#include "library/ChamberEntries.h"
#include "screens/CDatePickerDlg.h"
#include "store/ChamberCal.h"

void CCalReportDlg::CreateFields() {
    CreateTitle(chamberLine_, 16, kIdChamberLine, "");
    CreateTitle(title_, 48, kIdTitle, "Enter Calibration Report Information");
    CreateCaption(reportCaption_, At(8, 116, 236, 152), 1214, "Report Name/Number:");
    CreateField(report_, At(244, 112, 510, 156), kIdReport);
    CreateCaption(dateCaption_, At(8, 186, 236, 222), 1215, "Report Date:");
    CreateField(reportDate_, At(244, 182, 420, 226), kIdReportDate);
    CreateCaption(dueCaption_, At(8, 256, 236, 292), 1216, "Calibration Due Date:");
    CreateField(dueDate_, At(244, 252, 420, 296), kIdDueDate);
}

void CCalReportDlg::LoadFields() {
    chamberLine_.SetText(Record().ChamberModel + "/" + Record().ChamberSerial);
    report_.SetText(Record().ReportName);
    if (Record().ReportDate.Year != 0) {
        ShowDates();
    } else {
        reportDate_.ClearText();
        dueDate_.ClearText();
    }
}

void CCalReportDlg::ShowDates() {
    reportDate_.SetText(Wizard().DateText(Record().ReportDate));
    dueDate_.SetText(Wizard().DateText(Record().CalDueDate));
}

bool CCalReportDlg::CanGoNext() const {
    return !report_.Text().empty() && !reportDate_.Text().empty() && !dueDate_.Text().empty();
}

void CCalReportDlg::StoreOnLeave() {
    Record().ReportName = report_.Text();
}

bool CCalReportDlg::OnField(int id) {
    switch (id) {
        case kIdReport:
            EnterReport();
            return true;
        case kIdReportDate:
            EnterReportDate();
            return true;
        case kIdDueDate:
            EnterDueDate();
            return true;
        default:
            return false;
    }
}

void CCalReportDlg::EnterReport() {
    if (std::optional<std::string> entry = AskText("Enter Chamber Report #", report_.Text()))
        report_.SetText(*entry);
}

bool CCalReportDlg::PickDate(const char* title, DATE_YMD& date) {
    CDatePickerDlg picker(title, date.Year, date.Month, date.Day);
    if (Wizard().RunModal(picker) != fw::kIdOk)
        return false;
    date = DATE_YMD{static_cast<int16_t>(picker.Year()), static_cast<int16_t>(picker.Month()),
                    static_cast<int16_t>(picker.Day())};
    return true;
}

void CCalReportDlg::EnterReportDate() {
    DATE_YMD picked = Record().ReportDate;
    if (!PickDate("Enter Calibration Report Date", picked))
        return;
    Record().ReportDate = picked;
    Record().CalDueDate = chamber_entry::DueDateTwoYearsOn(picked);
    ShowDates();
}

void CCalReportDlg::EnterDueDate() {
    DATE_YMD picked = Record().CalDueDate;
    if (!PickDate("Enter Calibration Due Date", picked))
        return;
    Record().CalDueDate = picked;
    dueDate_.SetText(Wizard().DateText(picked));
}
