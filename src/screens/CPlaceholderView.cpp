#include "screens/CPlaceholderView.h"

#include "controls/ControlColors.h"

void CPlaceholderView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    CreatePageButton(pageCaption_);
    const fw::Rect r = GetRect();
    titleLabel_.Create(this, fw::Rect{r.left + 60, r.top + 180, r.right - 60, r.top + 240}, 0,
                       title_);
    titleLabel_.SetFontHeight(24);
    titleLabel_.SetBkColor(controls::kDialogBackground);
    titleLabel_.SetTextColor(fw::colors::kWhite);
    CreateDateTimeBar();
    SetTimer(kSecondTimer, 1000);
}

void CPlaceholderView::OnTimer(int id) {
    if (id == kSecondTimer) {
        DateTimeBar().Refresh(false);
        return;
    }
    CKelvarinFormView::OnTimer(id);
}

void CPlaceholderView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}
