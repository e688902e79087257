// The touch-screen calibration as the General preferences page and the board's wake with
// calibration run it.
#include "controls/CMsgBox.h"
#include "screens/CKelvarinFormView.h"
#include "screens/CTouchCalDlg.h"

bool CKelvarinFormView::CalibrateTouchScreen() {
    CKelvarinDoc* doc = GetDoc();
    if (doc == nullptr)
        return false;
    CTouchCalDlg dialog;
    const int result = RunModal(dialog);
    if (result != fw::kIdOk || !dialog.Result()) {
        // Whatever closed the dialog, the stored map stays in force.
        fw::SetTouchMatrix(fw::TouchMatrix{doc->TouchCal});
        if (result == CTouchCalDlg::kResultFailed)
            CMsgBox::Show(kTouchFailedText);
        return false;
    }
    doc->TouchCal = dialog.Result()->k;
    const bool saved = doc->SaveSettingsFile && doc->SaveSettingsFile();
    doc->SettingsSaved = 0;  // written already: nothing to announce at standby
    if (!saved)
        CMsgBox::Show(kTouchNotSavedText);
    return true;
}
