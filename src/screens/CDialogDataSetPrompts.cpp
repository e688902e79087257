#include "screens/CDialogDataSetPrompts.h"

#include "controls/CMsgBox.h"
#include "screens/CFileSaveDlg.h"

int CDialogDataSetPrompts::Run(CModalDialog& dialog) {
    return run_ ? run_(dialog) : dialog.DoModal();
}

bool CDialogDataSetPrompts::AskFileName(int captionId, std::string& name) {
    CFileSaveDlg dlg(captionId, name);
    dlg.SetKeypadRunner([this](CModalDialog& keypad) { return Run(keypad); });
    if (Run(dlg) != fw::kIdOk)
        return false;
    name = dlg.Name();
    return true;
}

bool CDialogDataSetPrompts::AskYesNo(const std::string& text) {
    CMsgBox box(text, CMsgBox::kTypeYesNo);
    return Run(box) == CMsgBox::kResultYes;
}

int CDialogDataSetPrompts::AskYesNoCancel(const std::string& text) {
    CMsgBox box(text, CMsgBox::kTypeYesNoCancel);
    // The box answers 1 for Yes; the saver speaks in the framework's codes.
    switch (Run(box)) {
        case CMsgBox::kResultYes:
            return fw::kIdYes;
        case CMsgBox::kResultNo:
            return fw::kIdNo;
        default:  // Cancel, or closed by a standby request
            return fw::kIdCancel;
    }
}

std::string CDialogDataSetPrompts::Explain(const std::string& text) {
    if (text == kWriteFailedText)
        return text + kWriteFailedHint;
    return text;
}

void CDialogDataSetPrompts::Tell(const std::string& text) {
    CMsgBox box(Explain(text), CMsgBox::kTypeOk);
    Run(box);
}
