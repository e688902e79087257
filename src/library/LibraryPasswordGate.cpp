#include "library/LibraryPasswordGate.h"

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "controls/CPasswordGate.h"

bool LibraryPasswordGate::Pass(const library::ModalRunner& run) {
    if (passed_)
        return true;
    CKeypadDlg keypad;
    keypad.SetTitleText(CPasswordGate::kTitle);
    if (run(keypad) != fw::kIdOk)
        return false;
    if (keypad.EntryText() != CPasswordGate::kPassword) {
        CMsgBox refusal(CPasswordGate::kRefusal, CMsgBox::kTypeOk);
        run(refusal);
        return false;
    }
    passed_ = true;
    return true;
}
