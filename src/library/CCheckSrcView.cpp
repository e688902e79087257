#include "library/CCheckSrcView.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/ScrollButtons.h"
#include "fw/Resources.h"
#include "library/ActivityProjection.h"
#include "library/CAddSourceDlg.h"
#include "library/StoreWritePrompt.h"
#include "screens/CDatePickerDlg.h"
#include "store/CSrcDB.h"

namespace {

constexpr const char* kDeleteQuestion = "Are you sure?\r\nThis data cannot be recovered!";
constexpr int kNameWidth = 114;
constexpr int kSerialWidth = 100;
constexpr int kListLeft = 56;
constexpr int kListTop = 76;
constexpr int kRowHeight = 30;
constexpr int kListRight = kListLeft + kNameWidth + kSerialWidth + 4;
constexpr int kListBottom = kListTop + CCheckSrcView::kVisibleRows * kRowHeight + 4;
constexpr int kDetailsLeft = kListRight + 52;
constexpr int kDetailsRight = 634;
constexpr int kButtonTop = 398;
constexpr int kButtonBottom = 452;

void StyleOnPanel(CLabel& label, int fontHeight, bool bold) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetBold(bold);
    label.SetAlignment(CLabel::kLeft);
}

void StyleValue(CLabel& label) {
    label.SetBkColor(fw::colors::kWhite);
    label.SetTextColor(fw::colors::kBlack);
    label.SetFontHeight(24);
    label.SetBold(true);
    label.SetBorder(true);
}

void StyleAction(CBttn& button) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(18);
    button.SetBold(true);
}

DATE_YMD DateOf(const fw::LocalTime& t) {
    return DATE_YMD{static_cast<int16_t>(t.year), static_cast<int16_t>(t.month),
                    static_cast<int16_t>(t.day)};
}

bool SameDay(const fw::LocalTime& a, const fw::LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

CCheckSrcView::CCheckSrcView() : calculationDate_(fw::GetClock().Now()) {}

CCheckSrcView::~CCheckSrcView() {
    KillTimer(kSecondTimer);
}

void CCheckSrcView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    CreateControls();
    editButton_.Enable(false);
    deleteButton_.Enable(false);
    dateButton_.Enable(false);
    FillList();
    gate_ = LibraryPasswordGate(GetDoc()->PasswordProtect != 0);
    CreateDateTimeBar();
    SetTimer(kSecondTimer, 1000);
}

// ---- construction --------------------------------------------------------------------------

void CCheckSrcView::CreateControls() {
    CreatePageButton("CHK\r\nSRC");
    title_.Create(this, {kListLeft, 4, kDetailsRight, 44}, kIdTitle, fw::LoadString(119));
    StyleOnPanel(title_, 32, true);
    title_.SetAlignment(CLabel::kCentre);
    nameHead_.Create(this, {kListLeft, 50, kListLeft + kNameWidth, kListTop - 2}, kIdNameHead,
                     "Name");
    serialHead_.Create(this, {kListLeft + kNameWidth, 50, kListRight + 40, kListTop - 2},
                       kIdSerialHead, "Serial Number");
    StyleOnPanel(nameHead_, 16, true);
    StyleOnPanel(serialHead_, 16, true);

    list_.Create(this, {kListLeft, kListTop, kListRight, kListBottom}, kIdList);
    list_.SetBoldFont(16);
    list_.SetRowHeight(kRowHeight);
    list_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kNameWidth);
    list_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatLeft, kSerialWidth);
    list_.SetOnItemChanged([this](int row) { OnSelectionChanged(row); });

    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 6, kListTop, kListRight + 46, kListTop + 60}, kIdScrollUp,
        scrollDown_, {kListRight + 6, kListBottom - 60, kListRight + 46, kListBottom},
        kIdScrollDown);
    CreateDetails();
    CreateButtons();
}

// Right of the list, top to bottom: the source, its reference, today's activity and the
// projection with its date.
void CCheckSrcView::CreateDetails() {
    constexpr int l = kDetailsLeft;
    constexpr int r = kDetailsRight;
    sourceLine_.Create(this, {l, kListTop, r, kListTop + 26}, kIdSourceLine);
    referenceLine_.Create(this, {l, kListTop + 28, r, kListTop + 54}, kIdReferenceLine);
    StyleOnPanel(sourceLine_, 16, true);
    StyleOnPanel(referenceLine_, 16, false);
    currentCaption_.Create(this, {l, 144, r, 168}, kIdCurrentCaption, "Current Activity");
    currentValue_.Create(this, {l, 170, r, 210}, kIdCurrentValue);
    projectedCaption_.Create(this, {l, 222, r, 246}, kIdProjectedCaption, "Projected Activity");
    projectedValue_.Create(this, {l, 248, r, 288}, kIdProjectedValue);
    for (CLabel* caption : {&currentCaption_, &projectedCaption_})
        StyleOnPanel(*caption, 18, true);
    StyleValue(currentValue_);
    StyleValue(projectedValue_);
    dateButton_.Create(this, {l, 300, l + 90, 340}, kIdDateButton, "Date:");
    StyleAction(dateButton_);
    calculationDateLabel_.Create(this, {l + 96, 300, r, 340}, kIdCalculationDate);
    StyleOnPanel(calculationDateLabel_, 20, true);
}

void CCheckSrcView::CreateButtons() {
    newButton_.Create(this, {kListLeft, kButtonTop, 240, kButtonBottom}, kIdNew, "New Source");
    editButton_.Create(this, {250, kButtonTop, 440, kButtonBottom}, kIdEdit, "Edit Source");
    deleteButton_.Create(this, {450, kButtonTop, kDetailsRight, kButtonBottom}, kIdDelete,
                         "Delete Source");
    for (CBttn* b : {&newButton_, &editButton_, &deleteButton_})
        StyleAction(*b);
}

void CCheckSrcView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

// ---- the list ------------------------------------------------------------------------------

void CCheckSrcView::FillList() {
    list_.DeleteAllItems();
    rowPositions_.clear();
    CSrcDB store;
    const int count = store.GetRecordCount();
    for (int position = 0; position < count; ++position) {
        SOURCE_INFO source;
        if (!store.GetRecord(position, source))
            continue;  // an unreadable record is left out; its neighbours keep their positions
        const int row = list_.InsertItem(list_.GetItemCount(), source.SourceName);
        list_.SetItemText(row, 1, source.SourceSerial);
        rowPositions_.push_back(position);
    }
    UpdateScrollButtons();
}

int CCheckSrcView::PositionOfRow(int row) const {
    if (row < 0 || row >= static_cast<int>(rowPositions_.size()))
        return -1;
    return rowPositions_[static_cast<size_t>(row)];
}

void CCheckSrcView::UpdateScrollButtons() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
}

void CCheckSrcView::OnSelectionChanged(int row) {
    selectedPosition_ = PositionOfRow(row);
    selected_.reset();
    const bool chosen = selectedPosition_ >= 0;
    editButton_.Enable(chosen);
    deleteButton_.Enable(chosen);
    if (chosen)
        selected_ = ReadSelected();
    if (selected_)
        ShowDetails();
    else
        ClearDetails();
}

void CCheckSrcView::SelectNothing() {
    list_.SetSelectedRow(-1);
    selectedPosition_ = -1;
    selected_.reset();
    editButton_.Enable(false);
    deleteButton_.Enable(false);
}

std::optional<SOURCE_INFO> CCheckSrcView::ReadSelected() {
    if (selectedPosition_ < 0)
        return std::nullopt;
    CSrcDB store;
    SOURCE_INFO source;
    if (!store.GetRecord(selectedPosition_, source))
        return std::nullopt;
    return source;
}

// ---- details -------------------------------------------------------------------------------

void CCheckSrcView::ShowDetails() {
    const SOURCE_INFO& s = *selected_;
    sourceLine_.SetText(s.SourceName + " (sn: " + s.SourceSerial + ")");
    std::string date;
    GetDoc()->FormatDateYMD(s.ActivityDate.Year, s.ActivityDate.Month, s.ActivityDate.Day, date);
    referenceLine_.SetText(s.Activity + " " + checksrc::ActivityUnitText(s.ActivityUnit) + " - " +
                           date);
    ShowCurrentActivity();
    projectedValue_.ClearText();
    calculationDateLabel_.ClearText();
    dateButton_.Enable(true);
}

void CCheckSrcView::ClearDetails() {
    for (CLabel* l :
         {&sourceLine_, &referenceLine_, &currentValue_, &projectedValue_, &calculationDateLabel_})
        l->ClearText();
    dateButton_.Enable(false);
}

void CCheckSrcView::ShowCurrentActivity() {
    currentShownFor_ = fw::GetClock().Now();
    if (!selected_)
        return;
    currentValue_.SetText(checksrc::ActivityValueText(
        checksrc::ProjectActivity(*selected_, DateOf(currentShownFor_)), selected_->ActivityUnit));
}

void CCheckSrcView::RefreshWhenTheDayChanged() {
    if (selected_ && !SameDay(fw::GetClock().Now(), currentShownFor_))
        ShowCurrentActivity();
}

// ---- commands ------------------------------------------------------------------------------

bool CCheckSrcView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdNew:
            OnNew();
            return true;
        case kIdEdit:
            OnEdit();
            return true;
        case kIdDelete:
            OnDelete();
            return true;
        case kIdDateButton:
            OnDateButton();
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            return true;
        default:
            return CKelvarinFormView::OnCommand(commandId, from);
    }
}

void CCheckSrcView::OnTimer(int id) {
    if (id == kSecondTimer) {
        DateTimeBar().Refresh(false);
        RefreshWhenTheDayChanged();
        return;
    }
    CKelvarinFormView::OnTimer(id);
}

void CCheckSrcView::OnNew() {
    if (!gate_.Pass(ModalRunner()))
        return;
    CAddSourceDlg dialog(*GetDoc(), ModalRunner());
    dialog.SetRecord(SOURCE_INFO{});
    dialog.SetEditMode(false);
    if (RunModal(dialog) != fw::kIdOk)
        return;
    const SOURCE_INFO added = dialog.Record();
    library::WriteWithRetry(ModalRunner(), [&added] { return CSrcDB().AddRecord(added); });
    AfterStoreChange();
}

void CCheckSrcView::OnEdit() {
    if (selectedPosition_ < 0 || !gate_.Pass(ModalRunner()))
        return;
    const std::optional<SOURCE_INFO> stored = ReadSelected();
    if (!stored) {
        AfterStoreChange();
        return;
    }
    CAddSourceDlg dialog(*GetDoc(), ModalRunner());
    dialog.SetRecord(*stored);
    dialog.SetEditMode(true);
    if (RunModal(dialog) != fw::kIdOk)
        return;
    const SOURCE_INFO edited = dialog.Record();
    const int position = selectedPosition_;
    library::WriteWithRetry(
        ModalRunner(), [position, &edited] { return CSrcDB().UpdateRecord(position, edited); });
    AfterStoreChange();
}

void CCheckSrcView::OnDelete() {
    if (selectedPosition_ < 0 || !gate_.Pass(ModalRunner()))
        return;
    CMsgBox ask(kDeleteQuestion, CMsgBox::kTypeYesNo);
    if (RunModal(ask) != CMsgBox::kResultYes)
        return;
    // Delete only the source the operator saw: the record at its position must still be it.
    const std::optional<SOURCE_INFO> stored = ReadSelected();
    if (stored && stored == selected_) {
        const int position = selectedPosition_;
        library::WriteWithRetry(ModalRunner(),
                                [position] { return CSrcDB().DeleteRecord(position); });
    }
    AfterStoreChange();
}

void CCheckSrcView::AfterStoreChange() {
    SelectNothing();
    FillList();
    ClearDetails();
}

void CCheckSrcView::OnDateButton() {
    if (!selected_)
        return;
    CDatePickerDlg picker("Enter Calculation Date", calculationDate_.year, calculationDate_.month,
                          calculationDate_.day);
    if (RunModal(picker) != fw::kIdOk || !selected_ || picker.Year() > checksrc::kLastYear)
        return;
    calculationDate_.year = picker.Year();
    calculationDate_.month = picker.Month();
    calculationDate_.day = picker.Day();
    std::string text;
    GetDoc()->FormatDate(calculationDate_, text);
    calculationDateLabel_.SetText(text);
    projectedValue_.SetText(checksrc::ActivityValueText(
        checksrc::ProjectActivity(*selected_, DateOf(calculationDate_)), selected_->ActivityUnit));
}
