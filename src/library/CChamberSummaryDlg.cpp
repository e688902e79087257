#include "library/CChamberSummaryDlg.h"

#include "controls/ControlColors.h"
#include "document/ChamberText.h"
#include "fw/Text.h"
#include "library/CChamberWiz.h"
#include "store/ChamberCal.h"

namespace {

constexpr int kFirstRowTop = 50;
constexpr int kRowHeight = 34;
constexpr int kValueFontHeight = 18;
const char* const kCaptions[CChamberSummaryDlg::kRowCount] = {
    "Model:", "Serial Number:",        "Beam/Isotope:", "Coefficient:", "Report Name/Number:",
    "Date:",  "Calibration Due Date:", "A_i_o_n:",      "Polarity:"};

}  // namespace

void CChamberSummaryDlg::CreateFields() {
    CreateTitle(title_, 12, kIdTitle, "Chamber Calibration Summary");
    for (int i = 0; i < kRowCount; ++i) {
        const int top = kFirstRowTop + i * kRowHeight;
        CreateCaption(captions_[i], At(8, top, 236, top + kRowHeight - 4), 1251 + i, kCaptions[i]);
        CLabel& value = values_[i];
        value.Create(this, At(244, top, 518, top + kRowHeight - 4), kIdFirstValue + i);
        value.SetBkColor(controls::kDialogBackground);
        value.SetTextColor(fw::colors::kWhite);
        value.SetFontHeight(kValueFontHeight);
        value.SetAlignment(CLabel::kLeft);
    }
    values_[3].SetMarkedText(true);
}

void CChamberSummaryDlg::LoadFields() {
    const CHAMBER_CAL& cal = Record();
    values_[0].SetText(cal.ChamberModel);
    values_[1].SetText(cal.ChamberSerial);
    values_[2].SetText(cal.BeamIsotope);
    values_[3].SetText(chamber_text::CoefficientText(cal));
    values_[4].SetText(cal.ReportName);
    values_[5].SetText(Wizard().DateText(cal.ReportDate));
    values_[6].SetText(Wizard().DateText(cal.CalDueDate));
    values_[7].SetText(cal.Aion);
    values_[8].SetText(fw::StringPrintf("%d", cal.Polarity));
}

void CChamberSummaryDlg::GoNext() {
    Wizard().FinishWithOk();
}
