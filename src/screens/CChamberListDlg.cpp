#include "screens/CChamberListDlg.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "res/Resources.h"
#include "store/CCLibDB.h"

namespace {

constexpr int kInUseText = 405;
constexpr int kHeadTop = 52;
constexpr int kListTop = 80;
constexpr int kListBottom = 380;
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
    list_.SetOnItemChanged([this](int row) { OnSelectionChanged(row); });

    scrollUp_.Create(this, {kListRight + 8, kListTop, 630, kListTop + 60}, kIdScrollUp);
    scrollUp_.SetBitmaps(res::kBmpScrollUp, res::kBmpScrollUpDisabled);
    scrollDown_.Create(this, {kListRight + 8, kListBottom - 60, 630, kListBottom}, kIdScrollDown);
    scrollDown_.SetBitmaps(res::kBmpScrollDown, res::kBmpScrollDownDisabled);
    for (CBttn* b : {&scrollUp_, &scrollDown_})
        b->SetBitmapPosition(CBttn::BitmapPosition::Centre);

    ok_.Create(this, {120, kButtonTop, 300, kButtonBottom}, kIdOk, fw::LoadString(136));
    cancel_.Create(this, {340, kButtonTop, 520, kButtonBottom}, kIdCancel, fw::LoadString(137));
    StyleAction(ok_);
    StyleAction(cancel_);
}

void CChamberListDlg::OnInitDialog() {
    FillList();
    const int current = doc_.Channel[channel_].ChamberIndex;
    if (current >= 0 && current < list_.GetItemCount()) {
        selected_ = current;
        list_.SetSelectedRow(current);
        list_.EnsureVisible(current);
    }
    UpdateScrollButtons();
}

void CChamberListDlg::FillList() {
    list_.DeleteAllItems();
    CCLibDB library;
    const int count = library.GetRecordCount();
    for (int i = 0; i < count; ++i) {
        CHAMBER_CAL cal;
        if (!library.GetRecord(i, cal))
            break;  // positions past an unreadable record would not match the store
        int row = list_.InsertItem(i, cal.ChamberModel);
        list_.SetItemText(row, 1, cal.ChamberSerial);
        list_.SetItemText(row, 2, cal.BeamIsotope);
    }
}

void CChamberListDlg::OnSelectionChanged(int row) {
    if (row < 0)
        return;
    if (doc_.IsChamberInUse(1 - channel_, row)) {
        CMsgBox::Show(fw::LoadString(kInUseText), "", CMsgBox::kTypeOk);
        list_.SetSelectedRow(-1);
        selected_ = -1;
        return;
    }
    selected_ = row;
}

void CChamberListDlg::UpdateScrollButtons() {
    scrollUp_.Enable(list_.CanScrollUp());
    scrollDown_.Enable(list_.CanScrollDown());
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
