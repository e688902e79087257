// The main board's power events as every screen answers them: ready, wake, power-on and the
// standby request of the power key.
#include "controls/CModalDialog.h"
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/CPopupMenu.h"
#include "controls/ModalRegistry.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "link/WindowMessages.h"
#include "screens/CKelvarinFormView.h"
#include "screens/StandbySaveOffer.h"
#include "screens/ViewFactory.h"

namespace {

constexpr const char* kSavingSettingsText = "Saving Settings...Please wait.";
constexpr int kSavingSettingsMs = 1000;

// A dismissed dialog leaves the panel at once, though its loop unwinds only after the
// standby handler returns: the operator never sees it under the save offer.
void TakeOffPanel(IStandbyDismissable* modal) {
    if (auto* window = dynamic_cast<fw::Window*>(modal))
        fw::Loop().RemoveTopLevel(window);
}

}  // namespace

void CKelvarinFormView::OnBoardReady() {
    KillTimer(IDT_BOARD_POLL);
    SwitchToViewOrTell(MakeSplashView());
}

void CKelvarinFormView::OnBoardWake() {
    if (SwitchToView(MakeSplashView()))
        GetDoc()->SendWakeAck();
}

void CKelvarinFormView::OnBoardPowerOn() {
    CKelvarinDoc* doc = GetDoc();
    hwControl_.RestoreBrightness(true);
    hwControl_.SetBrightness(doc->Brightness);
    hwControl_.SetBacklightPower(true);
    // The panel's touch calibration belongs to the platform; this one needs none.
    if (SwitchToView(MakeSplashView()))
        doc->SendWakeAck();
}

void CKelvarinFormView::OnBoardStandby() {
    CKelvarinDoc* doc = GetDoc();
    if (doc == nullptr)
        return;
    // A second press while this screen is still asking about the first is refused; the
    // first request goes on.
    if (doc->Collecting || zeroDialogOpen_ || standbyInProgress_) {
        doc->SendStandbyAnswer(false);
        return;
    }
    standbyInProgress_ = true;
    CloseOpenWindowsForStandby();
    const bool goOn = OfferToSaveForStandby();
    standbyInProgress_ = false;
    if (!goOn) {
        doc->SendStandbyAnswer(false);
        return;
    }
    ForgetUnsavedData();
    if (!SwitchToView(MakeStandbyView())) {
        CMsgBox::Show("Switch to view failed");
        return;
    }
    doc->SendStandbyAnswer(true);
    fw::PlayResourceSound("SndAppExit");
}

void CKelvarinFormView::CloseOpenWindowsForStandby() {
    if (activePopup_ != nullptr) {
        activePopup_->Dismiss();
        activePopup_ = nullptr;
    }
    for (CModalDialog* dialog : modalDialogs_) {
        dialog->DismissForStandby();
        TakeOffPanel(dialog);
    }
    // Whatever else is open (a keypad a page opened for itself) goes the same way.
    for (IStandbyDismissable* modal : controls::OpenModals())
        TakeOffPanel(modal);
    controls::DismissOpenModalsForStandby();
}

bool CKelvarinFormView::OfferToSaveForStandby() {
    StandbySaveOffer offer(
        *this, *GetDoc(),
        StandbySavesScintillatorList() ? DataLayout::Scintillator : DataLayout::Measurement);
    return offer.Run() == StandbySaveOffer::Outcome::GoOn;
}

void CKelvarinFormView::ForgetUnsavedData() {
    CKelvarinDoc* doc = GetDoc();
    doc->ClearMeasurements();
    doc->TitleSaved = 0;
    doc->Untitled = 1;
    if (doc->SettingsSaved) {
        CNotifyBox notice(kSavingSettingsText, kSavingSettingsMs);
        notice.SetCompletionTest([] { return true; });
        RunModal(notice);
        doc->SettingsSaved = 0;
    }
}
