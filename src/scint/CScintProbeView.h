#pragma once
// The base of the two screens that read the scintillator probe (measuring and baseline
// set-up): blue on channel 1 and green on channel 2, both in the low range with the bias off,
// no chamber, the trigger watching channel 1 and "Zero" zeroing both channels together.
#include <cstdint>

#include "screens/CMeasuringView.h"

class CScintProbeView : public CMeasuringView {
  protected:
    // Both inputs in the low range with the bias off, as the probe is read.
    void PrepareBoard();

    void RefreshRangeCaptions() override {}
    void ShowChamberChange() override {}  // the probe has no chamber record
    uint8_t MenuChannel() const override { return 0; }
    bool TriggerOffered() const override { return true; }
    uint8_t ZeroTarget() const override { return 2; }
    bool RequestsBias() const override { return false; }
};
