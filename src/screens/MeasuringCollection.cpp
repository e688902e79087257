// The collections of the measuring screens: start, stop and clear, what happens when a
// collection ends, the rows it adds, and the controls locked while it runs.
#include "controls/CNotifyBox.h"
#include "fw/Resources.h"
#include "screens/CMeasuringView.h"

namespace {

constexpr uint8_t kTimed = 0;
constexpr uint8_t kContinuous = 1;
constexpr uint8_t kTrigger = 2;
constexpr uint8_t kTriggerIdle = 0;
constexpr uint8_t kTriggerArmed = 1;
constexpr uint8_t kTriggerFired = 2;
constexpr uint8_t kTriggerEnded = 3;
constexpr int kRowNoticeMs = 1000;

}  // namespace

void CMeasuringView::ShowTriggerStatus() {
    const CKelvarinDoc* doc = GetDoc();
    if (doc->ChargeType != kTrigger)
        return;
    if (doc->TriggerArmed == kTriggerArmed)
        ShowStatus("Armed (Ch.1)");
    else if (doc->TriggerArmed == kTriggerFired)
        ShowStatus("Triggered (Ch.1)");
}

bool CMeasuringView::AnyChargeOverRange() const {
    // From the filter itself: the flags in the channel blocks are only as fresh as the last
    // text formatted for that channel, and a screen may not show the other channel.
    const CFilter& f = GetDoc()->Filter;
    return f.Chan[0].OverRangeLatched || f.Chan[1].OverRangeLatched;
}

bool CMeasuringView::AnyRateOverRange() const {
    const CFilter& f = GetDoc()->Filter;
    return f.Chan[0].OverRange || f.Chan[1].OverRange;
}

// Hint 6: a collection started, counted a second, or ended.
void CMeasuringView::OnCollectionHint() {
    CKelvarinDoc* doc = GetDoc();
    RefreshCharges();
    ShowCollectionDescription();
    if (doc->Collecting) {
        if (AnyChargeOverRange())
            fw::PlayResourceSound("SndOverload");
        return;
    }
    if (doc->ChargeType == kTrigger)
        OnTriggerCollectionEnded();
    else
        OnTimedOrContinuousEnded();
}

void CMeasuringView::OnTriggerCollectionEnded() {
    CKelvarinDoc* doc = GetDoc();
    if (doc->TriggerArmed != kTriggerEnded)
        return;  // armed, not yet triggered
    OnCollectionResult();
    ShowStatus("Armed (Ch.1)");
    doc->TriggerArmed = kTriggerArmed;  // the trigger re-arms itself
    fw::PlayResourceSound("SndChgDone");
}

void CMeasuringView::OnTimedOrContinuousEnded() {
    // A notice of an ended collection that this screen did not start ends nothing.
    if (!seriesRunning_)
        return;
    CKelvarinDoc* doc = GetDoc();
    OnCollectionResult();
    // At or past the count, so a count lowered meanwhile cannot run the series on forever;
    // a continuous collection is never repeated.
    if (doc->ChargeType == kContinuous || doc->CollectionIndex >= doc->RepeatCount) {
        FinishSeries();
        return;
    }
    doc->StartCollection();
    doc->CollectionIndex += 1;
    if (doc->Repeating)
        ShowCollectingStatus();
}

void CMeasuringView::FinishSeries() {
    seriesRunning_ = false;
    HoldEndedSeries();
    ShowStatus("Idle");
    SetControlsEnabled(true);
    ShowCollectionDescription();
    fw::PlayResourceSound("SndChgDone");
}

// ---- Start / Stop / Clear ----------------------------------------------------------------

void CMeasuringView::OnStartStopClear() {
    CKelvarinDoc* doc = GetDoc();
    if (doc->ChargeType == kTrigger) {
        if (doc->TriggerArmed == kTriggerIdle)
            StartTrigger();
        else
            StopTrigger();
    } else if (!doc->Collecting && doc->CollectionFinished == 0) {
        StartSeries();
    } else if (!doc->Collecting) {
        ClearHeldResult();
    } else {
        StopRunningCollection();
    }
    ShowCollectionDescription();
}

bool CMeasuringView::CollectionRunning() const {
    const CKelvarinDoc* doc = GetDoc();
    return doc->Collecting != 0 || (doc->ChargeType == kTrigger && doc->TriggerArmed != 0);
}

// A remote start is a touch on Start/Stop/Clear while nothing runs: a held result is only
// cleared, and the next start begins a collection. Remote scripts rely on that order.
void CMeasuringView::OnRemoteStart() {
    if (!CollectionRunning())
        OnStartStopClear();
}

// A remote stop only stops: with nothing running the button would start or clear instead.
void CMeasuringView::OnRemoteStop() {
    if (CollectionRunning())
        OnStartStopClear();
}

void CMeasuringView::StartTrigger() {
    GetDoc()->StartCollection();
    startStop_.SetCaption("Stop");
    ShowStatus("Armed (Ch.1)");
    SetControlsEnabled(false);
}

void CMeasuringView::StopTrigger() {
    CKelvarinDoc* doc = GetDoc();
    doc->Collecting = 0;
    doc->TriggerArmed = kTriggerIdle;
    startStop_.SetCaption("Start");
    ShowStatus("Idle");
    SetControlsEnabled(true);
}

void CMeasuringView::StartSeries() {
    CKelvarinDoc* doc = GetDoc();
    doc->CollectionIndex = 1;
    seriesRunning_ = true;
    SetControlsEnabled(false);
    doc->StartCollection();
    startStop_.SetCaption("Stop");
    ShowCollectingStatus();
}

void CMeasuringView::ClearHeldResult() {
    CKelvarinDoc* doc = GetDoc();
    doc->CollectionFinished = 0;
    startStop_.SetCaption("Start");
    doc->Filter.ResetCharge();
    doc->CollectionIndex = 0;
    SetControlsEnabled(true);
    RefreshCharges();
}

void CMeasuringView::StopRunningCollection() {
    CKelvarinDoc* doc = GetDoc();
    doc->Collecting = 0;
    if (doc->ChargeType == kTimed) {
        doc->TriggerArmed = kTriggerIdle;
        seriesRunning_ = false;  // a timed collection stopped early adds no row
    } else if (doc->ChargeType == kContinuous) {
        doc->UpdateAllViews(kHintCollection);  // its result counts like a finished one
    }
    seriesRunning_ = false;
    HoldEndedSeries();
    ShowStatus("Idle");
    SetControlsEnabled(true);
}

void CMeasuringView::HoldEndedSeries() {
    const bool held = HoldsResult();
    GetDoc()->CollectionFinished = held ? 1 : 0;
    startStop_.SetCaption(held ? "Clear" : "Start");
}

// A held result is dropped from the display when the setup it was measured with changes.
void CMeasuringView::ReleaseHeldResult() {
    CKelvarinDoc* doc = GetDoc();
    if (doc->CollectionFinished == 0)
        return;
    doc->CollectionFinished = 0;
    startStop_.SetCaption("Start");
    ShowCollectionDescription();
}

void CMeasuringView::SetControlsEnabled(bool enabled) {
    if (enabled == controlsEnabled_)
        return;
    controlsEnabled_ = enabled;
    for (fw::Window* w : LockedControls())
        w->Enable(enabled);
    OnControlsEnabled(enabled);
    GetDoc()->SetControlsEnabled(enabled);
}

// ---- rows and zeroing --------------------------------------------------------------------

void CMeasuringView::AddRow(bool isRate) {
    CKelvarinDoc* doc = GetDoc();
    MEAS_INFO row;
    doc->AddMeasurement(isRate, row);
    ShowNewRow(row);
}

void CMeasuringView::OnCollectionResult() {
    if (GetDoc()->AutoDataCapture && !AnyChargeOverRange())
        AddRow(false);
}

void CMeasuringView::OnAddMeasurement() {
    CKelvarinDoc* doc = GetDoc();
    if (!doc->AutoDataCapture || AnyRateOverRange())
        return;
    AddRow(true);
    CNotifyBox notice("Data Point Added to List.", kRowNoticeMs);
    RunModal(notice);
}

void CMeasuringView::OnZero() {
    ReleaseHeldResult();
    BeginZeroing(ZeroTarget());
}
