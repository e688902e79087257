// The one-channel screen's buttons and pop-up menus: page, range, bias and collection type.
#include "controls/MenuCommands.h"
#include "controls/PopupMenus.h"
#include "screens/COneChannelView.h"
#include "screens/OneChannelEntry.h"

namespace {

constexpr uint8_t kTimed = 0;
constexpr uint8_t kContinuous = 1;
constexpr uint8_t kTrigger = 2;

}  // namespace

bool COneChannelView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdRange:
            OpenRangeMenu();
            return true;
        case kIdBias:
            OpenBiasMenu();
            return true;
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

bool COneChannelView::OnMenuCommand(int commandId) {
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

void COneChannelView::OpenRangeMenu() {
    CRangePopupMenu menu;
    TrackPopup(menu, range_.GetRect());
}

void COneChannelView::OpenBiasMenu() {
    CBiasPopupMenu menu(previousBias_[channel_]);
    TrackPopup(menu, bias_.GetRect());
}

void COneChannelView::OpenChargeTypeMenu() {
    CChgTypePopupMenu menu(GetDoc()->PrevChargeDuration);
    menu.Build();
    if (channel_ == 1)
        menu.RemoveItemAt(menu.TriggerItemPosition());  // the trigger watches channel 1 only
    TrackPopup(menu, chargeType_.GetRect());
}

// ---- the choices -------------------------------------------------------------------------

void COneChannelView::OnPageCommand(int commandId) {
    const int channel = commandId - menu_cmd::kChannel1;
    if (channel == 0 || channel == 1) {
        if (channel != channel_)
            ShowChannel(uint8_t(channel));
        return;
    }
    if (commandId >= menu_cmd::kCheckSource)
        GetDoc()->CollectionFinished = 0;  // the held result is not kept for other screens
    CKelvarinFormView::OnPageCommand(commandId);
}

// The range changes when the board answers (hint 7); a command is only sent for a change.
void COneChannelView::OnRangeChoice(int range) {
    CKelvarinDoc* doc = GetDoc();
    const bool sent = doc->Channel[channel_].Range != range && doc->SetRange(channel_, range);
    RefreshRangeCaption();
    RefreshRate();
    RefreshCharge();
    if (sent)
        ReleaseHeldResult();
}

void COneChannelView::OnBiasChoice(int commandId) {
    CKelvarinDoc* doc = GetDoc();
    const int16_t v = doc->Channel[channel_].BiasSet;
    int16_t& previous = previousBias_[channel_];
    bool sent = false;
    switch (commandId) {
        case menu_cmd::kBiasOff:
            sent = v != 0 && doc->SetBias(channel_, 0);
            break;
        case menu_cmd::kBiasReverse:
            if (v != 0) {
                previous = v;
                sent = doc->SetBias(channel_, -v);
            }
            break;
        case menu_cmd::kBiasSelect:
            if (std::optional<int16_t> b = one_channel::AskBias(ModalRunner(), v)) {
                previous = v;
                sent = doc->SetBias(channel_, *b);
            }
            break;
        case menu_cmd::kBiasPrevious: {
            const int16_t target = previous;
            previous = v;  // the two values swap
            sent = doc->SetBias(channel_, target);
            break;
        }
        default:
            return;
    }
    if (sent)
        ReleaseHeldResult();
}

void COneChannelView::OnChargeTypeChoice(int commandId) {
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
            if (doc->ChargeType != kTrigger && channel_ == 0)
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
