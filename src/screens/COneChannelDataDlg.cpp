#include "screens/COneChannelDataDlg.h"

#include "controls/CMsgBox.h"
#include "controls/ScrollButtons.h"
#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"

namespace {

constexpr int kFontHeight = 15;
constexpr int kListFontHeight = 18;
constexpr int kListRowHeight = 26;
constexpr int kVisibleRows = 4;
constexpr int kFlagWidth = 40;
constexpr int kTimeWidth = 90;  // a whole "hh:mm:ss" in the list's face
constexpr int kMeasurementWidth = 160;
constexpr int kNoticeFontHeight = 13;
constexpr int kQuantityTop = 30;
constexpr int kQuantityPitch = 30;
constexpr int kListLeft = 140;
constexpr int kListTop = 48;
constexpr int kListRight = kListLeft + kFlagWidth + kTimeWidth + kMeasurementWidth + 2;
constexpr int kDoseRateText = 391;
constexpr int kDoseText = 392;
const char* const kQuantityTexts[] = {"Rate", "Dose Rate", "Charge", "Dose"};
// Right of the scroll buttons, to the page's edge.
constexpr fw::Rect kStatisticsRect{kListRight + 62, 30, COneChannelDataDlg::kWidth - 2,
                                   30 + 7 * 17};
// The fourth place of the quantity column: at most three quantities are ever offered.
constexpr int kDeleteTop = kQuantityTop + 3 * kQuantityPitch;

}  // namespace

void COneChannelDataDlg::CreatePage(CKelvarinDoc& doc, fw::Color background) {
    doc_ = &doc;
    Create(nullptr, {0, 0, kWidth, kHeight});
    CreateCaptions();
    CreateQuantityChoice();
    CreateList();
    CreateStatistics();
    SetBkColor(background);
}

void COneChannelDataDlg::CreateStatistics() {
    stats_.Create(this, kStatisticsRect);
    deleteFlagged_.Create(this, {4, kDeleteTop, kListLeft - 4, kDeleteTop + kQuantityPitch - 2},
                          kIdDeleteFlagged, "Delete Flagged");
    deleteFlagged_.SetFontHeight(kFontHeight);
    UpdateDeleteButton();
}

void COneChannelDataDlg::CreateCaptions() {
    fileCaption_.Create(this, {6, 4, 76, 24}, 1197, "Filename:");
    fileName_.Create(this, {76, 4, 226, 24}, kIdFileName);
    tpApplied_.Create(this, {226, 4, 404, 24}, kIdTpApplied);
    factorApplied_.Create(this, {404, 4, 584, 24}, kIdFactorApplied);
    flagHead_.Create(this, {kListLeft, 28, kListLeft + kFlagWidth, kListTop}, 1200, "Flag");
    timeHead_.Create(this,
                     {kListLeft + kFlagWidth, 28, kListLeft + kFlagWidth + kTimeWidth, kListTop},
                     1198, "Time");
    measurementHead_.Create(this, {kListLeft + kFlagWidth + kTimeWidth, 28, kListRight, kListTop},
                            1199, "Measurement");
    for (CLabel* l : {&fileCaption_, &fileName_, &tpApplied_, &factorApplied_, &flagHead_,
                      &timeHead_, &measurementHead_})
        l->SetFontHeight(kFontHeight);
    tpApplied_.SetFontHeight(kNoticeFontHeight);
    factorApplied_.SetFontHeight(kNoticeFontHeight);
    fileCaption_.SetAlignment(CLabel::kLeft);
    fileName_.SetAlignment(CLabel::kLeft);
    fileName_.SetBold(true);
}

void COneChannelDataDlg::CreateQuantityChoice() {
    for (size_t i = 0; i < quantities_.size(); ++i) {
        CBttn& radio = quantities_[i];
        radio.Create(this, {}, kQuantityIds[i], kQuantityTexts[i]);
        radio.SetCheckBoxMode(true);
        radio.SetFontHeight(kFontHeight);
    }
    quantities_[kRate].SetMarked(true);
    StackQuantityChoice();
}

// The radios on offer one under the other, without gaps for the hidden ones.
void COneChannelDataDlg::StackQuantityChoice() {
    const fw::Rect page = GetRect();
    int top = page.top + kQuantityTop;
    for (CBttn& radio : quantities_) {
        if (!radio.IsVisible())
            continue;
        radio.MoveTo({page.left + 4, top, page.left + kListLeft - 4, top + kQuantityPitch - 2});
        top += kQuantityPitch;
    }
}

void COneChannelDataDlg::CreateList() {
    list_.Create(this, {kListLeft, kListTop, kListRight, kListTop + kVisibleRows * kListRowHeight},
                 kIdList);
    list_.SetBoldFont(kListFontHeight);
    list_.SetRowHeight(kListRowHeight);
    list_.SetCheckBoxMode(true);
    list_.SetMarkedText(true);
    list_.InsertColumn(0, "", CTouchListCtrl::kFormatLeft, kFlagWidth);
    list_.InsertColumn(1, "", CTouchListCtrl::kFormatLeft, kTimeWidth);
    list_.InsertColumn(2, "", CTouchListCtrl::kFormatCentre, kMeasurementWidth);
    list_.SetOnItemChanged([this](int row) { OnFlagChanged(row); });
    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 8, kListTop, kListRight + 58, kListTop + 50}, kIdScrollUp,
        scrollDown_, {kListRight + 8, kListTop + 54, kListRight + 58, kListTop + 104},
        kIdScrollDown);
    UpdateScrollButtons();
}

void COneChannelDataDlg::SetBkColor(fw::Color background) {
    background_ = background;
    for (CLabel* l : {&fileCaption_, &fileName_, &tpApplied_, &factorApplied_, &flagHead_,
                      &timeHead_, &measurementHead_})
        l->SetBkColor(background);
    for (CBttn& radio : quantities_)
        radio.SetBkColor(background);
    for (CBttn* b : {&scrollUp_, &scrollDown_})
        b->SetBkColor(background);
    stats_.SetBkColor(background);
    Invalidate();
}

void COneChannelDataDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), background_);
}

void COneChannelDataDlg::RefreshPage() {
    ShowAppliedNotices();
    ShowQuantityChoice();
    FillList();
    ShowFileName();
}

void COneChannelDataDlg::ShowAppliedNotices() {
    tpApplied_.SetText(doc_->Channel[channel_].TPCorrection == 1 ? "Temp/Pressure Applied" : "");
    factorApplied_.SetText(doc_->HasAppliedChamber(channel_) ? "System Factor Applied" : "");
}

// The dose radio that fits the chamber's calibration mode is offered, named after its
// quantity; without a calibrated chamber only rate and charge remain.
void COneChannelDataDlg::ShowQuantityChoice() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    CBttn& doseRate = quantities_[kDoseRate];
    CBttn& dose = quantities_[kDose];
    if (!doc_->HasAppliedChamber(channel_)) {
        doseRate.Show(false);
        dose.Show(false);
        doseRate.SetCaption(fw::LoadString(kDoseRateText));
        dose.SetCaption(fw::LoadString(kDoseText));
        SelectQuantity(kRate);
        StackQuantityChoice();
        return;
    }
    const CAL_MODE* mode = FindCalMode(c.CalMode);
    const bool chargeBased = mode != nullptr && mode->chargeBased;
    CBttn& offered = chargeBased ? dose : doseRate;
    CBttn& withdrawn = chargeBased ? doseRate : dose;
    offered.Show(true);
    withdrawn.Show(false);
    if (mode != nullptr)
        offered.SetCaption(fw::LoadString(mode->quantityId));
    if (quantity_ == (chargeBased ? kDoseRate : kDose))
        SelectQuantity(kRate);
    StackQuantityChoice();
}

void COneChannelDataDlg::SelectQuantity(Quantity q) {
    quantity_ = q;
    for (size_t i = 0; i < quantities_.size(); ++i)
        quantities_[i].SetMarked(int(i) == q);
}

void COneChannelDataDlg::FillList() {
    list_.DeleteAllItems();
    for (const MEAS_INFO& record : doc_->MeasList)
        AppendRow(record);
    UpdateScrollButtons();
    ShowStatistics();
}

SeriesSelection COneChannelDataDlg::Series() const {
    static constexpr SeriesQuantity kColumns[] = {SeriesQuantity::Rate, SeriesQuantity::DoseRate,
                                                  SeriesQuantity::Charge, SeriesQuantity::Dose};
    return {channel_, kColumns[quantity_]};
}

void COneChannelDataDlg::ShowStatistics() {
    stats_.ShowSummary(SummariseSeries(doc_->MeasList, Series()));
    UpdateDeleteButton();
}

void COneChannelDataDlg::UpdateDeleteButton() {
    bool anyFlagged = false;
    for (const MEAS_INFO& row : doc_->MeasList)
        anyFlagged = anyFlagged || row.Flagged != 0;
    deleteFlagged_.Enable(anyFlagged);
}

// Only a real Yes deletes: No, and a box closed by a standby request, keep the rows.
void COneChannelDataDlg::DeleteFlaggedRows() {
    CMsgBox question(kDeleteQuestion, CMsgBox::kTypeYesNo);
    if (run_(question) != CMsgBox::kResultYes)
        return;
    if (doc_->DeleteFlaggedMeasurements() == 0)
        return;
    if (onDeleted_)
        onDeleted_();
    else
        RefillRows();
}

void COneChannelDataDlg::RefillRows() {
    FillList();
    ShowFileName();
}

std::string COneChannelDataDlg::MeasurementText(const MEAS_INFO& r) const {
    const int ch = channel_;
    const std::string* value = &r.Rate[ch];
    const std::string* unit = &r.RateUnit[ch];
    switch (quantity_) {
        case kDoseRate:
            value = &r.DoseRate[ch], unit = &r.DoseRateUnit[ch];
            break;
        case kCharge:
            value = &r.Charge[ch], unit = &r.ChargeUnit[ch];
            break;
        case kDose:
            value = &r.Dose[ch], unit = &r.DoseUnit[ch];
            break;
        case kRate:
            break;
    }
    if (*value == formatting::NotApplicable())
        return *value;
    return *value + " " + *unit;
}

void COneChannelDataDlg::AddRow(const MEAS_INFO& record) {
    AppendRow(record);
    ShowStatistics();
}

void COneChannelDataDlg::AppendRow(const MEAS_INFO& record) {
    const int row = list_.InsertItem(list_.GetItemCount(), "");
    list_.SetItemData(row, record.Flagged);
    list_.SetItemText(row, 1, record.Time);
    list_.SetItemText(row, 2, MeasurementText(record));
    list_.EnsureVisible(row);
    UpdateScrollButtons();
}

void COneChannelDataDlg::ShowFileName() {
    fileName_.SetText(doc_->Title + (doc_->DataUnsaved ? "*" : ""));
}

void COneChannelDataDlg::OnFlagChanged(int row) {
    if (row < 0 || row >= int(doc_->MeasList.size()))
        return;
    doc_->MeasList[size_t(row)].Flagged = list_.GetItemData(row);
    UpdateDeleteButton();
    if (onFlagChanged_)
        onFlagChanged_();
}

void COneChannelDataDlg::UpdateScrollButtons() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
}

bool COneChannelDataDlg::OnCommand(int commandId, fw::Window* from) {
    if (commandId == kIdScrollUp || commandId == kIdScrollDown) {
        list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
        return true;
    }
    for (size_t i = 0; i < kQuantityIds.size(); ++i) {
        if (commandId == kQuantityIds[i]) {
            SelectQuantity(Quantity(i));
            FillList();
            return true;
        }
    }
    if (commandId == kIdDeleteFlagged) {
        DeleteFlaggedRows();
        return true;
    }
    return fw::Window::OnCommand(commandId, from);
}
