#pragma once
// The middle column of the two-channel screen: channel 1 divided by channel 2 for the rate,
// the charge and, where the two channels' doses compare, the dose or dose rate.
#include <string>

#include "controls/CLabel.h"
#include "document/CKelvarinDoc.h"
#include "fw/Geometry.h"

class CRatioColumn {
  public:
    static constexpr int kIdRateCaption = 1084;
    static constexpr int kIdRateValue = 1085;
    static constexpr int kIdChargeCaption = 1086;
    static constexpr int kIdChargeValue = 1087;
    static constexpr int kIdDoseCaption = 1090;
    static constexpr int kIdDoseValue = 1092;

    void Create(fw::Window* parent, CKelvarinDoc& doc);
    void SetBackground(fw::Color background);
    // Builds the rows in `area` by what the two channels compare: rate and charge always;
    // charge then dose for two charge modes, dose rate then charge for two current modes.
    void Build(const fw::Rect& area);
    void Hide();
    bool IsShown() const { return shown_; }
    bool ShowsDoseRatio() const { return doseShown_; }
    bool ShowsDoseRateRatio() const { return doseRateShown_; }

    void RefreshRate();
    void RefreshCharge();
    void RefreshDose();

    const CLabel& RateValue() const { return rate_.value; }
    const CLabel& ChargeValue() const { return charge_.value; }
    const CLabel& DoseCaption() const { return dose_.caption; }
    const CLabel& DoseValue() const { return dose_.value; }

  private:
    struct Row {
        CLabel caption;
        CLabel value;
    };
    void CreateRow(fw::Window* parent, Row& row, int captionId, int valueId,
                   const std::string& caption);
    void PlaceRow(Row& row, const fw::Rect& area, int index, int rows);
    void ShowRow(Row& row, bool shown);
    static void ShowValue(Row& row, const std::string& text, bool overRange);

    CKelvarinDoc* doc_ = nullptr;
    bool shown_ = false;
    bool doseShown_ = false;      // charge-based: "Dose Ratio:" below the charge ratio
    bool doseRateShown_ = false;  // current-based: the dose-rate ratio above the charge ratio
    Row rate_, charge_, dose_;
};
