#include "controls/CPasswordGate.h"

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"

int CPasswordGate::Run(CModalDialog& dialog) {
    return run_ ? run_(dialog) : dialog.DoModal();
}

bool CPasswordGate::Pass() {
    if (passed_)
        return true;
    CKeypadDlg keypad;
    keypad.SetTitleText(kTitle);
    if (Run(keypad) != fw::kIdOk)
        return false;
    if (keypad.EntryText() != kPassword) {
        CMsgBox refusal(kRefusal, CMsgBox::kTypeOk);
        Run(refusal);
        return false;
    }
    passed_ = true;
    return true;
}
