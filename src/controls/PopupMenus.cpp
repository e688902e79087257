#include "controls/PopupMenus.h"

#include <cstdio>

#include "controls/MenuCommands.h"
#include "fw/Resources.h"

namespace {

std::string Format(const char* format, double value, const std::string& unit) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value, unit.c_str());
    return buffer;
}

// The coefficient labels in calibration-mode order.
constexpr int kCoefficientLabels[menu_cmd::kCoefficientUnitCount] = {
    435, 296, 298, 299, 300, 301, 302, 303, 304, 305, 306, 307, 308};
constexpr int kDoseUnitNames[menu_cmd::kDoseUnitCount] = {468, 469, 470, 471, 472};

}  // namespace

void CPageMenu::BuildItems() {
    AppendItem(menu_cmd::kChannel1, fw::LoadString(116));
    AppendItem(menu_cmd::kChannel2, fw::LoadString(117));
    AppendItem(menu_cmd::kChannels1And2, fw::LoadString(118));
    AppendItem(menu_cmd::kCheckSource, fw::LoadString(119));
    AppendItem(menu_cmd::kChamberLibrary, fw::LoadString(122));
    AppendItem(menu_cmd::kPreferences, fw::LoadString(121));
}

void CSrcUnitPopupMenu::BuildItems() {
    AppendItem(menu_cmd::kSourceKBq, fw::LoadString(207));
    AppendItem(menu_cmd::kSourceMBq, fw::LoadString(208));
    AppendItem(menu_cmd::kSourceMicroCi, fw::LoadString(209));
    AppendItem(menu_cmd::kSourceMCi, fw::LoadString(210));
}

void CCFUnitPopupMenu::BuildItems() {
    for (int mode = 0; mode < menu_cmd::kCoefficientUnitCount; ++mode)
        AppendItem(menu_cmd::kCoefficientUnitFirst + mode,
                   fw::LoadString(kCoefficientLabels[mode]));
}

void CPressSTDPopupMenu::BuildItems() {
    // One atmosphere reads with three decimals so it is not mistaken for a rounded value.
    AppendItem(menu_cmd::kPressureMmHg, Format("%.1f %s", 760.0, fw::LoadString(338)));
    AppendItem(menu_cmd::kPressureAtm, Format("%.3f %s", 1.0, fw::LoadString(337)));
    AppendItem(menu_cmd::kPressureKPa, Format("%.1f %s", 101.3, fw::LoadString(339)));
}

void CTempSTDPopupMenu::BuildItems() {
    AppendItem(menu_cmd::kTemperature20, Format("%.1f %s", 20.0, fw::LoadString(374)));
    AppendItem(menu_cmd::kTemperature22, Format("%.1f %s", 22.0, fw::LoadString(374)));
}

void CChgTypePopupMenu::BuildItems() {
    AppendItem(menu_cmd::kChargeTimed, fw::LoadString(380));
    AppendItem(menu_cmd::kChargeContinuous, fw::LoadString(160));
    AppendItem(menu_cmd::kChargeTrigger, fw::LoadString(162));
    if (prevDuration_ != 0)
        AppendItem(menu_cmd::kChargePreviousTime, std::to_string(prevDuration_) + " sec");
}

void CDefChgTypePopupMenu::BuildItems() {
    AppendItem(menu_cmd::kChargeTimed, fw::LoadString(380));
    AppendItem(menu_cmd::kChargeContinuous, fw::LoadString(160));
    AppendItem(menu_cmd::kChargeTrigger, fw::LoadString(162));
}

void CRangePopupMenu::BuildItems() {
    AppendItem(menu_cmd::kRangeLow, fw::LoadString(111));
    AppendItem(menu_cmd::kRangeHigh, fw::LoadString(109));
}

void CBiasPopupMenu::BuildItems() {
    AppendItem(menu_cmd::kBiasOff, fw::LoadString(384));
    AppendItem(menu_cmd::kBiasReverse, fw::LoadString(404));
    AppendItem(menu_cmd::kBiasSelect, fw::LoadString(385));
    if (previousBias_ != 0)
        AppendItem(menu_cmd::kBiasPrevious, std::to_string(previousBias_) + " V");
}

void CDoseUnitsPopupMenu::BuildItems() {
    for (int unit = 0; unit < menu_cmd::kDoseUnitCount; ++unit)
        AppendItem(menu_cmd::kDoseUnitFirst + unit, fw::LoadString(kDoseUnitNames[unit]));
}
