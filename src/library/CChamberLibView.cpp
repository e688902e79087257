#include "library/CChamberLibView.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/ScrollButtons.h"
#include "document/ChamberText.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "library/CCWizLastDlg.h"
#include "library/CChamberWiz.h"
#include "library/ChamberEntries.h"
#include "library/StoreWritePrompt.h"
#include "res/Resources.h"
#include "store/CCLibDB.h"

namespace {

constexpr int kInUseText = 405;
constexpr int kTitleText = 122;

// Panel layout, in pixels.
constexpr fw::Rect kTitleRect{60, 4, 580, 44};
constexpr fw::Rect kInfoRect{592, 4, 634, 46};
constexpr int kListLeft = 52;
constexpr int kListRight = 584;
constexpr int kHeadTop = 50;
constexpr int kListTop = 76;
constexpr int kRowHeight = 36;
constexpr int kListBottom = kListTop + CChamberLibView::kVisibleRows * kRowHeight;
constexpr int kModelWidth = 200;
constexpr int kSerialWidth = 132;
constexpr fw::Rect kScrollUpRect{590, kListTop, 636, kListTop + 60};
constexpr fw::Rect kScrollDownRect{590, kListBottom - 60, 636, kListBottom};
constexpr int kDetailsTop = 290;
constexpr int kDetailRowHeight = 24;
constexpr int kDetailFontHeight = 15;
constexpr int kButtonTop = 370;
constexpr int kButtonBottom = 452;
constexpr int kButtonGap = 8;
constexpr int kRecordButtonFontHeight = 14;

constexpr int kDetailCaptionIds[] = {1180, 1181, 1182, 1177, 1183, 1184};
const char* const kDetailCaptions[] = {
    "Report:", "Date:", "Due Date:", "Coefficient:", "Polarity:", "A_i_o_n:"};

void StyleOnPanel(CLabel& label, int fontHeight) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetAlignment(CLabel::kLeft);
}

void StyleAction(CBttn& button) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(18);
    button.SetBold(true);
}

bool IsDue(const CKelvarinDoc& doc, const CHAMBER_CAL& cal) {
    return doc.IsCalDueSoon(cal.CalDueDate.Year, cal.CalDueDate.Month, cal.CalDueDate.Day);
}

}  // namespace

CChamberLibView::CChamberLibView() = default;

CChamberLibView::~CChamberLibView() {
    KillTimer(kSecondTimer);
}

void CChamberLibView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    CreateControls();
    EnableRecordButtons(false);
    // Other records may have been added or deleted since a channel chose its chamber.
    GetDoc()->ResolveChamberSelections();
    RefillList();
    gate_ = LibraryPasswordGate(GetDoc()->PasswordProtect != 0);
    SetTimer(kSecondTimer, 1000);
}

// ---- construction --------------------------------------------------------------------------

void CChamberLibView::CreateControls() {
    CreatePageButton("LIB", 22);
    title_.Create(this, kTitleRect, kIdTitle, fw::LoadString(kTitleText));
    StyleOnPanel(title_, 26);
    title_.SetBold(true);
    title_.SetAlignment(CLabel::kCentre);
    info_.Create(this, kInfoRect, kIdInfo);
    info_.SetBitmaps(res::kBmpInfo);
    info_.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    CreateHeads();
    list_.Create(this, {kListLeft, kListTop, kListRight, kListBottom}, kIdList);
    list_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kModelWidth);
    list_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatLeft, kSerialWidth);
    list_.InsertColumn(2, "COL2", CTouchListCtrl::kFormatLeft, 0);
    list_.SetRowHeight(kRowHeight);
    list_.SetBitmapMode(true, true, fw::colors::kTransparentKey);
    list_.SetKeepBitmapPlace(true);  // models of due and other rows line up
    list_.SetOnItemChanged([this](int row) { OnSelectionChanged(row); });
    controls::CreateScrollButtons(this, scrollUp_, kScrollUpRect, kIdScrollUp, scrollDown_,
                                  kScrollDownRect, kIdScrollDown);
    CreateDetails();
    CreateRecordButtons();
    CreateDateTimeBar();
}

void CChamberLibView::CreateHeads() {
    const int serialLeft = kListLeft + kModelWidth;
    const int beamLeft = serialLeft + kSerialWidth;
    modelHead_.Create(this, {kListLeft, kHeadTop, serialLeft, kListTop - 2}, 1396, "Model");
    serialHead_.Create(this, {serialLeft, kHeadTop, beamLeft, kListTop - 2}, 1398, "Serial Number");
    beamHead_.Create(this, {beamLeft, kHeadTop, kListRight, kListTop - 2}, 1393, "Beam/Isotope:");
    for (CLabel* head : {&modelHead_, &serialHead_, &beamHead_}) {
        StyleOnPanel(*head, 18);
        head->SetBold(true);
    }
}

// Caption and value pairs in two columns under the list: report and dates on the left,
// coefficient, polarity and Aion on the right.
void CChamberLibView::CreateDetails() {
    detailsHead_.Create(this, {kListLeft, kDetailsTop - 28, 400, kDetailsTop - 4}, 1179,
                        "Calibration Information");
    StyleOnPanel(detailsHead_, 18);
    detailsHead_.SetBold(true);
    dueMarker_.Create(this, {596, kDetailsTop - 30, 634, kDetailsTop - 2}, kIdDueMarker);
    dueMarker_.SetBkColor(controls::kDialogBackground);
    constexpr int kCaptionLeft[] = {kListLeft, 316};
    constexpr int kValueLeft[] = {130, 414};
    constexpr int kValueRight[] = {312, 636};
    for (size_t i = 0; i < details_.size(); ++i) {
        const int column = int(i) / 3;
        const int top = kDetailsTop + int(i % 3) * kDetailRowHeight;
        const int bottom = top + kDetailRowHeight;
        detailCaptions_[i].Create(this, {kCaptionLeft[column], top, kValueLeft[column], bottom},
                                  kDetailCaptionIds[i], kDetailCaptions[i]);
        details_[i].Create(this, {kValueLeft[column], top, kValueRight[column], bottom},
                           kDetailValueIds[i]);
        for (CLabel* l : {&detailCaptions_[i], &details_[i]}) {
            StyleOnPanel(*l, kDetailFontHeight);
            l->SetMarkedText(true);
        }
    }
}

void CChamberLibView::CreateRecordButtons() {
    const int width = (fw::kScreenWidth - 4 - kListLeft - 3 * kButtonGap) / 4;
    CBttn* buttons[] = {&new_, &edit_, &addCalibration_, &delete_};
    const int ids[] = {kIdNew, kIdEdit, kIdAddCalibration, kIdDelete};
    const char* captions[] = {"New Chamber", "Edit\r\nChamber/Calibration", "Add Calibration",
                              "Delete\r\nChamber/Calibration"};
    for (int i = 0; i < 4; ++i) {
        const int left = kListLeft + i * (width + kButtonGap);
        buttons[i]->Create(this, {left, kButtonTop, left + width, kButtonBottom}, ids[i],
                           captions[i]);
        StyleAction(*buttons[i]);
        buttons[i]->SetFontHeight(kRecordButtonFontHeight);  // "Chamber/Calibration" fits
    }
}

// ---- list and details ----------------------------------------------------------------------

void CChamberLibView::RefillList() {
    list_.DeleteAllItems();
    std::vector<std::optional<CHAMBER_CAL>> all;
    CCLibDB library;
    if (library.GetAllRecords(all)) {
        for (const std::optional<CHAMBER_CAL>& cal : all) {
            if (!cal)
                break;  // rows past an unreadable record would not be store positions
            const int row = list_.InsertItem(list_.GetItemCount(), cal->ChamberModel);
            list_.SetItemText(row, 1, cal->ChamberSerial);
            list_.SetItemText(row, 2, cal->BeamIsotope);
            list_.SetItemData(row, IsDue(*GetDoc(), *cal) ? kDueIcon : 0);
        }
    }
    list_.SetSelectedRow(-1);
    ClearDetails();
    EnableRecordButtons(false);
    UpdateScrollButtons();
    Invalidate();
}

void CChamberLibView::OnSelectionChanged(int row) {
    EnableRecordButtons(row >= 0);
    if (row < 0) {
        ClearDetails();
        return;
    }
    CHAMBER_CAL cal;
    CCLibDB library;
    if (library.GetRecord(row, cal))
        ShowDetails(cal);
    else
        ClearDetails();
}

void CChamberLibView::SelectRow(int row) {
    if (!list_.SetSelectedRow(row))
        return;
    list_.EnsureVisible(row);
    UpdateScrollButtons();
    OnSelectionChanged(row);
}

void CChamberLibView::ShowDetails(const CHAMBER_CAL& cal) {
    CKelvarinDoc& doc = *GetDoc();
    std::string date, due;
    doc.FormatDateYMD(cal.ReportDate.Year, cal.ReportDate.Month, cal.ReportDate.Day, date);
    doc.FormatDateYMD(cal.CalDueDate.Year, cal.CalDueDate.Month, cal.CalDueDate.Day, due);
    details_[0].SetText(cal.ReportName);
    details_[1].SetText(date);
    details_[2].SetText(due);
    details_[3].SetText(chamber_text::CoefficientText(cal));
    details_[4].SetText(fw::StringPrintf("%d", cal.Polarity));
    details_[5].SetText(" " + cal.Aion);
    dueMarker_.SetBitmap(IsDue(doc, cal) ? kDueMarkerBitmap : 0);
}

void CChamberLibView::ClearDetails() {
    for (CLabel& value : details_)
        value.ClearText();
    dueMarker_.SetBitmap(0);
}

void CChamberLibView::EnableRecordButtons(bool enabled) {
    for (CBttn* b : {&edit_, &addCalibration_, &delete_})
        b->Enable(enabled);
}

void CChamberLibView::UpdateScrollButtons() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
}

void CChamberLibView::Scroll(int lines) {
    list_.Scroll(lines);
    Invalidate();
}

// ---- commands ------------------------------------------------------------------------------

bool CChamberLibView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdNew:
            OnNewChamber();
            return true;
        case kIdEdit:
            OnEdit();
            return true;
        case kIdAddCalibration:
            OnAddCalibration();
            return true;
        case kIdDelete:
            OnDelete();
            return true;
        case kIdInfo:
            OnInfo();
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            Scroll(commandId == kIdScrollUp ? -1 : 1);
            return true;
        default:
            return CKelvarinFormView::OnCommand(commandId, from);
    }
}

void CChamberLibView::OnTimer(int id) {
    if (id == kSecondTimer) {
        DateTimeBar().Refresh(false);
        return;
    }
    CKelvarinFormView::OnTimer(id);
}

void CChamberLibView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

// ---- actions -------------------------------------------------------------------------------

bool CChamberLibView::CheckPassword() {
    return gate_.Pass(ModalRunner()) && StillShown();
}

int CChamberLibView::SelectedRowForAction() {
    const int row = list_.GetSelectedRow();
    if (row < 0 || !CheckPassword())
        return -1;
    return row;
}

bool CChamberLibView::RefuseInUse(int row) {
    const CKelvarinDoc& doc = *GetDoc();
    if (doc.Channel[0].ChamberIndex != row && doc.Channel[1].ChamberIndex != row)
        return false;
    Tell(fw::LoadString(kInUseText));
    return true;
}

std::optional<CHAMBER_CAL> CChamberLibView::ReadForAction(int row) {
    CHAMBER_CAL cal;
    CCLibDB library;
    if (library.GetRecord(row, cal))
        return cal;
    ClearDetails();
    Tell(kUnreadableText);
    return std::nullopt;
}

int CChamberLibView::RunWizard(CHAMBER_CAL& record, int startPage) {
    CChamberWiz wizard(*GetDoc(), ModalRunner(), [this](CPopupMenu& menu, const fw::Rect& field) {
        return TrackPopup(menu, field);
    });
    wizard.SetRecord(record);
    wizard.SetStartPage(startPage);
    const int result = RunModal(wizard);
    if (result == fw::kIdOk)
        record = wizard.Record();
    return result;
}

bool CChamberLibView::AddRecord(const CHAMBER_CAL& record) {
    CCLibDB library;
    return library::WriteWithRetry(ModalRunner(), [&] { return library.AddRecord(record); });
}

void CChamberLibView::AfterStoreChange() {
    GetDoc()->ResolveChamberSelections();
    RefillList();
}

void CChamberLibView::OnNewChamber() {
    if (!CheckPassword())
        return;
    CHAMBER_CAL record = chamber_entry::NewChamberRecord();
    int startPage = CChamberWiz::kPageModelSerial;
    for (;;) {
        if (RunWizard(record, startPage) != fw::kIdOk || !StillShown())
            return;
        const bool added = AddRecord(record);
        if (!StillShown())
            return;
        AfterStoreChange();
        if (!added)
            return;
        CCWizLastDlg next;
        const int answer = RunModal(next);
        if (!StillShown())
            return;
        if (answer == CCWizLastDlg::kAnotherCalibration) {
            chamber_entry::ClearCalibration(record);
            startPage = CChamberWiz::kPageReport;
        } else if (answer == CCWizLastDlg::kAnotherChamber) {
            startPage = CChamberWiz::kPageModelSerial;
        } else {
            return;  // "Return to Chamber Library", or closed by a standby request
        }
    }
}

void CChamberLibView::OnAddCalibration() {
    const int row = SelectedRowForAction();
    if (row < 0)
        return;
    std::optional<CHAMBER_CAL> record = ReadForAction(row);
    if (!record)
        return;
    if (RunWizard(*record, CChamberWiz::kPageReport) != fw::kIdOk || !StillShown())
        return;
    AddRecord(*record);
    if (StillShown())
        AfterStoreChange();
}

void CChamberLibView::OnEdit() {
    const int row = SelectedRowForAction();
    if (row < 0 || RefuseInUse(row))
        return;
    std::optional<CHAMBER_CAL> record = ReadForAction(row);
    if (!record)
        return;
    if (RunWizard(*record, CChamberWiz::kPageModelSerial) != fw::kIdOk || !StillShown())
        return;
    CCLibDB library;
    const bool updated =
        library::WriteWithRetry(ModalRunner(), [&] { return library.UpdateRecord(row, *record); });
    if (!StillShown())
        return;
    AfterStoreChange();
    // The serial number is the sort key: the edited record may have moved.
    int moved = -1;
    if (updated && library.FindRecord(*record, moved))
        SelectRow(moved);
}

void CChamberLibView::OnDelete() {
    const int row = SelectedRowForAction();
    if (row < 0 || RefuseInUse(row))
        return;
    CMsgBox ask(kDeleteQuestion, CMsgBox::kTypeYesNo);
    if (RunModal(ask) != CMsgBox::kResultYes || !StillShown())
        return;
    CCLibDB library;
    library::WriteWithRetry(ModalRunner(), [&] { return library.DeleteRecord(row); });
    if (StillShown())
        AfterStoreChange();
}

void CChamberLibView::OnInfo() {
    Tell(chamber_text::kFactorInfo);
}

bool CChamberLibView::StillShown() const {
    const fw::Frame* frame = GetFrame();
    return frame != nullptr && frame->ActiveView() == this;
}

void CChamberLibView::Tell(const std::string& text) {
    CMsgBox box(text, CMsgBox::kTypeOk);
    RunModal(box);
}
