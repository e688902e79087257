#include "screens/CStandbyView.h"

void CStandbyView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), fw::colors::kBlack);
}
