#pragma once
// The "Data Ratio" page of the two-channel screen: the rows of the data list as ratios of
// channel 1 to channel 2 — rate, charge or dose — with the same flags, scrolling and file
// name as a channel's data page.
#include "screens/COneChannelDataDlg.h"

class CRatioDataDlg : public COneChannelDataDlg {
  public:
    SeriesSelection Series() const override;

  protected:
    void ShowAppliedNotices() override;
    void ShowQuantityChoice() override;
    std::string MeasurementText(const MEAS_INFO& record) const override;
};
