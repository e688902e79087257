#pragma once
// The dark screen: the first view while the board is polled, and the screen the
// instrument returns to on the power key.
#include "screens/CKelvarinFormView.h"

class CStandbyView : public CKelvarinFormView {
  public:
    void OnPaint(fw::Dc& dc) override;
};
