// The main board's power events as every screen answers them: ready, wake, power-on and the
// standby request of the power key.
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/ModalRegistry.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "fw/TouchCalibration.h"
#include "link/WindowMessages.h"
#include "screens/CKelvarinFormView.h"
#include "screens/StandbySaveOffer.h"
#include "screens/ViewFactory.h"

namespace {

constexpr const char* kSavingSettingsText = "Saving Settings...Please wait.";
constexpr int kSavingSettingsMs = 1000;

}  // namespace

// Each event first closes whatever is open on the panel and lets its loop return, so the
// view those dialogs belong to is never replaced under them and none of their answers acts.

bool CKelvarinFormView::HoldWhileUpdating(uint32_t message) {
    const bool replacesScreen =
        message == WM_BOARD_READY || message == WM_BOARD_WAKE || message == WM_BOARD_POWER_ON;
    const CKelvarinDoc* doc = GetDoc();
    if (!replacesScreen || doc == nullptr || doc->UpdateRunning == 0)
        return false;
    heldBoardEvents_.push_back(message);
    return true;
}

void CKelvarinFormView::DeliverHeldBoardEvents() {
    for (uint32_t message : heldBoardEvents_)
        fw::Loop().Post(Handle(), message);
    heldBoardEvents_.clear();
}

void CKelvarinFormView::OnBoardReady() {
    KillTimer(IDT_BOARD_POLL);
    EndModalsThen([](CKelvarinFormView& view) { view.SwitchToViewOrTell(MakeSplashView()); });
}

void CKelvarinFormView::OnBoardWake() {
    EndModalsThen([](CKelvarinFormView& view) { view.ReturnThroughWarmUp(); });
}

void CKelvarinFormView::OnBoardPowerOn() {
    hwControl_.RestoreBrightness(true);
    hwControl_.SetBrightness(GetDoc()->Brightness);
    hwControl_.SetBacklightPower(true);
    // The board asks for a touch calibration with this wake: a panel whose touches are off
    // can reach no button of the preferences.
    EndModalsThen([](CKelvarinFormView& view) {
        if (fw::PanelNeedsCalibration())
            view.CalibrateTouchScreen();
        // A board event during the calibration has the last word once the loops unwind.
        if (controls::ModalsMayOpen())
            view.ReturnThroughWarmUp();
    });
}

void CKelvarinFormView::ReturnThroughWarmUp() {
    CKelvarinDoc* doc = GetDoc();
    if (SwitchToView(MakeSplashView()))
        doc->SendWakeAck();
}

bool CKelvarinFormView::StandbyRefused(const CKelvarinDoc& doc) const {
    return doc.Collecting || doc.UpdateRunning || doc.CorrectionRunning || zeroDialogOpen_ ||
           standbyInProgress_;
}

void CKelvarinFormView::OnBoardStandby() {
    CKelvarinDoc* doc = GetDoc();
    if (doc == nullptr)
        return;
    // A second press while this screen is still asking about the first is refused; the
    // first request goes on.
    if (StandbyRefused(*doc)) {
        doc->SendStandbyAnswer(false);
        return;
    }
    EndModalsThen([](CKelvarinFormView& view) { view.GoToStandby(); });
}

void CKelvarinFormView::GoToStandby() {
    CKelvarinDoc* doc = GetDoc();
    // Looked at again: the request waited for the closed dialogs to return.
    if (StandbyRefused(*doc)) {
        doc->SendStandbyAnswer(false);
        return;
    }
    standbyInProgress_ = true;
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
