#include "library/CCalInfoDlg.h"

#include "controls/MenuCommands.h"
#include "controls/PopupMenus.h"
#include "document/ChamberText.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "library/CChamberWiz.h"
#include "library/ChamberEntries.h"
#include "store/ChamberCal.h"

namespace {

constexpr int kExponentLength = 3;
constexpr int kPolarityLength = 5;
constexpr int kDecimals = 3;
constexpr int kExponentFontHeight = 14;

}  // namespace

void CCalInfoDlg::CreateFields() {
    CreateTitle(chamberLine_, 8, kIdChamberLine, "");
    CreateTitle(title_, 36, kIdTitle, "Enter Calibration Information");
    constexpr int kCaptionRight = 214;
    constexpr int kFieldLeft = 222;
    CreateCaption(beamCaption_, At(8, 82, kCaptionRight, 114), 1231, "Beam/Isotope:");
    CreateField(beam_, At(kFieldLeft, 78, 510, 118), kIdBeam);
    CreateCaption(coefCaption_, At(8, 138, kCaptionRight, 170), 1232, "Calibration Coefficient:");
    CreateField(mantissa_, At(kFieldLeft, 134, 332, 174), kIdMantissa);
    CreateCaption(timesTen_, At(336, 138, 384, 170), 1233, "x 10");
    timesTen_.SetAlignment(CLabel::kLeft);
    // The power of ten stands raised after "x 10".
    exponent_.CreateField(this, At(386, 122, 446, 150), kIdExponent, kExponentFontHeight);
    CreateCaption(unitsCaption_, At(8, 194, kCaptionRight, 226), 1234, "Units:");
    CreateField(units_, At(kFieldLeft, 190, 420, 230), kIdUnits);
    units_.SetMarkedText(true);
    CreateCaption(aionCaption_, At(8, 250, kCaptionRight, 282), 1235, "A_i_o_n:");
    CreateField(aion_, At(kFieldLeft, 246, 370, 286), kIdAion);
    CreateCaption(polarityCaption_, At(8, 306, kCaptionRight, 338), 1236, "Polarity:");
    CreateField(polarity_, At(kFieldLeft, 302, 370, 342), kIdPolarity);
}

void CCalInfoDlg::LoadFields() {
    const CHAMBER_CAL& cal = Record();
    chamberLine_.SetText(cal.ChamberModel + "/" + cal.ChamberSerial);
    beam_.SetText(cal.BeamIsotope);
    mantissa_.SetText(cal.CoefMantissa == chamber_entry::kNotEntered
                          ? std::string()
                          : chamber_text::MantissaText(cal.CoefMantissa));
    exponent_.SetText(fw::StringPrintf("%d", cal.CoefExponent));
    units_.SetText(chamber_text::CoefficientLabel(cal.CalMode));
    aion_.SetText(cal.Aion);
    polarity_.SetText(cal.Polarity == chamber_entry::kNotEntered
                          ? std::string()
                          : fw::StringPrintf("%d", cal.Polarity));
}

bool CCalInfoDlg::CanGoNext() const {
    for (const CTouchField* field : {&beam_, &mantissa_, &exponent_, &units_, &aion_, &polarity_}) {
        if (field->Text().empty())
            return false;
    }
    return true;
}

bool CCalInfoDlg::OnField(int id) {
    switch (id) {
        case kIdBeam:
            EnterBeam();
            return true;
        case kIdMantissa:
            EnterMantissa();
            return true;
        case kIdExponent:
            EnterExponent();
            return true;
        case kIdUnits:
            ChooseUnits();
            return true;
        case kIdAion:
            EnterAion();
            return true;
        case kIdPolarity:
            EnterPolarity();
            return true;
        default:
            return false;
    }
}

void CCalInfoDlg::EnterBeam() {
    if (std::optional<std::string> entry = AskText("Enter Chamber Beam/Isotope", beam_.Text())) {
        Record().BeamIsotope = *entry;
        beam_.SetText(*entry);
    }
}

void CCalInfoDlg::EnterMantissa() {
    // Asked again after a value too large, until a good one or no answer.
    while (Wizard().TakesInput()) {
        std::optional<std::string> entry = AskNumber(
            {"Enter Chamber Cal Factor Mantissa", mantissa_.Text(), -1, kDecimals, false});
        if (!entry)
            return;
        const chamber_entry::MantissaEntry m = chamber_entry::ParseMantissa(*entry);
        if (m.check == chamber_entry::MantissaCheck::kTooLarge) {
            Tell(fw::LoadString(kInvalidMantissaText));
            continue;
        }
        if (m.check == chamber_entry::MantissaCheck::kAccepted) {
            Record().CoefMantissa = m.thousandths;
            mantissa_.SetText(chamber_text::MantissaText(m.thousandths));
        }
        return;
    }
}

void CCalInfoDlg::EnterExponent() {
    std::optional<std::string> entry = AskNumber(
        {"Enter Chamber Cal Factor Exponent", exponent_.Text(), kExponentLength, 0, true});
    if (!entry)
        return;
    if (std::optional<int16_t> exponent = chamber_entry::ParseExponent(*entry)) {
        Record().CoefExponent = *exponent;
        exponent_.SetText(fw::StringPrintf("%d", *exponent));
    }
}

void CCalInfoDlg::ChooseUnits() {
    CCFUnitPopupMenu menu;
    const int command = Wizard().TrackPopup(menu, units_.GetRect());
    const int mode = command - menu_cmd::kCoefficientUnitFirst;
    if (!Wizard().TakesInput() || mode < 0 || mode >= menu_cmd::kCoefficientUnitCount)
        return;
    Record().CalMode = static_cast<int16_t>(mode);
    units_.SetText(chamber_text::CoefficientLabel(mode));
}

void CCalInfoDlg::EnterAion() {
    std::optional<std::string> entry =
        AskNumber({"Enter Chamber AIon", aion_.Text(), -1, kDecimals, true});
    if (!entry)
        return;
    if (std::optional<std::string> aion = chamber_entry::ParseAion(*entry)) {
        Record().Aion = *aion;
        aion_.SetText(*aion);
    }
}

void CCalInfoDlg::EnterPolarity() {
    std::optional<std::string> entry =
        AskNumber({"Enter Chamber Polarity", polarity_.Text(), kPolarityLength, 0, true, true});
    if (!entry)
        return;
    if (std::optional<int16_t> polarity = chamber_entry::ParsePolarity(*entry)) {
        Record().Polarity = *polarity;
        polarity_.SetText(fw::StringPrintf("%d", *polarity));
    }
}
