#include "screens/StandbySaveOffer.h"

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "export/DataSetSaver.h"
#include "fw/Resources.h"
#include "screens/CDialogDataSetPrompts.h"
#include "screens/CKelvarinFormView.h"

namespace {

// The questions of the shared save steps, answered with the instrument's message boxes on
// the screen that asked for standby. A failed write is not told here: the standby offer asks
// whether to try again instead. The name was asked already, and nothing is left to cancel.
class StandbyPrompts : public CDialogDataSetPrompts {
  public:
    explicit StandbyPrompts(CKelvarinFormView& view) : CDialogDataSetPrompts(view.ModalRunner()) {}

    bool AskFileName(int, std::string&) override { return false; }
    int AskYesNoCancel(const std::string&) override { return fw::kIdCancel; }
    void Tell(const std::string& text) override {
        if (text == kWriteFailedText)
            writeFailed = true;
        else
            CDialogDataSetPrompts::Tell(text);
    }

    bool writeFailed = false;
};

}  // namespace

StandbySaveOffer::Outcome StandbySaveOffer::Run() {
    if (!doc_.DataUnsaved)
        return Outcome::GoOn;
    switch (Ask(kUnsavedDataText, CMsgBox::kTypeYesNoCancel)) {
        case CMsgBox::kResultNo:
            return Outcome::GoOn;
        case CMsgBox::kResultYes:
            break;
        default:  // Cancel, or the box closed by another request
            return Outcome::Refuse;
    }
    std::string name = doc_.Title;
    if (!AskName(name))
        return Outcome::Refuse;
    if (name.empty()) {
        Tell(kEmptyNameText);
        return Outcome::Refuse;
    }
    return SaveUnder(name);
}

bool StandbySaveOffer::AskName(std::string& name) {
    CKeypadDlg keypad;
    keypad.SetTitleText(fw::LoadString(kCaptionSave));
    keypad.SetEntryText(name);
    if (view_.RunModal(keypad) != fw::kIdOk)
        return false;
    name = keypad.EntryText();
    return true;
}

StandbySaveOffer::Outcome StandbySaveOffer::SaveUnder(const std::string& name) {
    const std::string previousTitle = doc_.Title;
    doc_.Title = name;
    StandbyPrompts prompts(view_);
    const SaveOutcome outcome = WriteDataSet(doc_, layout_, prompts);
    if (outcome == SaveOutcome::Saved)
        return Outcome::GoOn;
    doc_.Title = previousTitle;
    if (outcome == SaveOutcome::WriteFailed && prompts.writeFailed) {
        // Yes: the operator stays on the screen to try again.
        return Ask(kRetryText, CMsgBox::kTypeYesNo) == CMsgBox::kResultNo ? Outcome::GoOn
                                                                          : Outcome::Refuse;
    }
    return Outcome::Refuse;
}

int StandbySaveOffer::Ask(const std::string& text, int type) {
    CMsgBox box(text, type);
    return view_.RunModal(box);
}

void StandbySaveOffer::Tell(const std::string& text) {
    Ask(text, CMsgBox::kTypeOk);
}
