#include "controls/CPasswordGate.h"

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"

bool CPasswordGate::Pass() {
    if (passed_)
        return true;
    CKeypadDlg keypad;
    keypad.SetTitleText(kTitle);
    if (keypad.DoModal() != fw::kIdOk)
        return false;
    if (keypad.EntryText() != kPassword) {
        CMsgBox::Show(kRefusal, "", CMsgBox::kTypeOk);
        return false;
    }
    passed_ = true;
    return true;
}
