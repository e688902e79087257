// The measuring screens' buttons and pop-up menus: range, bias and collection type.
#include "controls/MenuCommands.h"
#include "controls/PopupMenus.h"
#include "screens/CMeasuringView.h"
#include "screens/OneChannelEntry.h"

namespace {

constexpr uint8_t kTimed = 0;
constexpr uint8_t kContinuous = 1;
constexpr uint8_t kTrigger = 2;

}  // namespace

bool CMeasuringView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdChargeType:
            OpenChargeTypeMenu();
            return true;
        case kIdStartStop:
            OnStartStopClear();
            return true;
        case kIdZero:
            OnZero();
            return true;
        case kIdAddMeasurement:
            OnAddMeasurement();
            return true;
        default:
            return OnMenuCommand(commandId) || CKelvarinFormView::OnCommand(commandId, from);
    }
}

bool CMeasuringView::OnMenuCommand(int commandId) {
    using namespace menu_cmd;
    if (commandId == kRangeLow || commandId == kRangeHigh) {
        OnRangeChoice(commandId == kRangeHigh ? 1 : 0);
        return true;
    }
    if (commandId >= kBiasOff && commandId <= kBiasPrevious) {
        OnBiasChoice(commandId);
        return true;
    }
    if (commandId >= kChargeTimed && commandId <= kChargePreviousTime) {
        OnChargeTypeChoice(commandId);
        return true;
    }
    return false;
}

// ---- opening the menus -------------------------------------------------------------------

void CMeasuringView::OpenRangeMenu(const fw::Rect& button) {
    CRangePopupMenu menu;
    TrackPopup(menu, button);
}

void CMeasuringView::OpenBiasMenu(const fw::Rect& button) {
    CBiasPopupMenu menu(previousBias_[MenuChannel()]);
    TrackPopup(menu, button);
}

void CMeasuringView::OpenChargeTypeMenu() {
    CChgTypePopupMenu menu(GetDoc()->PrevChargeDuration);
    menu.Build();
    if (!TriggerOffered())
        menu.RemoveItemAt(menu.TriggerItemPosition());
    TrackPopup(menu, chargeType_.GetRect());
}

// ---- the choices -------------------------------------------------------------------------

// The range changes when the board answers (hint 7); a command is only sent for a change.
void CMeasuringView::OnRangeChoice(int range) {
    CKelvarinDoc* doc = GetDoc();
    const uint8_t channel = MenuChannel();
    const bool sent = doc->Channel[channel].Range != range && doc->SetRange(channel, range);
    RefreshRangeCaptions();
    RefreshRates();
    RefreshCharges();
    if (sent)
        ReleaseHeldResult();
}

void CMeasuringView::OnBiasChoice(int commandId) {
    CKelvarinDoc* doc = GetDoc();
    const uint8_t channel = MenuChannel();
    const int16_t v = doc->Channel[channel].BiasSet;
    int16_t& previous = previousBias_[channel];
    bool sent = false;
    switch (commandId) {
        case menu_cmd::kBiasOff:
            sent = v != 0 && doc->SetBias(channel, 0);
            break;
        case menu_cmd::kBiasReverse:
            if (v != 0) {
                previous = v;
                sent = doc->SetBias(channel, -v);
            }
            break;
        case menu_cmd::kBiasSelect:
            if (std::optional<int16_t> b = one_channel::AskBias(ModalRunner(), v)) {
                previous = v;
                sent = doc->SetBias(channel, *b);
            }
            break;
        case menu_cmd::kBiasPrevious: {
            const int16_t target = previous;
            previous = v;  // the two values swap
            sent = doc->SetBias(channel, target);
            break;
        }
        default:
            return;
    }
    if (sent)
        ReleaseHeldResult();
}

void CMeasuringView::OnChargeTypeChoice(int commandId) {
    CKelvarinDoc* doc = GetDoc();
    switch (commandId) {
        case menu_cmd::kChargeTimed: {
            one_channel::CollectionPlan current{doc->ChargeDuration, doc->RepeatCount,
                                                doc->Repeating};
            std::optional<one_channel::CollectionPlan> plan =
                one_channel::AskCollectionPlan(ModalRunner(), current);
            if (!plan)
                return;
            doc->RepeatCount = plan->repeatCount;
            doc->Repeating = plan->repeating;
            doc->SetChargeType(kTimed, plan->seconds);
            break;
        }
        case menu_cmd::kChargeContinuous:
            if (doc->ChargeType != kContinuous)
                doc->SetChargeType(kContinuous, 0);
            break;
        case menu_cmd::kChargeTrigger:
            if (doc->ChargeType != kTrigger && TriggerOffered())
                doc->SetChargeType(kTrigger, 0);
            break;
        case menu_cmd::kChargePreviousTime:
            if (doc->PrevChargeDuration != 0)
                doc->SetChargeType(kTimed, doc->PrevChargeDuration);
            break;
        default:
            return;
    }
    ShowCollectionDescription();
    ReleaseHeldResult();
}
