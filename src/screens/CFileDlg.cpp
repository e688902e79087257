#include "screens/CFileDlg.h"

#include <algorithm>

#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"

namespace {

constexpr int kMargin = 8;
constexpr int kNameFontHeight = 24;
constexpr int kButtonHeight = 48;
constexpr int kButtonWidth = 120;

}  // namespace

void CFileDlg::CreatePage(fw::Window* parent, const fw::Rect& rect, CKelvarinDoc& doc,
                          DataLayout layout) {
    doc_ = &doc;
    layout_ = layout;
    Create(parent, rect);
    const int left = rect.left + kMargin;
    const int right = rect.right - kMargin;
    int y = rect.top + kMargin;
    caption_.Create(this, {left, y, right, y + 24});
    caption_.SetAlignment(CLabel::kLeft);
    caption_.SetFontHeight(18);
    caption_.SetText("Data Set Name:");
    y += 28;
    name_.Create(this, {left, y, right, y + 40}, kIdName);
    name_.SetBorder(true);
    name_.SetAlignment(CLabel::kLeft);
    name_.SetFontHeight(kNameFontHeight);
    const int by = std::min(rect.bottom - kMargin - kButtonHeight, y + 40 + kMargin);
    new_.Create(this, {left, by, left + kButtonWidth, by + kButtonHeight}, kIdNew, "New");
    save_.Create(this, {right - kButtonWidth, by, right, by + kButtonHeight}, kIdSave, "Save");
    SetBkColor(background_);
    Refresh();
}

void CFileDlg::SetBkColor(fw::Color background) {
    background_ = background;
    caption_.SetBkColor(background);
    Invalidate();
}

void CFileDlg::Refresh() {
    if (doc_ == nullptr)
        return;
    const std::string shown = doc_->Title + (doc_->DataUnsaved ? "*" : "");
    name_.SetTextShowingEnd(shown);
    const bool unsaved = doc_->DataUnsaved != 0;
    save_.Enable(unsaved);
    // Grey text on the action green is hard to read: a disabled "Save" is drawn on white.
    save_.SetBkColor(unsaved ? controls::kActionButton : fw::colors::kWhite);
    save_.SetTextColor(unsaved ? fw::colors::kWhite : fw::colors::kBlack);
}

SaveOutcome CFileDlg::Save() {
    if (doc_ == nullptr || !doc_->DataUnsaved)
        return SaveOutcome::NothingToSave;
    CDialogDataSetPrompts prompts(run_);
    const SaveOutcome outcome = SaveDataSet(*doc_, layout_, prompts);
    Refresh();
    if (outcome == SaveOutcome::Saved && changed_)
        changed_();
    return outcome;
}

bool CFileDlg::New() {
    if (doc_ == nullptr)
        return false;
    CDialogDataSetPrompts prompts(run_);
    const bool started = NewDataSet(*doc_, layout_, prompts);
    Refresh();
    if (changed_)
        changed_();
    return started;
}

bool CFileDlg::OnCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdSave:
            Save();
            return true;
        case kIdNew:
            New();
            return true;
        default:
            return false;
    }
}

bool CFileDlg::OnMessage(const fw::Message& msg) {
    if (msg.id == CTouchTabCtrl::kPageShowing) {
        Refresh();
        return true;
    }
    return false;
}

void CFileDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), background_);
}
