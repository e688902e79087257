#include "screens/StandbySaveOffer.h"

#include "controls/CMsgBox.h"
#include "export/DataSetSaver.h"
#include "fw/Resources.h"
#include "screens/CDialogDataSetPrompts.h"
#include "screens/CKelvarinFormView.h"

namespace {

// The questions of the shared save steps, answered with the instrument's dialogs on the
// screen that asked for standby: the name in the save-file box, as the data-set prompts ask
// it. A failed write is not told here: the standby offer asks whether to try again instead.
// Nothing is left to cancel once the name was given.
class StandbyPrompts : public CDialogDataSetPrompts {
  public:
    explicit StandbyPrompts(CKelvarinFormView& view) : CDialogDataSetPrompts(view.ModalRunner()) {}

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
    // Cancel, an empty name, or the box closed by another request: the rows stay.
    StandbyPrompts prompts(view_);
    std::string name = doc_.Title;
    if (!AskDataFileName(prompts, kCaptionSave, name))
        return Outcome::Refuse;
    return SaveUnder(name);
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
