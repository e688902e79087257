#include "screens/CStandbyView.h"

void CStandbyView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    // The enable line goes low first, with the change announced, then the PWM and the
    // loudspeaker follow.
    HwControl().SetBacklightPower(false);
    HwControl().SetBrightness(0);
    HwControl().SetVolume(0);
}

void CStandbyView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), fw::colors::kBlack);
}
