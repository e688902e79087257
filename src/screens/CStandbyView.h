#pragma once
// The dark screen: the first view while the board is polled, and the screen the
// instrument returns to on the power key. On entry the backlight and the sound go off.
#include "screens/CKelvarinFormView.h"

class CStandbyView : public CKelvarinFormView {
  public:
    void OnInitialUpdate() override;
    void OnPaint(fw::Dc& dc) override;
    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::Standby; }
};
