#include "library/CAddSourceDlg.h"

#include <cmath>

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "controls/NumberEntry.h"
#include "controls/PopupMenus.h"
#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "library/ActivityProjection.h"
#include "screens/CDatePickerDlg.h"
#include "settings/NumberText.h"

namespace {

constexpr const char* kCaptions[CAddSourceDlg::kFieldCount] = {
    "Source Name:", "Half-Life (years):", "Serial Number:", "Activity:", "Units:", "On Date:"};
constexpr const char* kHalfLifeRefusal = "The half-life must be a number greater than 0.";
constexpr const char* kActivityRefusal = "The activity must be a number of 0 or more.";
constexpr int kTitleHeight = 40;
constexpr int kRowTop = 48;
constexpr int kRowHeight = 36;
constexpr int kCaptionWidth = 150;
constexpr int kMargin = 10;

bool IsSet(const DATE_YMD& date) {
    return date.Year != -1 && date.Month != -1 && date.Day != -1;
}

bool IsTableUnit(int unit) {
    return !checksrc::ActivityUnitText(unit).empty();
}

}  // namespace

CAddSourceDlg::CAddSourceDlg(const CKelvarinDoc& doc, ModalRunner run)
    : doc_(doc), run_(std::move(run)) {}

bool CAddSourceDlg::IsComplete(const SOURCE_INFO& r) {
    const std::optional<double> halfLife = settings::ParseFiniteDouble(r.HalfLife);
    return !r.SourceName.empty() && !r.SourceSerial.empty() && !r.Activity.empty() && halfLife &&
           *halfLife > 0 && IsSet(r.ActivityDate) && IsTableUnit(r.ActivityUnit);
}

std::string CAddSourceDlg::FieldText(int fieldId) const {
    if (fieldId < kIdName || fieldId >= kIdName + kFieldCount)
        return "";
    return Field(fieldId).Caption();
}

void CAddSourceDlg::OnInitDialog() {
    Create(nullptr, kDialogRect);
    CreateControls();
    ShowRecord();
    // A record from the store shows its reference date as month/day/year.
    const DATE_YMD& date = record_.ActivityDate;
    if (IsSet(date))
        Field(kIdDate).SetCaption(
            fw::StringPrintf("%02d/%02d/%d", date.Month, date.Day, date.Year));
    UpdateOk();
}

void CAddSourceDlg::CreateControls() {
    const fw::Rect r = kDialogRect;
    title_.Create(this, {r.left + kMargin, r.top + 6, r.right - kMargin, r.top + kTitleHeight},
                  kIdTitle, editing_ ? "Edit Source" : "Create New Source");
    title_.SetBkColor(controls::kDialogBackground);
    title_.SetTextColor(fw::colors::kWhite);
    title_.SetFontHeight(22);
    title_.SetBold(true);
    for (int i = 0; i < kFieldCount; ++i) {
        const int top = r.top + kRowTop + i * kRowHeight;
        const int captionRight = r.left + kMargin + kCaptionWidth;
        CLabel& caption = captions_[static_cast<size_t>(i)];
        caption.Create(this, {r.left + kMargin, top, captionRight, top + kRowHeight - 4}, 0,
                       kCaptions[i]);
        caption.SetBkColor(controls::kDialogBackground);
        caption.SetTextColor(fw::colors::kWhite);
        caption.SetFontHeight(16);
        caption.SetBold(true);
        caption.SetAlignment(CLabel::kRight);
        CBttn& field = fields_[static_cast<size_t>(i)];
        field.Create(this, {captionRight + 6, top, r.right - kMargin, top + kRowHeight - 4},
                     kIdName + i);
        field.SetBkColor(fw::colors::kWhite);
        field.SetTextColor(fw::colors::kBlack);
        field.SetFontHeight(16);
        field.SetFramed(true);
    }
    ok_.Create(this, {r.left + 20, r.bottom - 48, r.left + 150, r.bottom - 8}, kIdOk,
               fw::LoadString(136));
    cancel_.Create(this, {r.right - 150, r.bottom - 48, r.right - 20, r.bottom - 8}, kIdCancel,
                   fw::LoadString(137));
    for (CBttn* b : {&ok_, &cancel_}) {
        b->SetBkColor(controls::kActionButton);
        b->SetTextColor(fw::colors::kWhite);
        b->SetFontHeight(20);
        b->SetBold(true);
    }
}

void CAddSourceDlg::ShowRecord() {
    Field(kIdName).SetCaption(record_.SourceName);
    Field(kIdHalfLife).SetCaption(record_.HalfLife);
    Field(kIdSerial).SetCaption(record_.SourceSerial);
    Field(kIdActivity).SetCaption(record_.Activity);
    Field(kIdUnits).SetCaption(checksrc::ActivityUnitText(record_.ActivityUnit));
    std::string date;
    if (IsSet(record_.ActivityDate))
        doc_.FormatDateYMD(record_.ActivityDate.Year, record_.ActivityDate.Month,
                           record_.ActivityDate.Day, date);
    Field(kIdDate).SetCaption(date);
}

void CAddSourceDlg::UpdateOk() {
    ok_.Enable(IsComplete(record_));
}

bool CAddSourceDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdName:
            EnterText(kIdName, "Enter Source Name", record_.SourceName);
            break;
        case kIdSerial:
            EnterText(kIdSerial, "Enter Source Serial Number", record_.SourceSerial);
            break;
        case kIdHalfLife:
            EnterNumber(kIdHalfLife, "Enter HalfLife (years)", record_.HalfLife, true);
            break;
        case kIdActivity:
            EnterNumber(kIdActivity, "Enter Source Activity", record_.Activity, false);
            break;
        case kIdUnits:
            ChooseUnit();
            break;
        case kIdDate:
            ChooseDate();
            break;
        case kIdOk:
            if (IsComplete(record_))
                Finish(fw::kIdOk);
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        default:
            if (commandId >= menu_cmd::kSourceKBq && commandId <= menu_cmd::kSourceMCi) {
                record_.ActivityUnit = static_cast<int16_t>(commandId - menu_cmd::kSourceKBq);
                Field(kIdUnits).SetCaption(checksrc::ActivityUnitText(record_.ActivityUnit));
                break;
            }
            return false;
    }
    UpdateOk();
    return true;
}

void CAddSourceDlg::EnterText(int fieldId, const char* title, std::string& target) {
    CKeypadDlg keypad;
    keypad.SetTitleText(title);
    if (run_(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return;
    target = keypad.EntryText();
    Field(fieldId).SetCaption(target);
}

void CAddSourceDlg::EnterNumber(int fieldId, const char* title, std::string& target,
                                bool mustBePositive) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText(title);
    keypad.SetDecimals(3);
    keypad.SetSignKey(false);
    keypad.SetMaxLength(kMaxNumberLength);
    if (run_(keypad) != fw::kIdOk)
        return;
    // An empty entry, or a lone point, leaves the field as it was.
    const std::string& entry = keypad.EntryText();
    // The keypad's own form, read without consulting the locale.
    const std::optional<double> value =
        ParseEntry(entry) ? settings::ParseFiniteDouble(entry) : std::nullopt;
    if (!value)
        return;
    const bool acceptable = std::isfinite(*value) && (mustBePositive ? *value > 0 : *value >= 0);
    if (!acceptable) {
        CMsgBox refusal(mustBePositive ? kHalfLifeRefusal : kActivityRefusal, CMsgBox::kTypeOk);
        run_(refusal);
        return;
    }
    target = formatting::Fixed(*value, 3);
    Field(fieldId).SetCaption(target);
}

void CAddSourceDlg::ChooseUnit() {
    CSrcUnitPopupMenu menu;
    // The chosen item comes back to this dialog as its command.
    menu.Show(this, Field(kIdUnits).GetRect());
}

void CAddSourceDlg::ChooseDate() {
    const DATE_YMD& date = record_.ActivityDate;
    CDatePickerDlg picker("Enter Source Date", date.Year, date.Month, date.Day);
    // The store keeps 16-bit years.
    if (run_(picker) != fw::kIdOk || picker.Year() > checksrc::kLastYear)
        return;
    record_.ActivityDate =
        DATE_YMD{static_cast<int16_t>(picker.Year()), static_cast<int16_t>(picker.Month()),
                 static_cast<int16_t>(picker.Day())};
    std::string text;
    doc_.FormatDateYMD(picker.Year(), picker.Month(), picker.Day(), text);
    Field(kIdDate).SetCaption(text);
}
