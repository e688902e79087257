// The document's rates into the trend rings: the current of each channel and, where an
// applied chamber measures on the current, the dose rate the screen shows beside it.
#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"

void CKelvarinDoc::FeedTrend() {
    const int64_t now = fw::GetClock().NowMs();
    for (int ch = 0; ch < 2; ++ch) {
        const FILTER_CHANNEL& f = Filter.Chan[ch];
        TrendSample sample{
            .currentFa = f.Rate, .overRange = f.OverRange, .collecting = Collecting != 0};
        const CAL_MODE* mode = FindCalMode(Channel[ch].CalMode);
        if (HasAppliedChamber(ch) && mode != nullptr && !mode->chargeBased) {
            sample.doseRate = DoseValue(ch);
            sample.doseUnitId = mode->unitId;
        }
        Trend[ch].Append(now, sample);
    }
}
