#include "screens/CChamberListDlg.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/ScrollButtons.h"
#include "document/CKelvarinDoc.h"
#include "document/ChamberText.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "store/CCLibDB.h"

namespace {

constexpr int kInUseText = 405;
constexpr int kHeadTop = 52;
constexpr int kListTop = 80;
constexpr int kListBottom = 268;
constexpr int kDetailsTop = 296;
constexpr int kDetailRowHeight = 24;
constexpr int kDetailFontHeight = 14;
constexpr int kDueMarkerBitmap = 261;
constexpr int kDueIcon = 260;
constexpr int kDetailCaptionIds[] = {1180, 1181, 1182, 1177, 1183, 1184};
constexpr int kDetailValueIds[] = {1190, 1192, 1194, 1178, 1185, 1187};
const char* const kDetailCaptions[] = {
    "Report:", "Date:", "Due Date:", "Coefficient:", "Polarity:", "A_i_o_n:"};
constexpr int kButtonTop = 400;
constexpr int kButtonBottom = 460;
constexpr int kModelWidth = 209;
constexpr int kSerialWidth = 139;
constexpr int kListLeft = 16;
constexpr int kListRight = 580;

void StyleHead(CLabel& head) {
    head.SetBkColor(controls::kDialogBackground);
    head.SetTextColor(fw::colors::kWhite);
    head.SetFontHeight(18);
    head.SetBold(true);
    head.SetAlignment(CLabel::kLeft);
}

void StyleAction(CBttn& button) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(24);
    button.SetBold(true);
}

}  // namespace

CChamberListDlg::CChamberListDlg(CKelvarinDoc& doc, int channel)
    : doc_(doc), channel_(channel & 1) {
    Create(nullptr, fw::kScreenRect);
    CreateControls();
}

void CChamberListDlg::CreateControls() {
    title_.Create(this, {kListLeft, 8, 624, 44}, kIdTitle,
                  fw::StringPrintf("%s %d", "Select a Chamber for Channel ", channel_ + 1));
    title_.SetBkColor(controls::kDialogBackground);
    title_.SetTextColor(fw::colors::kWhite);
    title_.SetFontHeight(24);
    title_.SetBold(true);
    const int serialLeft = kListLeft + kModelWidth;
    const int beamLeft = serialLeft + kSerialWidth;
    modelHead_.Create(this, {kListLeft, kHeadTop, serialLeft, kListTop - 4}, 1396, "Model");
    serialHead_.Create(this, {serialLeft, kHeadTop, beamLeft, kListTop - 4}, 1398, "Serial Number");
    beamHead_.Create(this, {beamLeft, kHeadTop, kListRight, kListTop - 4}, 1393, "Beam/Isotope:");
    for (CLabel* head : {&modelHead_, &serialHead_, &beamHead_})
        StyleHead(*head);

    list_.Create(this, {kListLeft, kListTop, kListRight, kListBottom}, kIdList);
    list_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kModelWidth);
    list_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatLeft, kSerialWidth);
    list_.InsertColumn(2, "COL2", CTouchListCtrl::kFormatLeft, 0);
    list_.SetBitmapMode(true, true, fw::colors::kTransparentKey);
    list_.SetKeepBitmapPlace(true);  // models of due and other rows line up
    list_.SetOnItemChanged([this](int row) { OnSelectionChanged(row); });

    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 8, kListTop, 630, kListTop + 60}, kIdScrollUp, scrollDown_,
        {kListRight + 8, kListBottom - 60, 630, kListBottom}, kIdScrollDown);

    CreateDetails();
    ok_.Create(this, {120, kButtonTop, 300, kButtonBottom}, kIdOk, fw::LoadString(136));
    cancel_.Create(this, {340, kButtonTop, 520, kButtonBottom}, kIdCancel, fw::LoadString(137));
    StyleAction(ok_);
    StyleAction(cancel_);
}

// Two columns of caption and value under the list: report and dates on the left,
// coefficient, polarity and Aion on the right.
void CChamberListDlg::CreateDetails() {
    detailsHead_.Create(this, {kListLeft, kDetailsTop - 24, 320, kDetailsTop - 2}, 1179,
                        "Calibration Information");
    StyleHead(detailsHead_);
    dueMarker_.Create(this, {590, kDetailsTop - 30, 624, kDetailsTop - 2}, 1350);
    dueMarker_.SetBkColor(controls::kDialogBackground);
    // Left: caption 16..96, value 96..286; right: caption 290..386, value 386..624.
    constexpr int kCaptionLeft[] = {kListLeft, 290};
    constexpr int kValueLeft[] = {96, 386};
    constexpr int kValueRight[] = {286, 624};
    for (size_t i = 0; i < details_.size(); ++i) {
        const int column = int(i) / 3;
        const int top = kDetailsTop + int(i % 3) * kDetailRowHeight;
        const int bottom = top + kDetailRowHeight;
        detailCaptions_[i].Create(this, {kCaptionLeft[column], top, kValueLeft[column], bottom},
                                  kDetailCaptionIds[i], kDetailCaptions[i]);
        details_[i].Create(this, {kValueLeft[column], top, kValueRight[column], bottom},
                           kDetailValueIds[i]);
        for (CLabel* l : {&detailCaptions_[i], &details_[i]}) {
            l->SetBkColor(controls::kDialogBackground);
            l->SetTextColor(fw::colors::kWhite);
            l->SetFontHeight(kDetailFontHeight);
            l->SetAlignment(CLabel::kLeft);
            l->SetMarkedText(true);
        }
    }
}

void CChamberListDlg::ShowDetails(const CHAMBER_CAL& cal) {
    std::string date, due;
    doc_.FormatDateYMD(cal.ReportDate.Year, cal.ReportDate.Month, cal.ReportDate.Day, date);
    doc_.FormatDateYMD(cal.CalDueDate.Year, cal.CalDueDate.Month, cal.CalDueDate.Day, due);
    details_[0].SetText(cal.ReportName);
    details_[1].SetText(date);
    details_[2].SetText(due);
    details_[3].SetText(chamber_text::CoefficientText(cal));
    details_[4].SetText(fw::StringPrintf("%d", cal.Polarity));
    details_[5].SetText(" " + cal.Aion);
    const bool dueSoon =
        doc_.IsCalDueSoon(cal.CalDueDate.Year, cal.CalDueDate.Month, cal.CalDueDate.Day);
    dueMarker_.SetBitmap(dueSoon ? kDueMarkerBitmap : 0);
}

void CChamberListDlg::ClearDetails() {
    for (CLabel& value : details_)
        value.ClearText();
    dueMarker_.SetBitmap(0);
}

void CChamberListDlg::OnInitDialog() {
    FillList();
    const int current = doc_.Channel[channel_].ChamberIndex;
    if (current >= 0 && current < list_.GetItemCount()) {
        selected_ = current;
        list_.SetSelectedRow(current);
        list_.EnsureVisible(current);
        ShowDetails(doc_.ChannelChamber(channel_));
    } else {
        ClearDetails();
    }
    UpdateScrollButtons();
}

void CChamberListDlg::FillList() {
    list_.DeleteAllItems();
    std::vector<std::optional<CHAMBER_CAL>> all;
    CCLibDB library;
    if (!library.GetAllRecords(all))
        return;
    for (const std::optional<CHAMBER_CAL>& cal : all) {
        if (!cal)
            break;  // positions past an unreadable record would not match the store
        int row = list_.InsertItem(list_.GetItemCount(), cal->ChamberModel);
        list_.SetItemText(row, 1, cal->ChamberSerial);
        list_.SetItemText(row, 2, cal->BeamIsotope);
        const DATE_YMD& due = cal->CalDueDate;
        list_.SetItemData(row, doc_.IsCalDueSoon(due.Year, due.Month, due.Day) ? kDueIcon : 0);
    }
}

void CChamberListDlg::OnSelectionChanged(int row) {
    if (row < 0)
        return;
    if (doc_.IsChamberInUse(1 - channel_, row)) {
        CMsgBox::Show(fw::LoadString(kInUseText), "", CMsgBox::kTypeOk);
        list_.SetSelectedRow(-1);
        selected_ = -1;
        ClearDetails();
        return;
    }
    selected_ = row;
    CHAMBER_CAL cal;
    CCLibDB library;
    if (library.GetRecord(row, cal))
        ShowDetails(cal);
    else
        ClearDetails();
}

void CChamberListDlg::UpdateScrollButtons() {
    controls::EnableScrollDirections(list_, scrollUp_, scrollDown_);
}

bool CChamberListDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdOk:
            selected_ = list_.GetSelectedRow();
            Finish(fw::kIdOk);
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            UpdateScrollButtons();
            return true;
        default:
            return false;
    }
}
