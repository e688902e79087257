#include "library/CChamberWizPage.h"

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "library/CChamberWiz.h"

namespace {

constexpr int kButtonTop = 372;
constexpr int kButtonBottom = 428;
constexpr int kButtonWidth = 150;
constexpr int kButtonFontHeight = 22;

void StyleButton(CBttn& button) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(kButtonFontHeight);
    button.SetBold(true);
}

}  // namespace

CHAMBER_CAL& CChamberWizPage::Record() {
    return wizard_.Record();
}

fw::Rect CChamberWizPage::At(int left, int top, int right, int bottom) const {
    const fw::Rect r = wizard_.GetRect();
    return fw::Rect{r.left + left, r.top + top, r.left + right, r.top + bottom};
}

void CChamberWizPage::CreatePage() {
    Create(&wizard_, wizard_.GetRect());
    const int width = wizard_.GetRect().Width();
    const int middle = (width - kButtonWidth) / 2;
    back_.Create(this, At(16, kButtonTop, 16 + kButtonWidth, kButtonBottom), kIdBack, "<- Back");
    next_.Create(this, At(middle, kButtonTop, middle + kButtonWidth, kButtonBottom), kIdNext,
                 NextCaption());
    cancel_.Create(this, At(width - 16 - kButtonWidth, kButtonTop, width - 16, kButtonBottom),
                   kIdCancel, "Cancel");
    for (CBttn* b : {&back_, &next_, &cancel_})
        StyleButton(*b);
    back_.Enable(HasBack());
    CreateFields();
    Show(false);
}

void CChamberWizPage::ShowPage(bool shown) {
    if (shown) {
        LoadFields();
        UpdateNext();
    }
    Show(shown);
    Invalidate();
}

void CChamberWizPage::GoNext() {
    wizard_.NextPage();
}

void CChamberWizPage::UpdateNext() {
    next_.Enable(CanGoNext());
}

bool CChamberWizPage::OnCommand(int commandId, fw::Window*) {
    if (!wizard_.TakesInput())
        return true;
    switch (commandId) {
        case kIdBack:
            StoreOnLeave();
            wizard_.PreviousPage();
            return true;
        case kIdNext:
            if (!CanGoNext())
                return true;
            StoreOnLeave();
            GoNext();
            return true;
        case kIdCancel:
            wizard_.CancelWizard();
            return true;
        default:
            break;
    }
    if (!OnField(commandId))
        return false;
    // The entry may have ended with the wizard closed by a standby request.
    if (wizard_.TakesInput())
        UpdateNext();
    return true;
}

void CChamberWizPage::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    // The wizard is smaller than the panel: a frame sets it off from the page below.
    dc.FrameRect(GetRect(), fw::colors::kBlack, 2);
}

void CChamberWizPage::CreateTitle(CLabel& label, int top, int id, std::string text) {
    label.Create(this, At(8, top, wizard_.GetRect().Width() - 8, top + 30), id, std::move(text));
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(kTitleHeight);
    label.SetBold(true);
}

void CChamberWizPage::CreateCaption(CLabel& label, const fw::Rect& rect, int id, std::string text) {
    label.Create(this, rect, id, std::move(text));
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(kCaptionHeight);
    label.SetBold(true);
    label.SetAlignment(CLabel::kRight);
    label.SetMarkedText(true);
}

void CChamberWizPage::CreateField(CTouchField& field, const fw::Rect& rect, int id) {
    field.CreateField(this, rect, id, kCaptionHeight);
}

std::optional<std::string> CChamberWizPage::AskText(const std::string& title,
                                                    const std::string& current) {
    CKeypadDlg keypad;
    keypad.SetTitleText(title);
    keypad.SetEntryText(current);
    if (wizard_.RunModal(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return std::nullopt;
    return keypad.EntryText();
}

std::optional<std::string> CChamberWizPage::AskNumber(const NumberKeys& keys) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText(keys.title);
    keypad.SetEntryText(keys.preset);
    keypad.SetMaxLength(keys.maxLength);
    keypad.SetDecimals(keys.decimals);
    keypad.SetSignKey(keys.signKey);
    keypad.SetQuickValues(keys.quickValues);
    if (wizard_.RunModal(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return std::nullopt;
    return keypad.EntryText();
}

void CChamberWizPage::Tell(const std::string& text) {
    CMsgBox box(text, CMsgBox::kTypeOk);
    wizard_.RunModal(box);
}
