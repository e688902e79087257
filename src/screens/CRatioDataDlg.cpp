#include "screens/CRatioDataDlg.h"

#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "fw/Resources.h"

namespace {

constexpr int kDoseText = 392;

}  // namespace

void CRatioDataDlg::ShowAppliedNotices() {
    const bool bothCorrected =
        doc_->Channel[0].TPCorrection == 1 && doc_->Channel[1].TPCorrection == 1;
    const bool bothCalibrated = doc_->HasAppliedChamber(0) && doc_->HasAppliedChamber(1);
    tpApplied_.SetText(bothCorrected ? "Temp/Pressure Applied" : "");
    factorApplied_.SetText(bothCalibrated ? "System Factor Applied" : "");
}

// Rate and charge always; dose only while both channels' doses compare, named after
// channel 1's quantity. A dose ratio of rates is not stored in the rows, so "Dose Rate" is
// never offered here.
void CRatioDataDlg::ShowQuantityChoice() {
    CBttn& dose = quantities_[kDose];
    quantities_[kDoseRate].Show(false);
    const bool doses = doc_->ComparableDoses() == CKelvarinDoc::DoseRatioKind::Dose;
    dose.Show(doses);
    const CAL_MODE* mode = FindCalMode(doc_->Channel[0].CalMode);
    dose.SetCaption(fw::LoadString(doses && mode != nullptr ? mode->quantityId : kDoseText));
    if (!doses && ShownQuantity() == kDose)
        SelectQuantity(kRate);
    StackQuantityChoice();
}

std::string CRatioDataDlg::MeasurementText(const MEAS_INFO& record) const {
    switch (ShownQuantity()) {
        case kCharge:
            return record.ChargeRatio;
        case kDose:
            return record.DoseRatio;
        default:
            return record.RateRatio;
    }
}

SeriesSelection CRatioDataDlg::Series() const {
    switch (ShownQuantity()) {
        case kCharge:
            return {0, SeriesQuantity::ChargeRatio};
        case kDose:
            return {0, SeriesQuantity::DoseRatio};
        default:
            return {0, SeriesQuantity::RateRatio};
    }
}
